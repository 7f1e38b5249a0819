#!/usr/bin/env bash
# Makes what the signed-file tests need in OUT: the throwaway certificates, two connection
# files that hold every setting a signature covers (but the alternate address, which the
# signer adds) signed by "publisher" (alpha.rdp, name "Alpha") and by "other" (beta.rdp, name
# "Beta"), and pinned/rdp_publisher.h, the pin header of a program that trusts "publisher" only.
# Usage: make_signed_fixtures.sh OUT SOURCE_ROOT
set -euo pipefail
out=$1 root=$2
"$root/tests/support/make_test_certs.sh" "$out"
source "$root/packaging/rdp_file.sh"
export SKIFFDESK_SIGN_PASSWORD=throwaway

fixture() { # file name pfx
    rdp_lines=("screen mode id:i:2")
    local entry prefix
    for entry in "${rdp_secure_settings[@]}"; do
        prefix=${entry%%|*}
        case $prefix in
            "alternate full address:s:") continue ;;
            "full address:s:") rdp_lines+=("${prefix}apps.skiffdesk.example") ;;
            "remoteapplicationname:s:") rdp_lines+=("$prefix$2") ;;
            "drivestoredirect:s:") rdp_lines+=("${prefix}Z:") ;;
            *:i:) rdp_lines+=("${prefix}1") ;;
            *) rdp_lines+=("${prefix}x") ;;
        esac
    done
    rdp_ends=()
    for entry in "${rdp_lines[@]}"; do rdp_ends+=($'\r\n'); done
    rdp_write "$1"
    "$root/packaging/sign_rdp.sh" "$3" "$1"
}
fixture "$out/alpha.rdp" Alpha "$out/publisher.pfx"
fixture "$out/beta.rdp" Beta "$out/other.pfx"

mkdir -p "$out/pinned"
sed "s/@SKIFFDESK_RDP_PUBLISHER@/$(cat "$out/publisher.sha1")/" "$root/cmake/rdp_publisher.h.in" \
    >"$out/pinned/rdp_publisher.h"
