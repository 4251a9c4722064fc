#!/usr/bin/env bash
# Builds Tumbora and every test with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ (or the folder in SANITIZE_BUILD_DIR) and runs the tests, headless. Any
# sanitizer report, a leak included, fails it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/debian-packages.sh cmake make g++ qt6-base-dev qt6-base-private-dev qt6-translations-l10n fonts-liberation2
build_dir=${SANITIZE_BUILD_DIR:-build-asan}
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="$flags" -DTUMBORA_BUILD_BENCHMARKS=OFF
# Tools that run during the build are not what is tested.
ASAN_OPTIONS=detect_leaks=0 cmake --build "$build_dir" --parallel "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build_dir" --output-on-failure --timeout 900
