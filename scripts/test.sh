#!/usr/bin/env bash
# Builds Tumbora and runs every test, headless.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure --timeout 600
