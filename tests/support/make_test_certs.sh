#!/usr/bin/env bash
# Makes the throwaway signing certificates of the tests in OUT: "publisher" and "other", each
# as NAME.pem (certificate), NAME.pfx (PKCS#12 with its key, password "throwaway") and
# NAME.sha1 (its SHA-1 thumbprint, 40 hex digits). Self-signed RSA code-signing certificates,
# valid for a few days: nothing outside the tests may trust them.
# Usage: make_test_certs.sh OUT
set -euo pipefail
out=$1
mkdir -p "$out"
for name in publisher other; do
    openssl req -x509 -newkey rsa:2048 -nodes -days 7 -subj "/CN=Skiffdesk test $name" \
        -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
        -keyout "$out/$name.key" -out "$out/$name.pem" 2>/dev/null
    openssl pkcs12 -export -inkey "$out/$name.key" -in "$out/$name.pem" -out "$out/$name.pfx" \
        -passout pass:throwaway
    openssl x509 -in "$out/$name.pem" -noout -fingerprint -sha1 | sed 's/.*=//; s/://g' >"$out/$name.sha1"
done
