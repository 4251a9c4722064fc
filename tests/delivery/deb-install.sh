#!/usr/bin/env bash
# Installs the Debian package as on a pupil's computer and takes it away again, as root:
# apt installs it; a new user's first start under Xvfb fills ~/.local/share/Tumbora with the
# seven default files, shows a window of the class its desktop entry names, speaks Qt's
# Bulgarian from Debian's translations, and a save from the window lands there (the package's
# own test, debian/tests/first-start); remove and purge take every file of the package and
# leave that folder alone; installing again keeps the user's data. Leaves the machine as it
# found it: the user, the package and the packages apt brought with it go again, also after a
# failure. Needs xvfb, xauth, xdotool, x11-utils and desktop-file-utils.
# Usage: deb-install.sh <tumbora_*.deb>
set -euo pipefail
deb=$(realpath "$1")
first_start=$(realpath "$(dirname "$0")/../../debian/tests/first-start")
[ "$(id -u)" -eq 0 ] || { echo "run as root: it installs and removes a package and a user"; exit 1; }
if dpkg-query -W tumbora >/dev/null 2>&1; then
    echo "dpkg knows a tumbora package already; purge it first"
    exit 1
fi

work=$(mktemp -d)
chmod 755 "$work"
user=tumbora-check-$$
home=$work/home
data=$home/.local/share/Tumbora
x_sockets=/tmp/.X11-unix
apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -q -y -o DPkg::Lock::Timeout=600 "$@" > "$work/apt.log" 2>&1 ||
        { cat "$work/apt.log"; return 1; }
}
cleanup() {
    set +e
    # Whatever a session left running: Xvfb removes its lock and socket when terminated.
    pkill -u "$user" 2>/dev/null && sleep 2
    pkill -KILL -u "$user" 2>/dev/null
    [ -n "${made_x_sockets:-}" ] && rmdir "$x_sockets" 2>/dev/null
    dpkg-query -W tumbora >/dev/null 2>&1 && apt_get purge tumbora
    mapfile -t brought < "$work/brought"
    [ ${#brought[@]} -eq 0 ] || apt_get purge "${brought[@]}"
    id "$user" >/dev/null 2>&1 && userdel -r "$user" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The packages the install brings new besides tumbora (an upgrade shows its old version in
# brackets), as apt plans it, to take away at the end.
apt-get install -s "$deb" | awk '$1 == "Inst" && $2 != "tumbora" && $3 !~ /^\[/ { print $2 }' > "$work/brought"
# Xvfb makes the folder of X sockets where there is none, as the user it runs as.
[ -d "$x_sockets" ] || { mkdir -m 1777 "$x_sockets"; made_x_sockets=1; }
useradd --create-home --home-dir "$home" --shell /bin/bash "$user"
install -d -m 700 -o "$user" "$work/runtime" "$work/tmp"
install -m 755 "$first_start" "$work/first-start"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The user's own session, a fresh environment as after a login, running the package's test:
# the first start and a save, or a start alone ("start").
session() {
    timeout 180 runuser -u "$user" -- env -i -C "$home" HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 \
        XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp" bash "$work/first-start" "$1"
}
snapshot() { (cd "$data" && stat -c '%a %U %s %n' . ./* && sha256sum ./*); }

echo "== install"
apt_get install "$deb"
depends=$(dpkg-query -W -f='${Depends}' tumbora)
echo "Depends: $depends"
depended=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
# Each library the program links comes from a package it depends on. (Debian keeps some
# libraries in /lib, some in /usr/lib, and the loader finds either through /lib.)
binary=/usr/bin/tumbora
for library in $(objdump -p "$binary" | awk '$1 == "NEEDED" { print $2 }'); do
    path=$(ldd "$binary" | awk -v name="$library" '$1 == name { print $3 }')
    package=$( { dpkg -S "$path" || dpkg -S "/usr$path"; } 2>/dev/null | cut -d: -f1)
    [ -n "$package" ] && grep -qxF -- "$package" <<<"$depended" ||
        fail "Depends lacks ${package:-the package} that holds $library"
done
grep -qx fonts-liberation2 <<<"$depended" || fail "Depends lacks fonts-liberation2"
# Qt's Bulgarian texts come from Debian's package, not from a copy.
grep -qx qt6-translations-l10n <<<"$depended" || fail "Depends lacks qt6-translations-l10n"
dpkg -L tumbora | grep '\.qm$' && fail "the package carries a translation of its own"

desktop_entry=$(dpkg -L tumbora | grep '^/usr/share/applications/.*\.desktop$')
desktop-file-validate "$desktop_entry" || fail "desktop-file-validate: $desktop_entry"
# The icon theme's lookup: the entry's icon name at each size of the hicolor theme.
icon=$(sed -n 's/^Icon=//p' "$desktop_entry")
[ -f "/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon $icon"
for size in 16 32 48 64 128 256; do
    png=/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png
    read -r _ _ w1 w2 _ _ h1 h2 < <(od -An -N8 -j16 -tu1 "$png") || { fail "no icon $png"; continue; }
    [ "$((w1 * 256 + w2))x$((h1 * 256 + h2))" = "${size}x${size}" ] || fail "$png is not ${size}x${size}"
done

echo "== first start and a save, as $user"
session save || fail "the first start and save"
snapshot > "$work/user-data"
session blocked || fail "a start where the user's folder cannot be made"

dpkg -L tumbora | grep -v '^/\.$' > "$work/package-files"

# Takes the package away with apt-get remove or purge and checks that every file it had is
# gone (a folder may stay where another package owns it too) and the user's folder is not.
take_away() {
    echo "== apt-get $1"
    apt_get "$1" tumbora
    while read -r path; do
        if [ -e "$path" ] || [ -L "$path" ]; then
            [ -d "$path" ] && dpkg -S "$path" >/dev/null 2>&1 || fail "$1 left $path"
        fi
    done < "$work/package-files"
    dpkg-query -W tumbora >/dev/null 2>&1 && fail "dpkg still knows tumbora after $1"
    snapshot | cmp -s "$work/user-data" - || fail "$1 changed $data"
}

take_away remove
echo "== install again and start"
apt_get install "$deb"
session start || fail "the start after installing again"
snapshot | cmp -s "$work/user-data" - || fail "the start after installing again changed $data"
take_away purge

[ $failures -eq 0 ] && echo "deb install, first start, save, remove, reinstall and purge as expected"
exit $((failures > 0))
