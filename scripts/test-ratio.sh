#!/usr/bin/env bash
# How much test code there is for the program code: lines that are neither blank nor only a
# comment, in the C++ sources. The owner's rule is a quarter to a third; this only reports.
set -uo pipefail
cd "$(dirname "$0")/.."

count() { find "$@" -name '*.cpp' -o -name '*.h' | xargs cat | grep -c -v -E '^\s*(//.*)?$'; }
tests=$(count tests fuzz)
program=$(count app calculator timetable storage widgets)
awk -v t="$tests" -v p="$program" \
    'BEGIN { printf "tests and fuzz targets: %d lines; program: %d lines; ratio %.2f\n", t, p, t / p }'
