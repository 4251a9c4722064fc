#!/usr/bin/env bash
# Builds the Debian packages a second time from the same tree (scripts/deb-build.sh), in
# another folder under another name, with another umask, time zone and language, and without
# the tests (nocheck, which must change nothing in them), and checks that each .deb is byte
# for byte the one of the first build: the packages are reproducible. Prints both checksums.
# Usage: deb-reproducible.sh <folder of the first build's .deb files>
set -euo pipefail
cd "$(dirname "$0")/../.."
first=$(realpath "$1")
second=$(mktemp -d /tmp/tumbora-again.XXXXXX)
trap 'rm -rf "$second"' EXIT

echo "== the packages built again in $second/elsewhere"
(umask 002 && TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 DEB_BUILD_OPTIONS=nocheck \
    bash scripts/deb-build.sh "$second" elsewhere) > "$second/build.log" 2>&1 ||
    { tail -n 50 "$second/build.log"; exit 1; }
status=0
for deb in "$first"/*.deb; do
    again=$second/$(basename "$deb")
    sha256sum "$deb" "$again"
    cmp -s "$deb" "$again" || { echo "FAIL: $(basename "$deb") differs between the two builds"; status=1; }
done
[ $status -eq 0 ] && echo "the two builds' packages are byte for byte the same"
exit $status
