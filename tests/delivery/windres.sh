#!/usr/bin/env bash
# Compiles the Windows resource script with MinGW's windres and checks the icon and the
# strings of the version block, which carry the project's version.
# Usage: windres.sh <tumbora.rc> <folder of tumbora.ico> <project version, such as 1.00>
set -euo pipefail
windres=x86_64-w64-mingw32-windres
headers=/usr/x86_64-w64-mingw32/include
if ! command -v "$windres" >/dev/null || [ ! -f "$headers/winver.h" ]; then
    echo "SKIP: needs $windres and $headers/winver.h (Debian: binutils-mingw-w64-x86-64, mingw-w64-x86-64-dev)"
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$windres" --preprocessor=cpp -D_WIN32 -DRC_INVOKED -I"$headers" -I"$2" -i "$1" -O res -o "$work/tumbora.res"
"$windres" -i "$work/tumbora.res" -O rc -o "$work/decompiled.rc"

status=0
expect() {
    if ! grep -qF -- "$1" "$work/decompiled.rc"; then
        echo "missing: $1"
        status=1
    fi
}
expect 'BLOCK "040904B0"'
for value in '"ProductName", "Tumbora"' '"InternalName", "Tumbora"' \
             '"OriginalFilename", "Tumbora.exe"' "\"FileVersion\", \"$3\"" "\"ProductVersion\", \"$3\""; do
    expect "VALUE $value"
done
# The four numbers of the file version: 1.00 is 1, 0, 0, 0.
IFS=. read -r -a parts <<<"$3.0.0.0"
numbers="$((10#${parts[0]})), $((10#${parts[1]})), $((10#${parts[2]})), $((10#${parts[3]}))"
expect "FILEVERSION $numbers"
expect "PRODUCTVERSION $numbers"
expect '"IDI_TUMBORA"'
expect 'Has 5 elements'
[ $status -eq 0 ] && echo "tumbora.rc: icon and version strings as expected"
exit $status
