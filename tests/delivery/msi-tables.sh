#!/usr/bin/env bash
# Reads the installer's tables with msiinfo and checks what admins rely on: the ProductCode is
# the same in two builds of one version, and another in another version; an older Windows is
# refused (a launch condition on the build number that the registry gives); no repair entry;
# the licences of what ships of others; each program file's version in the File table,
# Tumbora.exe's the project's.
# Usage: msi-tables.sh <the installer> <the same version built again> <an older version's>
set -euo pipefail
msi=$1 rebuilt=$2 older=$3

status=0
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; status=1; fi
}
table() { msiinfo export "$1" "$2" | tr -d '\r' | tail -n +4; }
property() { table "$1" Property | awk -F'\t' -v name="$2" '$1 == name { print $2 }'; }

code=$(property "$msi" ProductCode)
version=$(property "$msi" ProductVersion)
echo "ProductCode of $(basename "$msi"): $code (version $version)"
check "a fixed ProductCode, not a new one each build" [ "$code" = "$(property "$rebuilt" ProductCode)" ]
check "another ProductCode for version $(property "$older" ProductVersion)" [ "$code" != "$(property "$older" ProductCode)" ]
check "Windows older than 10, version 1809 (build 17763), is refused" \
    grep -qx $'Installed OR WINDOWSBUILD >= 17763\tTumbora needs Windows 10, version 1809, or newer.*' <(table "$msi" LaunchCondition)
check "the build number comes from the registry" \
    grep -qx $'WindowsBuild\t2\tSOFTWARE\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\tCurrentBuildNumber\t18' <(table "$msi" RegLocator)
check "no repair entry (ARPNOREPAIR)" [ "$(property "$msi" ARPNOREPAIR)" = 1 ]

files=$(table "$msi" File)
file_version() { awk -F'\t' -v name="$1" '{ sub(/.*\|/, "", $3) } $3 == name { print $5 }' <<<"$files"; }
IFS=. read -r -a parts <<<"$version.0.0.0"
check "Tumbora.exe's version in the File table is $version" \
    [ "$(file_version Tumbora.exe)" = "$((10#${parts[0]})).$((10#${parts[1]})).$((10#${parts[2]})).$((10#${parts[3]}))" ]
for library in Qt6Core.dll Qt6Gui.dll Qt6Network.dll Qt6Widgets.dll qwindows.dll qwindowsvistastyle.dll; do
    check "$library's version in the File table" grep -qE '^6\.[0-9]+\.[0-9]+\.[0-9]+$' <<<"$(file_version "$library")"
done
for text in README.txt LGPL-3.0.txt GPL-3.0.txt GPL-2.0.txt Qt-GPL-exception-1.0.txt Qt-third-party.txt \
            GCC-exception-3.1.txt MinGW-w64.txt; do
    check "the licence file $text" [ -n "$(awk -F'\t' -v name="$text" '{ sub(/.*\|/, "", $3) } $3 == name' <<<"$files")" ]
done
exit $status
