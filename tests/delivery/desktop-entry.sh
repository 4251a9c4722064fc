#!/usr/bin/env bash
# Validates the desktop entry. Usage: desktop-entry.sh <tumbora.desktop>
set -euo pipefail
if ! command -v desktop-file-validate >/dev/null; then
    echo "SKIP: needs desktop-file-validate (Debian: desktop-file-utils)"
    exit 77
fi
output=$(desktop-file-validate "$1" 2>&1) || { echo "$output"; exit 1; }
# Hints are advice; warnings and errors fail.
if grep -E 'error|warning' <<<"$output"; then
    exit 1
fi
grep -q '^Name\[bg\]=' "$1" && grep -q '^Comment\[bg\]=' "$1" || { echo "no Bulgarian name or comment"; exit 1; }
echo "$1: valid"
