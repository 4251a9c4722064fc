#!/usr/bin/env bash
# Sets up the Wine prefix named by WINEPREFIX as a fresh Windows is set up for a program:
# Tahoma, the dialog font, in its Fonts folder (Debian's Wine does not pick up its own copy
# by itself), and font smoothing (ClearType) on, as Windows has it and Wine does not; without
# it Wine draws Tahoma below 11 pixels with broken strokes.
set -euo pipefail
: "${WINEPREFIX:?names the prefix}"
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=} # no Mono or Gecko set-up
wine wineboot --init >/dev/null 2>&1 # its notes on a new prefix are not ours
cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
for value in 'FontSmoothing /t REG_SZ /d 2' 'FontSmoothingType /t REG_DWORD /d 2'; do
    # shellcheck disable=SC2086
    wine reg add 'HKCU\Control Panel\Desktop' /v $value /f >/dev/null
done
wineserver -w
