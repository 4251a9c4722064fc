#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine: the build's icon tool and the tests
# (CMAKE_CROSSCOMPILING_EMULATOR), or Tumbora.exe by hand. Uses the Wine prefix and the Qt
# of scripts/windows.sh's cache, and finds the Qt and MinGW runtime DLLs through WINEPATH.
set -euo pipefail

cache=${TUMBORA_WINDOWS_CACHE:-/var/cache/tumbora-windows}
wine_path() { echo "Z:${1//\//\\}"; }
runtime_dir() { dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name="$1")"; }

export WINEPREFIX=${WINEPREFIX:-$cache/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=} # no Mono or Gecko set-up
export WINEPATH="$(wine_path "$cache/qt/bin");$(wine_path "$(runtime_dir libstdc++-6.dll)");$(wine_path "$(runtime_dir libwinpthread-1.dll)")"

# Qt's test log goes to the debugger, not to a pipe, unless told otherwise.
export QT_FORCE_STDERR_LOGGING=1
# Wine keeps the host's QT_* variables from Windows programs and hands on WINEQT_* as QT_*.
for name in $(compgen -e); do
    if [[ $name == QT_* ]]; then
        export "WINE$name=${!name}"
    fi
done
exec wine "$@"
