#!/usr/bin/env bash
# Packs the installer for schools from a Windows build configured with
# -DTUMBORA_SYSTEM_INSTALL=ON: installs it into a staging folder and makes an MSI of it with
# msitools' wixl (packaging/tumbora.wxs), writes each program file's version into the MSI's
# File table (wixl leaves it empty) and, given a certificate, signs it (scripts/windows-sign.sh).
# The version is the build's, which is the project's (CMakeLists.txt), unless given. Prints
# the ProductCode, derived from the version: every build of one version has the same.
# Usage: windows-msi.sh <build folder> <output .msi> [version]
set -euo pipefail
cd "$(dirname "$0")/.."

build=$1 output=$2
version=${3:-$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")}
upgrade_code=$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/\1/p' packaging/tumbora.wxs)
product_code=$(cmake -DUPGRADE_CODE="$upgrade_code" -DVERSION="$version" -P packaging/product-code.cmake)
stage=$build/msi-stage
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" --strip >/dev/null

# Every file but the executable, which the product names itself for its Start-menu entry.
find "$stage" -type f ! -name Tumbora.exe | sort |
    wixl-heat --prefix "$stage/" --directory-ref INSTALLDIR --component-group ProgramFiles \
        --var var.ProgramFolder --win64 > "$build/program-files.wxs"
wixl --arch x64 --output "$output" -D Version="$version" -D ProductCode="$product_code" \
    -D ProgramFolder="$stage" -D Icon="$build/icons/tumbora.ico" -D Win64=yes \
    packaging/tumbora.wxs "$build/program-files.wxs"

# A 16-bit or 32-bit little-endian number at an offset of a file; a text as a grep pattern of
# its UTF-16 bytes.
number_at() { od -An -t"u$2" -j "$1" -N "$2" "$3" | tr -d ' '; }
utf16() { sed 's/./&\\x00/g' <<<"$1"; }
# "<file version> <language>" from a Windows program's version resource, nothing without one:
# its fixed part (VS_FIXEDFILEINFO, marked 0xFEEF04BD) follows the UTF-16 key VS_VERSION_INFO
# at 34 bytes, and the language is the first of the list under the key Translation, 26 bytes on.
version_and_language() {
    local key ms ls
    key=$(LC_ALL=C grep -obUaP "$(utf16 VS_VERSION_INFO)" "$1" | head -n 1 | cut -d: -f1)
    [ -n "$key" ] && [ "$(number_at $((key + 34)) 4 "$1")" = $((0xFEEF04BD)) ] || return 0
    ms=$(number_at $((key + 42)) 4 "$1") ls=$(number_at $((key + 46)) 4 "$1")
    key=$(LC_ALL=C grep -obUaP "$(utf16 Translation)" "$1" | head -n 1 | cut -d: -f1)
    echo "$((ms >> 16)).$((ms & 0xffff)).$((ls >> 16)).$((ls & 0xffff)) $(number_at $((key + 26)) 2 "$1")"
}
# Windows Installer compares versions, not hashes, before replacing a versioned file.
{ echo "TumboraExe Tumbora.exe"
  sed -n 's|.*<File Id="\([^"]*\)".*Source="$(var.ProgramFolder)/\([^"]*\)".*|\1 \2|p' "$build/program-files.wxs"
} | while read -r id file; do
    read -r file_version language < <(version_and_language "$stage/$file") || continue
    msibuild "$output" -q "UPDATE File SET Version = '$file_version', Language = '$language' WHERE File = '$id'" \
        -q "DELETE FROM MsiFileHash WHERE File_ = '$id'"
done

if [ -n "${TUMBORA_SIGN_PKCS12:-}" ]; then
    bash scripts/windows-sign.sh "$output"
fi
echo "Windows installer: $output"
echo "ProductCode: $product_code"
