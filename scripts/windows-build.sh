#!/usr/bin/env bash
# Cross-builds Tumbora for 64-bit Windows into the folder given, with the Qt for Windows of
# scripts/windows-qt.sh's cache; further arguments are CMake options. Wine runs the icon tool
# during the build (and the tests after it, through ctest).
# Usage: windows-build.sh <build folder> [cmake option]...
set -euo pipefail
cd "$(dirname "$0")/.."

cache=${TUMBORA_WINDOWS_CACHE:-/var/cache/tumbora-windows}
folder=$1
shift
cmake -S . -B "$folder" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$cache/qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/scripts/wine-run.sh" \
    -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build "$folder" --parallel "$(nproc)"
