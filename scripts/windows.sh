#!/usr/bin/env bash
# Builds Tumbora for 64-bit Windows on Debian, runs every test under Wine and packs
# Tumbora-1.00-Windows.zip in build-windows/ (or the folder in BUILD_DIR). Run as root: it
# installs the Debian packages it needs. Qt for Windows is built from Debian's source once,
# into TUMBORA_WINDOWS_CACHE (default /var/cache/tumbora-windows; see scripts/windows-qt.sh),
# which also holds the Wine prefix the tests run in. Remove that folder to start over.
set -euo pipefail
cd "$(dirname "$0")/.."

# fonts-wine holds Wine's Tahoma.
bash scripts/debian-packages.sh cmake ninja-build qt6-base-dev-tools qt6-translations-l10n \
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 \
    wine wine64 fonts-wine xvfb xauth
bash scripts/windows-qt.sh

cache=${TUMBORA_WINDOWS_CACHE:-/var/cache/tumbora-windows}
build_dir=${BUILD_DIR:-build-windows}
wine=$PWD/scripts/wine-run.sh
"$wine" wineboot --init
# Windows has Tahoma, the dialog font; Debian's Wine does not pick up its own copy by itself.
cp /usr/share/wine/fonts/tahoma*.ttf "${WINEPREFIX:-$cache/wine}/drive_c/windows/Fonts/"

# Wine runs the icon tool during the build and the tests after it.
cmake -S . -B "$build_dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$cache/qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" \
    -DCMAKE_BUILD_TYPE=Release -DTUMBORA_BUILD_BENCHMARKS=OFF
cmake --build "$build_dir" --parallel "$(nproc)"
(cd "$build_dir" && cpack)
# The tests' windows are real Windows windows, which Wine puts on an X display: a Wine
# server left from an earlier run would still serve a display that is gone.
WINEPREFIX=${WINEPREFIX:-$cache/wine} wineserver -k || true
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$build_dir" --output-on-failure
