#!/usr/bin/env bash
# Builds Tumbora and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
exec "${BUILD_DIR:-build}/app/tumbora"
