#!/usr/bin/env bash
# Builds Tumbora and packs the program folder: build/Tumbora-<version>-<system>.tar.gz.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
build_dir=${BUILD_DIR:-build}
(cd "$build_dir" && cpack)
