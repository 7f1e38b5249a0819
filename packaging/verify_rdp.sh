#!/usr/bin/env bash
# Checks the signatures of signed connection files with OpenSSL: the content is rebuilt from
# each file's own lines in the order its signscope names them, and the detached signature must
# verify over it with a certificate that chains to CAFILE. A file whose signscope leaves out a
# covered setting that the file holds fails too.
# Usage: verify_rdp.sh CAFILE FILE...   Prints one line per file; exits 1 when any fails.
set -uo pipefail
[ $# -ge 2 ] || { echo "usage: $0 CAFILE FILE..." >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
source "$here/rdp_file.sh"
cafile=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

verify_file() {
    local file=$1 i entry prefix name index signscope="" signature="" covered=()
    rdp_read "$file" || return 1
    for i in "${!rdp_lines[@]}"; do
        case ${rdp_lines[i],,} in
            signscope:s:*) [ -z "$signscope" ] || { echo "two signscope lines"; return 1; }
                signscope=${rdp_lines[i]} ;;
            signature:s:*) [ -z "$signature" ] || { echo "two signature lines"; return 1; }
                signature=${rdp_lines[i]:12} ;;
        esac
    done
    [ -n "$signscope" ] && [ -n "$signature" ] || { echo "not signed"; return 1; }
    local names=() wanted
    IFS=, read -r -a names <<<"${signscope:12}"
    for wanted in "${names[@]}"; do
        index=""
        for entry in "${rdp_secure_settings[@]}"; do
            [ "${entry#*|}" = "$wanted" ] || continue
            prefix=${entry%%|*}
            index=$(rdp_setting_index "$prefix")
        done
        [ -n "$index" ] || { echo "signscope names \"$wanted\", which the file lacks or which is unknown"; return 1; }
        covered+=("$index")
    done
    for entry in "${rdp_secure_settings[@]}"; do
        index=$(rdp_setting_index "${entry%%|*}")
        [ -z "$index" ] || [[ " ${covered[*]} " == *" $index "* ]] ||
            { echo "\"${entry%%|*}\" is not covered by the signature"; return 1; }
    done
    rdp_content "$work/content" "$signscope" "${covered[@]}"
    printf '%s' "$signature" | base64 -d >"$work/signature.bin" 2>/dev/null ||
        { echo "the signature is not base64"; return 1; }
    [ "$(head -c 8 "$work/signature.bin" | od -An -tx1 | tr -d ' \n')" = "0100010001000000" ] ||
        { echo "the signature's header is wrong"; return 1; }
    tail -c +13 "$work/signature.bin" >"$work/signature.der"
    local length
    length=$(head -c 12 "$work/signature.bin" | tail -c 4 | od -An -tu4 --endian=little | tr -d ' ')
    [ "$length" = "$(wc -c <"$work/signature.der")" ] || { echo "the signature's length is wrong"; return 1; }
    openssl cms -verify -purpose any -binary -inform DER -in "$work/signature.der" \
        -content "$work/content" -CAfile "$cafile" -out /dev/null 2>"$work/openssl.log" ||
        { echo "the signature does not verify: $(head -1 "$work/openssl.log")"; return 1; }
    echo "verified"
}

failed=0
for file in "$@"; do
    result=$(verify_file "$file" 2>&1) || failed=1
    echo "$file: $result"
done
exit $failed
