#!/usr/bin/env bash
# Installs the build into a temporary folder, as the package does, and checks the program
# folder: executable, default data files, Qt's Bulgarian translation, icons and the licences
# of what ships of others; that the program starts there and reports a missing file; and that
# a second install keeps saved data. Skips (77) the start, saying so, where Xvfb or xdotool is
# missing.
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

# The installed program starts from its folder, finds its files and shows the calculator; with
# a file missing it shows a load failure's box and, once that is closed, ends with a failure.
# On a private X server: the first window's title, and the program's status after the box is
# answered with Return or the calculator is ended (SIGTERM, 143). A Windows build's start is
# left to the installer's check under Wine.
start() {
    xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb bash -c '
        "$1" & program=$!
        window=$(timeout 20 xdotool search --sync --onlyvisible --limit 1 \
                 --name "^(Калкулатор за средно аритметичен успех|Грешка)$") || true
        title=$(xdotool getwindowname "$window" 2>/dev/null || echo "no window")
        # Qt maps the translation it loaded: the folder'"'"'s own copy, though Qt has one too.
        grep -qF "$2" "/proc/$program/maps" && title+=", its own translation"
        if [[ $title = Грешка* ]]; then xdotool windowfocus --sync "$window" key Return; else kill "$program"; fi
        timeout 20 tail --pid="$program" -s 0.1 -f /dev/null || kill -9 "$program" # hung: 137
        wait "$program" && status=0 || status=$?
        echo "$title, status $status"' start "$prefix/$executable" "$prefix/translations/qtbase_bg.qm" 2>/dev/null
}
expect_start() {
    local shown
    shown=$(start) || true
    [ "$shown" = "$1" ] || { echo "the installed program $2: expected \"$1\", got \"$shown\""; status=1; }
}
skipped=
if [[ $executable != *.exe ]]; then
    if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
        expect_start "Калкулатор за средно аритметичен успех, its own translation, status 143" "started"
        mv "$prefix/Ocenki.dat" "$prefix/Ocenki.dat.away"
        expect_start "Грешка, its own translation, status 1" "started without Ocenki.dat"
        mv "$prefix/Ocenki.dat.away" "$prefix/Ocenki.dat"
    else
        skipped="its start (needs the Debian packages xvfb, xauth and xdotool)"
    fi
fi

# A pupil's saved data survive a reinstall into the same folder; a lost file comes back.
printf '"saved"\r\n' > "$prefix/Ocenki.dat"
rm "$prefix/Petuk.dat"
cmake --install "$build" --prefix "$prefix" >/dev/null
[ "$(cat "$prefix/Ocenki.dat")" = $'"saved"\r' ] || { echo "reinstall overwrote Ocenki.dat"; status=1; }
need Petuk.dat
[ $status -eq 0 ] || exit $status
echo "program folder laid out as expected"
[ -z "$skipped" ] || { echo "skipped: $skipped"; exit 77; }
