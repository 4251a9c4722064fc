#!/usr/bin/env bash
# Packs the installer for schools from a Windows build configured with
# -DTUMBORA_SYSTEM_INSTALL=ON: installs it into a staging folder and makes an MSI of it with
# msitools' wixl (packaging/tumbora.wxs). The version is the build's unless given.
# Usage: windows-msi.sh <build folder> <output .msi> [version]
set -euo pipefail
cd "$(dirname "$0")/.."

build=$1 output=$2
version=${3:-$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")}
stage=$build/msi-stage
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" --strip >/dev/null

# Every file but the executable, which the product names itself for its Start-menu entry.
find "$stage" -type f ! -name Tumbora.exe | sort |
    wixl-heat --prefix "$stage/" --directory-ref INSTALLDIR --component-group ProgramFiles \
        --var var.ProgramFolder --win64 > "$build/program-files.wxs"
wixl --arch x64 --output "$output" -D Version="$version" -D ProgramFolder="$stage" \
    -D Icon="$build/icons/tumbora.ico" -D Win64=yes packaging/tumbora.wxs "$build/program-files.wxs"
echo "Windows installer: $output"
