#!/bin/sh
# Starts Tumbora from its program folder, which uses the system's Qt 6. Where the system
# lacks a library the program needs (or has one too old), the program could not start, and
# a double click would show nothing: this says instead what is missing and how to get it, in
# a window where the desktop offers one, and on the standard error.
here=$(dirname "$(readlink -f "$0")")
program=$here/tumbora-bin

# The loader's own list: a library "not found" or a version of one "not found"; else the
# first "undefined symbol"s, of a Qt older than the program's.
missing=
if command -v ldd >/dev/null 2>&1; then
    loader=$(LC_ALL=C ldd -r "$program" 2>&1)
    missing=$(printf '%s\n' "$loader" | grep 'not found') ||
        missing=$(printf '%s\n' "$loader" | grep -m 5 'undefined symbol')
fi
if [ -z "$missing" ]; then
    exec "$program" "$@"
fi

message="Тумбора не може да започне: в системата липсва нещо, от което има нужда.

Тумбора за Linux използва библиотеките на системата: Qt 6.4 или по-нова (Qt Widgets, Qt Gui,
Qt Core, Qt Network) и GNU C Library 2.34 или по-нова. В Debian 12 и Ubuntu 24.04 или по-нови
ги инсталирайте с
    sudo apt install libqt6widgets6 libqt6network6 qt6-translations-l10n fonts-liberation2
или инсталирайте пакета tumbora_*.deb, който ги носи със себе си.

Tumbora cannot start: the system lacks what it needs (Qt 6.4 or newer, glibc 2.34 or newer).

Липсва (missing):
$(printf '%s\n' "$missing" | sed 's/^[[:space:]]*//')"

echo "$message" >&2
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    title="Тумбора"
    if command -v zenity >/dev/null 2>&1; then
        zenity --error --title="$title" --no-markup --text="$message"
    elif command -v kdialog >/dev/null 2>&1; then
        kdialog --title "$title" --error "$message"
    elif command -v xmessage >/dev/null 2>&1; then
        echo "$message" | xmessage -center -title "$title" -file -
    elif command -v notify-send >/dev/null 2>&1; then
        notify-send --urgency=critical "$title" "$message"
    fi
fi 2>/dev/null
exit 1
