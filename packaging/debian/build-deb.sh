#!/usr/bin/env bash
# Packs an install for all users under /usr as a Debian package, the way debhelper would:
# stripped binary, compressed manual page and changelog, copyright, Depends from the
# libraries the binary links (dpkg-shlibdeps), md5sums, files owned by root.
# Usage: build-deb.sh <build folder configured with -DTUMBORA_SYSTEM_INSTALL=ON
#                      -DCMAKE_INSTALL_PREFIX=/usr> <output folder>
set -euo pipefail
build=$(realpath "$1") output=$(realpath "$2")
umask 022
cd "$build"
stage=debian/tumbora
rm -rf "$stage" debian/substvars
DESTDIR=$stage cmake --install . >/dev/null

binary=$stage/usr/lib/tumbora/tumbora
strip --remove-section=.comment --remove-section=.note --strip-unneeded "$binary"
gzip -9n "$stage"/usr/share/man/man1/tumbora.1
doc=$stage/usr/share/doc/tumbora
install -d "$doc"
install -m 644 debian/copyright "$doc"
gzip -9nc debian/changelog > "$doc/changelog.Debian.gz"
install -D -m 644 debian/lintian-overrides "$stage/usr/share/lintian/overrides/tumbora"

install -d "$stage/DEBIAN"
dpkg-shlibdeps -Tdebian/substvars "$binary"
dpkg-gencontrol -ptumbora -P"$stage"
(cd "$stage" && find usr -type f | LC_ALL=C sort | xargs -d '\n' md5sum > DEBIAN/md5sums)
dpkg-deb --root-owner-group -Zxz --build "$stage" "$output"
