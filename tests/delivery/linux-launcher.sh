#!/usr/bin/env bash
# The Linux program folder's launcher, `tumbora`: where the system lacks a library the
# program needs, it names it and says how to get it, and fails, instead of doing nothing.
# (That it starts the program where nothing is missing, install-layout.sh shows.)
# Usage: linux-launcher.sh <build folder>
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null

# The program as on a system without Qt Widgets: the name of that library changed in it.
perl -pi -e 's/libQt6Widgets\.so\.6/libQt6Missing.so.6/g' "$prefix/tumbora-bin"
output=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/tumbora" 2>&1) && status=0 || status=$?
echo "$output"
[ $status -eq 1 ] || { echo "FAIL: the launcher ended with status $status"; exit 1; }
for said in 'libQt6Missing.so.6 => not found' 'Qt 6.4' 'sudo apt install libqt6widgets6'; do
    grep -qF -- "$said" <<<"$output" || { echo "FAIL: the launcher did not say: $said"; exit 1; }
done
echo "the launcher names what is missing"
