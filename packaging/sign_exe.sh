#!/usr/bin/env bash
# Signs a Windows program in place (Authenticode, SHA-256) with the deployment's PKCS#12
# certificate: SKIFFDESK_SIGN_PFX and its password SKIFFDESK_SIGN_PASSWORD. With
# SKIFFDESK_TIMESTAMP_URL the signature is time-stamped there (RFC 3161), so it stays valid
# after the certificate expires; without it there is no time stamp.
# Usage: sign_exe.sh FILE...
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 FILE..." >&2; exit 2; }
: "${SKIFFDESK_SIGN_PFX:?names no certificate}"
umask 077
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The password from a file of our own, never on a command line that any process can read.
printf '%s' "${SKIFFDESK_SIGN_PASSWORD-}" >"$work/password"
timestamp=()
[ -n "${SKIFFDESK_TIMESTAMP_URL-}" ] && timestamp=(-ts "$SKIFFDESK_TIMESTAMP_URL")
for file in "$@"; do
    osslsigncode sign -pkcs12 "$SKIFFDESK_SIGN_PFX" -readpass "$work/password" -h sha256 \
        -n Skiffdesk "${timestamp[@]}" -in "$file" -out "$work/signed.exe" >"$work/log" 2>&1 ||
        { cat "$work/log" >&2; exit 1; }
    cat "$work/signed.exe" >"$file"
    rm -f "$work/signed.exe"
done
