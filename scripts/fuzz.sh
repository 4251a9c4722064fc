#!/usr/bin/env bash
# Builds the libFuzzer target with clang and runs it for FUZZ_SECONDS (default 60) from
# the seed corpus in fuzz/corpus; any crash, sanitizer report, leak, hang or huge
# allocation fails it. New inputs go to a scratch folder, never into the tree.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/debian-packages.sh cmake make clang-14 libclang-rt-14-dev qt6-base-dev
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DBUILD_TESTING=OFF -DTUMBORA_BUILD_BENCHMARKS=OFF -DTUMBORA_BUILD_FUZZERS=ON
cmake --build "$build_dir" --parallel "$(nproc)" --target fuzz_fields

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/fields"
"$build_dir/fuzz/fuzz_fields" -max_total_time="${FUZZ_SECONDS:-60}" -max_len=80000 \
    -timeout=10 -malloc_limit_mb=64 -print_final_stats=1 -artifact_prefix="$scratch/" \
    "$scratch/fields" fuzz/corpus/fields
