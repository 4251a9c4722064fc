#!/usr/bin/env bash
# What Orca, the screen reader of GNOME, says while a pupil does the calculator's whole task by
# keyboard: a subject, a grade and the result read whole when their boxes get the focus, a
# refused character and a refused second character of a grade, the grade count when the list
# gets the focus and whenever it changes, and the mean after "Изчисли "; and that an edit made
# through the accessibility interface is fitted as a typed one (with python3-pyatspi, Orca's).
# Headless: Xvfb, a session D-Bus, the AT-SPI bus, Orca with its debug log, which holds each
# utterance as "SPEECH OUTPUT: '...'", and xdotool for the keys. Prints what Orca said at each
# step; fails, with its last words, when an expected phrase does not come within 30 s.
#   tests/screen-reader.sh build/app/tumbora
# Exits 77 (skipped) where a tool is missing: Debian packages orca, at-spi2-core, dbus-daemon,
# xvfb, xauth, xdotool.
set -euo pipefail

if [ "${1:-}" != --session ]; then
    program=$(realpath "$1")
    for tool in orca xvfb-run xdotool dbus-run-session script iconv flock; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool is missing"; exit 77; }
    done
    [ -x /usr/libexec/at-spi-bus-launcher ] || { echo "skipped: at-spi2-core is missing"; exit 77; }
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    # The program in a folder of its own with its data files, fifteen subjects and fourteen
    # grades, both beside it and in the user's folder, where a build for all users keeps them.
    cp "$program" "$work/"
    cp -r "$(dirname "$program")/translations" "$work/" 2>/dev/null || true
    mkdir -p "$work/home/.local/share/Tumbora"
    record() { for text; do printf '"%s"\r\n' "$text"; done | iconv -f UTF-8 -t CP1251; }
    record Математика Литература "Български език" Физика История География Биология Химия Информатика \
        Музика "Изобразително изкуство" "Физическо възпитание" Философия Технологии "Английски език" \
        | tee "$work/home/.local/share/Tumbora/Predmeti.dat" >"$work/Predmeti.dat"
    record 6 5 6 5 4 5 6 5 5 6 6 6 6 6 0 | tee "$work/home/.local/share/Tumbora/Ocenki.dat" >"$work/Ocenki.dat"
    # Orca --replace ends every other Orca of the user, and Orca will not start beside another:
    # runs of this script (from other build folders or checkouts) take turns.
    flock -o "${TMPDIR:-/tmp}/tumbora-screen-reader.lock" xvfb-run -a -s "-screen 0 1280x800x24" \
        dbus-run-session -- bash "$0" --session "$work" "$(basename "$program")"
    exit
fi

work=$2
log=$work/orca.log
export HOME=$work/home XDG_RUNTIME_DIR=$work/run LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb
mkdir -m 700 "$XDG_RUNTIME_DIR"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT

from=1
# Waits until Orca has said `phrase` since the last keys, and shows the utterance.
said() {
    local deadline=$((SECONDS + 30)) words
    until words=$(tail -n "+$from" "$log" | grep -a "SPEECH OUTPUT" | grep -aF -- "$1"); do
        if ((SECONDS > deadline)); then
            echo "FAIL: Orca did not say \"$1\". Its last words:"
            grep -a "SPEECH OUTPUT" "$log" | tail -n 20 || true
            exit 1
        fi
        sleep 0.3
    done
    echo "  Orca: ${words%%$'\n'*}" | sed -E "s/ - SPEECH OUTPUT: '(.*)'\{.*/: \1/"
}
# Keys one by one, as a pupil presses them.
press() {
    from=$(($(wc -l <"$log") + 1))
    echo "keys: $*"
    for key; do
        xdotool key "$key"
        sleep 0.4
    done
}
typing() {
    from=$(($(wc -l <"$log") + 1))
    echo "typed: $1"
    xdotool type --delay 400 "$1"
}

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
# Orca writes its log line by line only to a terminal, so it gets one (script). No voice: it
# logs what it says all the same, and Speech Dispatcher is not started (it may hang without a
# sound card).
SPEECHD_CMD=/bin/false script -qfc "orca --replace --debug-file=/dev/stdout" "$log" >/dev/null 2>&1 &
pids+=($!)
said "Screen reader on"
"$work/$3" >"$work/program.out" 2>&1 &
pids+=($!)
said "Калкулатор за средно аритметичен успех"
said "Предмет 1"
said "Математика" # whole, with its last letter

typing 😀
said "Знак, който не може да бъде записан във файла, е пропуснат."
press $(printf 'Tab %.0s' {1..14})
said "Оценка 1"
said "6 selected" # with the box (the selection alone is said apart: "6", "selected")
typing 34 # the grade 3 in place of 6, then a second character
said "Тук се пише само един знак."
press $(printf 'Tab %.0s' {1..17})
said "Брой предмети:"
said "15 от 15 оценки влизат в средния успех"
press Up
said "14 от 15 оценки влизат в средния успех"
press Down
said "15 от 15 оценки влизат в средния успех"
press Tab Tab Tab
said "Изчисли"
press space
said "Вашата средно аритметична оценка е 4.93333333333333"
press shift+Tab
said "4.93333333333333 selected" # the result box, whole

# An edit made through the accessibility interface (a screen reader's, dictation's) goes in as
# typed: a character the file cannot hold is left out, and said; the result box takes none.
from=$(($(wc -l <"$log") + 1))
echo "set through AT-SPI: subject 2, the result"
/usr/bin/python3 - <<'EOF'
import pyatspi
app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "Tumbora")
def box(name): return pyatspi.findDescendant(app, lambda child: child and child.name == name)
box("Предмет 2").queryEditableText().setTextContents("Литература😀")
result = box("Средноаритметична оценка")
result.queryEditableText().setTextContents("6")
assert result.queryText().getText(0, -1) == "4.93333333333333", "the result box took an edit"
EOF
said "Знак, който не може да бъде записан във файла, е пропуснат."
echo "Orca said all of it."
