#!/usr/bin/env bash
# Installs what the build needs and builds Tumbora into build/ (or the folder in BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."

# The private headers are the tests': they end a desktop session and close a window as the
# window system does.
bash scripts/debian-packages.sh cmake make g++ qt6-base-dev qt6-base-private-dev qt6-translations-l10n \
    fonts-liberation2 "$@"
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} ${CMAKE_ARGS:-}
cmake --build "$build_dir" --parallel "$(nproc)"
