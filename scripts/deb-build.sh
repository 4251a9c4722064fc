#!/usr/bin/env bash
# Builds the Debian package from debian/ as Debian does, with dpkg-buildpackage -us -uc -b, in
# a copy of the source tree (the files git knows of, committed or not; all but build folders
# elsewhere) made in the folder given, so the tree itself stays clean: the folder then holds
# tumbora_<version>_<architecture>.deb, its -dbgsym, .buildinfo and .changes. Installs the
# build dependencies first when run as root. DEB_BUILD_OPTIONS is passed on (nocheck skips
# the tests). Usage: deb-build.sh <output folder> [name of the copy, tumbora-<version> unless given]
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/debian-packages.sh dpkg-dev debhelper
output=$(mkdir -p "$1" && realpath "$1")
version=$(dpkg-parsechangelog -SVersion)
tree=$output/${2:-tumbora-${version%-*}}
rm -rf "$tree"
mkdir -p "$tree"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done |
        tar --null -T - -cf - | tar -xf - -C "$tree"
else
    tar --exclude='./build*' --exclude='./obj-*' -cf - . | tar -xf - -C "$tree"
fi

cd "$tree"
if ! dpkg-checkbuilddeps >/dev/null 2>&1; then
    if [ "$(id -u)" -eq 0 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -q --no-install-recommends \
            -o DPkg::Lock::Timeout=600 ./
    else
        dpkg-checkbuilddeps || { echo "Install them with: sudo apt-get build-dep $PWD" >&2; exit 1; }
    fi
fi
DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -us -uc -b
