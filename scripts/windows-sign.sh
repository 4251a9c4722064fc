#!/usr/bin/env bash
# Signs Windows files in place (Authenticode, SHA-256) with osslsigncode: Tumbora.exe, which
# the install signs when TUMBORA_SIGN_PKCS12 is set, and the MSI, which windows-msi.sh signs.
#   TUMBORA_SIGN_PKCS12     the certificate and its key, a PKCS#12 file (.pfx, .p12)
#   TUMBORA_SIGN_PASSWORD   its password, if it has one (handed on in a file, not on the command line)
#   TUMBORA_SIGN_TIMESTAMP  the address of a time-stamping server (RFC 3161), so a signature
#                           stays valid after the certificate expires; none without it
# Usage: windows-sign.sh <file>...
set -euo pipefail
: "${TUMBORA_SIGN_PKCS12:?names the PKCS#12 file of the signing certificate}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
options=(-pkcs12 "$TUMBORA_SIGN_PKCS12" -h sha256 -n Tumbora)
if [ -n "${TUMBORA_SIGN_PASSWORD:-}" ]; then
    (umask 077 && printf '%s' "$TUMBORA_SIGN_PASSWORD" > "$work/password")
    options+=(-readpass "$work/password")
fi
if [ -n "${TUMBORA_SIGN_TIMESTAMP:-}" ]; then
    options+=(-ts "$TUMBORA_SIGN_TIMESTAMP")
fi
for file in "$@"; do
    rm -f "$work/signed"
    osslsigncode sign "${options[@]}" -in "$file" -out "$work/signed" >/dev/null
    # The signed copy replaces the file whole, keeping its permissions.
    cat "$work/signed" > "$file"
    echo "signed: $file"
done
