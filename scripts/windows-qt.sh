#!/usr/bin/env bash
# Builds Qt (Core, Gui, Widgets, Test and the Windows platform and style plugins) for 64-bit
# Windows with MinGW-w64 from Debian's qt6-base source, once, into a cache folder outside the
# repository: TUMBORA_WINDOWS_CACHE, by default /var/cache/tumbora-windows. A finished build is
# reused; remove the folder to start over. Run as root on Debian (it adds a deb-src entry).
set -euo pipefail
# Read whole before running, so editing this file during the long build is harmless.
{
cd "$(dirname "$0")/.."
repo=$PWD

cache=${TUMBORA_WINDOWS_CACHE:-/var/cache/tumbora-windows}
prefix=$cache/qt
toolchain=$repo/cmake/mingw-w64-x86_64.cmake

# sql, xml and the rest are not used by Tumbora and only lengthen the build; nor are
# JPEG, GIF, the FreeType engine (Windows draws text with DirectWrite), QGraphicsView or the
# Direct2D platform plugin (direct2d1_1; direct2d itself stays, the fonts use it).
# Debian's source leaves out the wintab headers, so tablet events go; opengl stays on because
# the 6.4 Windows platform plugin does not compile without it. Network stays for its local
# sockets (a second start finds the open window through one), without SSL; 6.4 would still
# build its Schannel plugin, which does not compile without SSL, unless told not to.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    -DFEATURE_sql=OFF -DFEATURE_ssl=OFF -DFEATURE_schannel=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_freetype=OFF -DFEATURE_graphicsview=OFF
    -DFEATURE_direct2d1_1=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_system_zlib=OFF
)
stamp_text="qt6-base ${qt_options[*]}"
if [ -f "$prefix/tumbora-qt.stamp" ] && [ "$(cat "$prefix/tumbora-qt.stamp")" = "$stamp_text" ]; then
    echo "Qt for Windows: reusing $prefix"
    exit 0
fi

# qt6-base-dev holds the host information (Qt6HostInfo) a cross build of Qt looks for.
bash scripts/debian-packages.sh cmake ninja-build dpkg-dev qt6-base-dev qt6-base-dev-tools \
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64

mkdir -p "$cache/src"
source_dir=$(find "$cache/src" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
if [ -z "$source_dir" ]; then
    # Source entries beside the machine's Debian entries: same archive, same suites.
    if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
        if [ -f /etc/apt/sources.list.d/debian.sources ]; then
            sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
                > /etc/apt/sources.list.d/tumbora-deb-src.sources
        else
            sed -n 's/^deb /deb-src /p' /etc/apt/sources.list \
                > /etc/apt/sources.list.d/tumbora-deb-src.list
        fi
        apt-get update -q
    fi
    (cd "$cache/src" && apt-get source -q qt6-base)
    source_dir=$(find "$cache/src" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
fi

# Debian's own Qt of the same version supplies the host tools (moc, rcc, uic).
cmake -S "$source_dir" -B "$cache/qtbase-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${qt_options[@]}"
cmake --build "$cache/qtbase-build" --parallel "$(nproc)"
cmake --install "$cache/qtbase-build"
echo "$stamp_text" > "$prefix/tumbora-qt.stamp"
rm -rf "$cache/qtbase-build" # 1.5 GB, not needed once Qt is installed
exit 0
}
