#!/usr/bin/env bash
# Signing, proven with a throwaway self-signed certificate made here: the installer built
# again from the build for all users with TUMBORA_SIGN_PKCS12 and TUMBORA_SIGN_PASSWORD set
# (scripts/windows-msi.sh, whose install signs Tumbora.exe) is signed, and so is the
# Tumbora.exe inside it, as osslsigncode verify shows. Without a certificate, what was built
# is unsigned: the zip's Tumbora.exe and the installer.
# Usage: windows-signing.sh <Tumbora-*-Windows.zip> <Tumbora-*-Windows.msi> <build for all users>
set -euo pipefail
cd "$(dirname "$0")/../.."
zip=$(realpath "$1") msi=$(realpath "$2") build=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
if [ -z "${TUMBORA_SIGN_PKCS12:-}" ]; then
    unzip -q -j "$zip" '*/Tumbora.exe' -d "$work/zip"
    for file in "$work/zip/Tumbora.exe" "$msi"; do
        if osslsigncode verify -in "$file" >/dev/null 2>&1; then
            echo "FAILED: $(basename "$file") is signed, though no certificate was given"
            status=1
        else
            echo "ok: $(basename "$file") unsigned, as no certificate was given"
        fi
    done
fi

openssl req -x509 -newkey rsa:3072 -nodes -days 1 -subj "/CN=Tumbora throwaway test certificate" \
    -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/certificate.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/certificate.pem" -out "$work/signing.p12" \
    -passout pass:throwaway
TUMBORA_SIGN_PKCS12=$work/signing.p12 TUMBORA_SIGN_PASSWORD=throwaway \
    bash scripts/windows-msi.sh "$build" "$work/signed.msi"
msiextract -C "$work/extracted" "$work/signed.msi" >/dev/null
for file in "$work/signed.msi" "$(find "$work/extracted" -name Tumbora.exe)"; do
    echo "== osslsigncode verify $(basename "$file")"
    osslsigncode verify -CAfile "$work/certificate.pem" -in "$file" | grep -E 'Subject|Signature verification|Succeeded|Failed' ||
        { echo "FAILED: the signature of $(basename "$file")"; status=1; }
done
exit $status
