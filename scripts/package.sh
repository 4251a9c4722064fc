#!/usr/bin/env bash
# Builds Tumbora and packs it twice, into build/ (or the folder in BUILD_DIR): the program
# folder as Tumbora-<version>-Linux.tar.gz, and the Debian package
# tumbora_<version>-<revision>_<architecture>.deb with its debug symbols (-dbgsym), which
# dpkg-buildpackage builds from debian/ in build-deb/ (or DEB_BUILD_DIR; see
# scripts/deb-build.sh), where its .changes stays.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
build_dir=${BUILD_DIR:-build}
(cd "$build_dir" && cpack)

deb_build_dir=${DEB_BUILD_DIR:-build-deb}
rm -f "$deb_build_dir"/*.deb "$deb_build_dir"/*.changes "$deb_build_dir"/*.buildinfo
bash scripts/deb-build.sh "$deb_build_dir"
cp "$deb_build_dir"/*.deb "$build_dir"/
