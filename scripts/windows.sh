#!/usr/bin/env bash
# Builds Tumbora for 64-bit Windows on Debian, runs every test under Wine, and makes both
# Windows deliveries in build-windows/ (or the folder in BUILD_DIR): Tumbora-1.00-Windows.zip,
# the portable program folder, and Tumbora-1.00-Windows.msi, the installer for schools, which
# is then checked (msiinfo), installed, used and removed under Wine. Both carry the licences of
# what ships of others. Given a certificate (TUMBORA_SIGN_PKCS12, TUMBORA_SIGN_PASSWORD and
# TUMBORA_SIGN_TIMESTAMP: see scripts/windows-sign.sh), Tumbora.exe and the MSI are signed;
# without one they are not, and signing is proven with a throwaway certificate. Run as root:
# it installs the Debian packages it needs. Qt for Windows is built from Debian's source
# once, into TUMBORA_WINDOWS_CACHE (default /var/cache/tumbora-windows; see
# scripts/windows-qt.sh), which also holds the Wine prefix the tests run in. Remove that
# folder to start over.
set -euo pipefail
cd "$(dirname "$0")/.."

# fonts-wine holds Wine's Tahoma; wixl makes the installer and msitools reads and completes
# it; xdotool types into the installed program; osslsigncode signs.
bash scripts/debian-packages.sh cmake ninja-build qt6-base-dev-tools qt6-translations-l10n \
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 \
    wine wine64 fonts-wine fonts-dejavu-core xvfb xauth wixl msitools xdotool osslsigncode openssl unzip
bash scripts/windows-qt.sh

cache=${TUMBORA_WINDOWS_CACHE:-/var/cache/tumbora-windows}
build_dir=${BUILD_DIR:-build-windows}
WINEPREFIX=${WINEPREFIX:-$cache/wine} bash scripts/wine-prefix.sh

bash scripts/windows-build.sh "$build_dir" -DTUMBORA_BUILD_BENCHMARKS=OFF
(cd "$build_dir" && cpack)
# The tests' windows are real Windows windows, which Wine puts on an X display: a Wine
# server left from an earlier run would still serve a display that is gone.
WINEPREFIX=${WINEPREFIX:-$cache/wine} wineserver -k || true
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$build_dir" --output-on-failure

# The installer holds the same program built for all users: each user's data files live in
# that user's %APPDATA%\Tumbora. It is tried out beside an older version of itself and
# beside itself built again.
all_users=$build_dir/for-all-users
bash scripts/windows-build.sh "$all_users" -DTUMBORA_SYSTEM_INSTALL=ON -DBUILD_TESTING=OFF \
    -DTUMBORA_BUILD_BENCHMARKS=OFF
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$all_users/CMakeCache.txt")
msi=$build_dir/Tumbora-$version-Windows.msi
bash scripts/windows-msi.sh "$all_users" "$msi"
bash scripts/windows-msi.sh "$all_users" "$all_users/rebuilt.msi"
bash scripts/windows-msi.sh "$all_users" "$all_users/older.msi" 0.99
bash tests/delivery/msi-tables.sh "$msi" "$all_users/rebuilt.msi" "$all_users/older.msi"
xvfb-run -a -s "-screen 0 1280x1024x24" \
    bash tests/delivery/windows-installer.sh "$msi" "$all_users/older.msi" "$all_users/rebuilt.msi"
bash tests/delivery/windows-signing.sh "$build_dir/Tumbora-$version-Windows.zip" "$msi" "$all_users"
