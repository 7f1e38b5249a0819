#!/usr/bin/env bash
# Signs connection files in place with a PKCS#12 certificate, so that the remote desktop client
# can name their publisher: the settings a signature covers, in their fixed order, get a
# detached PKCS#7 signature (no signed attributes) in the two lines "signscope:s:" and
# "signature:s:" at the file's end. A file with "full address:s:" but no
# "alternate full address:s:" gets one with the same value first, so that none can be slipped
# in later. An earlier signature is replaced; every other line, the encoding and the line ends
# stay as they were.
# Usage: sign_rdp.sh PFX FILE...   (the certificate's password in SKIFFDESK_SIGN_PASSWORD)
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PFX FILE..." >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
source "$here/rdp_file.sh"
pfx=$1
shift
export SKIFFDESK_SIGN_PASSWORD=${SKIFFDESK_SIGN_PASSWORD-}

umask 077
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Certificates exported by Windows may use ciphers that OpenSSL 3 keeps in its legacy set.
from_pfx() { # what to take, as openssl pkcs12 options...
    openssl pkcs12 -in "$pfx" -passin env:SKIFFDESK_SIGN_PASSWORD "$@" 2>/dev/null ||
        openssl pkcs12 -legacy -in "$pfx" -passin env:SKIFFDESK_SIGN_PASSWORD "$@"
}
from_pfx -nokeys -clcerts -out "$work/signer.pem"
from_pfx -nocerts -nodes -out "$work/key.pem"
from_pfx -nokeys -cacerts -out "$work/chain.pem"
chain=()
[ -s "$work/chain.pem" ] && chain=(-certfile "$work/chain.pem")

# The 12 bytes before the signature: 0x00010001, 0x00000001 and the signature's length, each
# a little-endian 32-bit number.
header() {
    local n=$1
    printf '\x01\x00\x01\x00\x01\x00\x00\x00'
    printf "\\x$(printf %02x $((n & 255)))\\x$(printf %02x $((n >> 8 & 255)))"
    printf "\\x$(printf %02x $((n >> 16 & 255)))\\x$(printf %02x $((n >> 24 & 255)))"
}

sign_file() {
    local file=$1 i entry prefix name index full names="" signed=()
    rdp_read "$file"
    # The old signature goes; the new one is made over what remains.
    local kept_lines=() kept_ends=()
    for i in "${!rdp_lines[@]}"; do
        case ${rdp_lines[i],,} in signscope:s:* | signature:s:*) continue ;; esac
        kept_lines+=("${rdp_lines[i]}")
        kept_ends+=("${rdp_ends[i]}")
    done
    rdp_lines=("${kept_lines[@]}")
    rdp_ends=("${kept_ends[@]}")
    local count=${#rdp_lines[@]}
    # New lines follow the last one, which then needs a line end of its own.
    if [ "$count" -gt 0 ] && [ -z "${rdp_ends[count - 1]}" ]; then
        rdp_ends[count - 1]=$'\r\n'
    fi
    full=$(rdp_setting_index "full address:s:")
    if [ -n "$full" ] && [ -z "$(rdp_setting_index "alternate full address:s:")" ]; then
        rdp_lines+=("alternate full address:s:${rdp_lines[full]:15}")
        rdp_ends+=($'\r\n')
    fi
    for entry in "${rdp_secure_settings[@]}"; do
        prefix=${entry%%|*}
        name=${entry#*|}
        index=$(rdp_setting_index "$prefix")
        [ -n "$index" ] || continue
        for i in "${!rdp_lines[@]}"; do
            if [ "$i" != "$index" ] && [[ ${rdp_lines[i],,} == "$prefix"* ]]; then
                echo "$file: \"$prefix\" appears twice; which one is meant cannot be signed" >&2
                return 1
            fi
        done
        signed+=("$index")
        names+=${names:+,}$name
    done
    local signscope="signscope:s:$names"
    rdp_content "$work/content" "$signscope" "${signed[@]}"
    openssl cms -sign -binary -noattr -md sha256 -outform DER -in "$work/content" \
        -signer "$work/signer.pem" -inkey "$work/key.pem" "${chain[@]}" -out "$work/signature.der"
    { header "$(wc -c <"$work/signature.der")"; cat "$work/signature.der"; } >"$work/signature.bin"
    rdp_lines+=("$signscope" "signature:s:$(base64 -w0 "$work/signature.bin")")
    rdp_ends+=($'\r\n' $'\r\n')
    rdp_write "$work/signed.rdp"
    cat "$work/signed.rdp" >"$file"
}

for file in "$@"; do
    sign_file "$file"
done
