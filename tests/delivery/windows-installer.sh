#!/usr/bin/env bash
# The installer for schools as a school's IT and a pupil use it, in a new Wine prefix:
# refused on Windows 8.1; installed silently, with the README's command line, over an older
# version, which it replaces and which cannot come back over it; the same version built again
# installs over it as the same product; started from Program Files, which gives the pupil
# their own %APPDATA%\Tumbora filled with the default files, where a save lands and which a
# second start leaves alone; removed silently by its ProductCode, which takes the program
# folder, the Start-menu entry and the entry in the list of programs, and leaves the pupil's
# files. Needs an X display (xvfb-run), wine, msitools and xdotool.
# Usage: windows-installer.sh <Tumbora-1.00-Windows.msi> <an older version's .msi>
#                             <the same version built again>
set -euo pipefail
cd "$(dirname "$0")/../.."
msi=$(realpath "$1") older_msi=$(realpath "$2") rebuilt_msi=$(realpath "$3")

WINEPREFIX=$(mktemp -d)
export WINEPREFIX
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
bash scripts/wine-prefix.sh
export WINEDEBUG=-all
# A new Wine prefix claims Windows 7; Tumbora's installer wants Windows 10, version 1809.
wine winecfg /v win10

drive=$WINEPREFIX/drive_c
program="$drive/Program Files/Tumbora"
data="$drive/users/$(id -un)/AppData/Roaming/Tumbora"
# Wine puts an all-users shortcut into the user's Start menu; Windows into ProgramData's.
start_menu_entries=("$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Tumbora.lnk"
                    "$drive/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tumbora.lnk")
saved=$'"Proba"\r' # the first line of the subjects file after the save
product_code=$(msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductCode" { print $2 }')
uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product_code"
# Wine hands on only the low 8 bits of a Windows exit code: 1603 arrives as 67.
exit_code() { echo $(($1 % 256)); }

status=0
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; status=1; fi
}
installed_versions() {
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null |
        tr -d '\r' | awk '/DisplayName +REG_SZ +Tumbora$/ { found = 1 } /^HKEY/ { found = 0 }
                          found && /DisplayVersion/ { print $3 }' | sort | tr '\n' ' '
}
has_start_menu_entry() { [ -f "${start_menu_entries[0]}" ] || [ -f "${start_menu_entries[1]}" ]; }
not() { ! "$@"; }
holds_the_save() { [ "$(head -n 1 "$1" 2>/dev/null)" = "$saved" ]; }
holds_seven_files() { [ "$(find "$1" -name '*.dat' 2>/dev/null | wc -l)" -eq 7 ]; }
wait_for() { # up to 60 s
    for _ in $(seq 120); do "$@" && return 0; sleep 0.5; done
    return 1
}
start_program() {
    wine 'C:\Program Files\Tumbora\Tumbora.exe' >/dev/null 2>&1 &
    window=$(xdotool search --sync --name 'Калкулатор за средно аритметичен успех' | head -n 1)
}
# Ends the program the hard way (a question about unsaved edits must not hold it).
end_program() { wineserver -k; }

wine winecfg /v win81
wine msiexec /i "$msi" /qn /norestart && code=0 || code=$?
check "on Windows 8.1 it is refused with 1603" [ "$code" = "$(exit_code 1603)" ]
check "and nothing is installed" [ "$(installed_versions)" = "" ]
wine winecfg /v win10

wine msiexec /i "$older_msi" /qn
check "the older version installs" [ "$(installed_versions)" = "0.99 " ]
wine msiexec /i "$msi" /qn /norestart /l*v 'C:\tumbora-install.log' && code=0 || code=$?
check "the new version installs silently, status 0, with a log" \
    test "$code" = 0 -a -s "$drive/tumbora-install.log"
check "it replaces the older: one entry, 1.00" [ "$(installed_versions)" = "1.00 " ]
check "the list of programs names the publisher" \
    bash -c "wine reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall' /s | grep -q 'Publisher *REG_SZ *Tumbora'"
check "Tumbora.exe in Program Files" [ -f "$program/Tumbora.exe" ]
check "a Start-menu entry" has_start_menu_entry
check "the older version refuses to install over it" not wine msiexec /i "$older_msi" /qn
check "and 1.00 stays" [ "$(installed_versions)" = "1.00 " ]
wine msiexec /i "$rebuilt_msi" /qn /norestart || true # Windows answers 1638; Wine installs it over
check "1.00 built again is the same product: one entry" [ "$(installed_versions)" = "1.00 " ]
check "the list of programs offers no repair" \
    bash -c "wine reg query '$uninstall_key' /v NoRepair | grep -q 'NoRepair *REG_DWORD *0x1'"
check "the licences in the program folder" test -f "$program/licences/README.txt" -a -f "$program/licences/LGPL-3.0.txt"

# The first start fills the pupil's folder; the focus is on the first subject, and "Запиши!"
# is 32 Tab presses away.
start_program
check "the pupil's folder holds the seven default files" wait_for holds_seven_files "$data"
xdotool windowfocus --sync "$window" type --delay 20 Proba
# shellcheck disable=SC2046
xdotool key --delay 20 $(printf 'Tab %.0s' $(seq 32)) space
check "a save lands in the pupil's folder" wait_for holds_the_save "$data/Predmeti.dat"
check "and not in the program folder" cmp -s "$program/Predmeti.dat" data/Predmeti.dat
end_program
start_program
check "a second start keeps the saved file" holds_the_save "$data/Predmeti.dat"
end_program

wine msiexec /x "$product_code" /qn && code=0 || code=$?
check "removed silently by its ProductCode $product_code, status 0" [ "$code" = 0 ]
check "removed: the program folder" [ ! -e "$program" ]
check "removed: the Start-menu entry" not has_start_menu_entry
check "removed: the entry in the list of programs" [ "$(installed_versions)" = "" ]
check "kept: the pupil's files" holds_the_save "$data/Predmeti.dat"
exit $status
