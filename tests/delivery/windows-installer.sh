#!/usr/bin/env bash
# The installer for schools as a school's IT and a pupil use it, in a new Wine prefix:
# installed silently over an older version, which it replaces and which cannot come back
# over it; started from Program Files, which gives the pupil their own %APPDATA%\Tumbora
# filled with the default files, where a save lands and which a second start leaves alone;
# removed silently, which takes the program folder, the Start-menu entry and the entry in the
# list of programs, and leaves the pupil's files. Needs an X display (xvfb-run), wine and
# xdotool.
# Usage: windows-installer.sh <Tumbora-1.00-Windows.msi> <an older version's .msi>
set -euo pipefail
cd "$(dirname "$0")/../.."
msi=$(realpath "$1") older_msi=$(realpath "$2")

WINEPREFIX=$(mktemp -d)
export WINEPREFIX
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
bash scripts/wine-prefix.sh
export WINEDEBUG=-all

drive=$WINEPREFIX/drive_c
program="$drive/Program Files/Tumbora"
data="$drive/users/$(id -un)/AppData/Roaming/Tumbora"
# Wine puts an all-users shortcut into the user's Start menu; Windows into ProgramData's.
start_menu_entries=("$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Tumbora.lnk"
                    "$drive/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tumbora.lnk")
saved=$'"Proba"\r' # the first line of the subjects file after the save

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

wine msiexec /i "$older_msi" /qn
check "the older version installs" [ "$(installed_versions)" = "0.99 " ]
wine msiexec /i "$msi" /qn
check "the new version replaces it: one entry, 1.00" [ "$(installed_versions)" = "1.00 " ]
check "the list of programs names the publisher" \
    bash -c "wine reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall' /s | grep -q 'Publisher *REG_SZ *Tumbora'"
check "Tumbora.exe in Program Files" [ -f "$program/Tumbora.exe" ]
check "a Start-menu entry" has_start_menu_entry
check "the older version refuses to install over it" not wine msiexec /i "$older_msi" /qn
check "and 1.00 stays" [ "$(installed_versions)" = "1.00 " ]

# The first start fills the pupil's folder; the focus is on the first subject, and "Запиши!"
# is 32 Tab presses away.
start_program
check "the pupil's folder holds the seven default files" wait_for holds_seven_files "$data"
xdotool windowfocus --sync "$window" type --delay 20 Proba
# shellcheck disable=SC2046
xdotool key --delay 20 $(printf 'Tab %.0s' $(seq 32)) space
check "a save lands in the pupil's folder" wait_for holds_the_save "$data/Predmeti.dat"
check "and not in the program folder" cmp -s "$program/Predmeti.dat" data/Predmeti.dat
wineserver -k
start_program
check "a second start keeps the saved file" holds_the_save "$data/Predmeti.dat"
wineserver -k

wine msiexec /x "$msi" /qn
check "removed: the program folder" [ ! -e "$program" ]
check "removed: the Start-menu entry" not has_start_menu_entry
check "removed: the entry in the list of programs" [ "$(installed_versions)" = "" ]
check "kept: the pupil's files" holds_the_save "$data/Predmeti.dat"
exit $status
