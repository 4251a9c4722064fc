#!/usr/bin/env bash
# Builds Tumbora and runs every test, headless.
set -euo pipefail
cd "$(dirname "$0")/.."

# The delivery tests also compile the Windows resource, check the desktop entry and the
# AppStream metadata, and start the installed program on Xvfb; the layout check also runs
# with DejaVu Sans, a wide dialog font.
bash scripts/build.sh binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev desktop-file-utils appstream \
    fonts-dejavu-core xvfb xauth xdotool
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure --timeout 600
