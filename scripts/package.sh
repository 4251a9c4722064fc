#!/usr/bin/env bash
# Builds Tumbora and packs it twice, into build/ (or the folder in BUILD_DIR): the program
# folder as Tumbora-<version>-<system>.tar.gz, and the install for all users as the Debian
# package tumbora_<version>-<revision>_<architecture>.deb, from a second build in build-deb/
# (or DEB_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
build_dir=${BUILD_DIR:-build}
(cd "$build_dir" && cpack)

# Debian's compiler and linker flags, with every hardening feature on.
deb_build_dir=${DEB_BUILD_DIR:-build-deb}
bash scripts/debian-packages.sh dpkg-dev
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
BUILD_DIR=$deb_build_dir BUILD_TYPE=None \
CMAKE_ARGS="-DTUMBORA_SYSTEM_INSTALL=ON -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF -DTUMBORA_BUILD_BENCHMARKS=OFF" \
    bash scripts/build.sh
bash packaging/debian/build-deb.sh "$deb_build_dir" "$build_dir"
