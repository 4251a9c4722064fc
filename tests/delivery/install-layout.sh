#!/usr/bin/env bash
# Installs the build into a temporary folder, as the package does, and checks the program
# folder: executable, default data files, Qt's Bulgarian translation, icons and the licences
# of what ships of others; that the program starts there; and that a second install keeps
# saved data.
# Usage: install-layout.sh <build folder> <executable name> <icon size>...
set -euo pipefail
build=$1 executable=$2
shift 2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
need() {
    if [ ! -f "$prefix/$1" ]; then
        echo "missing from the program folder: $1"
        status=1
    fi
}
data=(Predmeti.dat Ocenki.dat Ponedelnic.dat Vtornic.dat Srqda.dat Chetvurtuk.dat Petuk.dat)
need "$executable"
[ -x "$prefix/$executable" ] || { echo "$executable is not executable"; status=1; }
for file in "${data[@]}" translations/qtbase_bg.qm icons/tumbora.svg \
            licences/README.txt licences/GPL-3.0.txt licences/Qt-GPL-exception-1.0.txt; do
    need "$file"
done
for size in "$@"; do need "icons/tumbora-$size.png"; done
# A Windows folder carries the libraries, plugins and translation of Qt and the compiler's
# runtime, for a machine that has none of them, with their licences; a Linux folder the
# program that its launcher starts.
if [[ $executable == *.exe ]]; then
    for file in Qt6Core.dll Qt6Gui.dll Qt6Network.dll Qt6Widgets.dll platforms/qwindows.dll \
                styles/qwindowsvistastyle.dll translations/qtbase_bg.qm \
                libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll \
                licences/LGPL-3.0.txt licences/GPL-2.0.txt licences/Qt-third-party.txt \
                licences/GCC-exception-3.1.txt licences/MinGW-w64.txt; do
        need "$file"
    done
else
    need tumbora-bin
fi

# The installed program starts from its folder, finds its files and keeps running (a Windows
# build's is left to the installer's check under Wine).
if [[ $executable != *.exe ]]; then
    QT_QPA_PLATFORM=offscreen timeout 3 "$prefix/$executable" >/dev/null 2>&1 && ran=0 || ran=$?
    [ $ran -eq 124 ] || { echo "the installed program ended by itself (status $ran)"; status=1; }
fi

# A pupil's saved data survive a reinstall into the same folder; a lost file comes back.
printf '"saved"\r\n' > "$prefix/Ocenki.dat"
rm "$prefix/Petuk.dat"
cmake --install "$build" --prefix "$prefix" >/dev/null
[ "$(cat "$prefix/Ocenki.dat")" = $'"saved"\r' ] || { echo "reinstall overwrote Ocenki.dat"; status=1; }
need Petuk.dat
[ $status -eq 0 ] && echo "program folder laid out as expected"
exit $status
