#!/usr/bin/env bash
# The connection-file signer against OpenSSL: the content each signature must cover is written
# out here line by line (never taken from the signer's own code), and `openssl cms -verify`
# must accept the signature over it, and refuse it once a covered line changes.
# Usage: sign_rdp_test.sh SOURCE_ROOT
set -uo pipefail
root=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

"$root/tests/support/make_test_certs.sh" "$work/certs" || exit 1
export SKIFFDESK_SIGN_PASSWORD=throwaway

utf16() { { printf '\xff\xfe'; printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; } >"$2"; }
text_of() { tail -c +3 "$1" | iconv -f UTF-16LE -t UTF-8; }
# The signature's DER, after its 12-byte header (checked on the way).
signature_der() { # file out
    local value
    value=$(text_of "$1" | sed -n 's/^signature:s:\(.*\)\r$/\1/p')
    printf '%s' "$value" | base64 -d >"$2.bin" || return 1
    local size=$(($(wc -c <"$2.bin") - 12))
    local expected
    expected=$(printf '01000100 01000000 %02x%02x%02x%02x' $((size & 255)) $((size >> 8 & 255)) \
        $((size >> 16 & 255)) $((size >> 24 & 255)))
    [ "$(head -c 12 "$2.bin" | od -An -tx1 | tr -d ' \n')" = "${expected// /}" ] ||
        { echo "header $(head -c 12 "$2.bin" | od -An -tx1) is not $expected"; return 1; }
    tail -c +13 "$2.bin" >"$2"
}
# Whether the signature of file verifies over the given lines (CR LF after each, then a NUL).
verifies() { # file line...
    local file=$1
    shift
    { printf '%s\r\n' "$@" | iconv -f UTF-8 -t UTF-16LE; printf '\0\0'; } >"$work/content"
    signature_der "$file" "$work/sig.der" || return 1
    openssl cms -verify -purpose any -binary -inform DER -in "$work/sig.der" \
        -content "$work/content" -CAfile "$work/certs/publisher.pem" -out /dev/null 2>/dev/null
}

# 1. No alternate address: one is added with the same value; an old signature is replaced;
#    the other lines, and an LF-only line end, stay.
before=$'screen mode id:i:2\r\nfull address:s:host.example\r\nremoteapplicationname:s:Ledger\r\nzz unknown:s:1\ndrivestoredirect:s:Z:\r\nredirectdrives:i:1\r\nremoteapplicationmode:i:1\r\nsignscope:s:Full Address\r\nsignature:s:AAAA\r\n'
utf16 "$before" "$work/a.rdp"
"$root/packaging/sign_rdp.sh" "$work/certs/publisher.pfx" "$work/a.rdp" || fail "signing a.rdp"
scope='signscope:s:Full Address,Alternate Full Address,RemoteApplicationMode,RemoteApplicationName,RedirectDrives,DrivesToRedirect'
kept=$'screen mode id:i:2\r\nfull address:s:host.example\r\nremoteapplicationname:s:Ledger\r\nzz unknown:s:1\ndrivestoredirect:s:Z:\r\nredirectdrives:i:1\r\nremoteapplicationmode:i:1\r\nalternate full address:s:host.example\r\n'"$scope"$'\r\n'
[ "$(text_of "$work/a.rdp" | head -n 9)" = "${kept%$'\n'}" ] || fail "a.rdp lines: $(text_of "$work/a.rdp" | cat -A)"
[ "$(text_of "$work/a.rdp" | wc -l)" = 10 ] || fail "a.rdp: not exactly one signature line at the end"
verifies "$work/a.rdp" "full address:s:host.example" "alternate full address:s:host.example" \
    "remoteapplicationmode:i:1" "remoteapplicationname:s:Ledger" "redirectdrives:i:1" \
    "drivestoredirect:s:Z:" "$scope" || fail "a.rdp does not verify"
"$root/packaging/verify_rdp.sh" "$work/certs/publisher.pem" "$work/a.rdp" >/dev/null || fail "verify_rdp.sh refuses a.rdp"

# 2. An alternate address of its own is signed as it stands; a last line without an end gets one.
utf16 $'alternate full address:s:other.example\r\nfull address:s:host.example\r\nserver port:i:3390' "$work/b.rdp"
"$root/packaging/sign_rdp.sh" "$work/certs/publisher.pfx" "$work/b.rdp" || fail "signing b.rdp"
scope='signscope:s:Full Address,Alternate Full Address,Server Port'
verifies "$work/b.rdp" "full address:s:host.example" "alternate full address:s:other.example" \
    "server port:i:3390" "$scope" || fail "b.rdp does not verify"
[ "$(text_of "$work/b.rdp" | sed -n 3,4p)" = $'server port:i:3390\r\n'"$scope"$'\r' ] || fail "b.rdp lines"

# 3. A covered line changed after signing breaks the signature; an uncovered one does not.
text_of "$work/a.rdp" | sed 's/^redirectdrives:i:1/redirectdrives:i:0/' | iconv -f UTF-8 -t UTF-16LE >"$work/c.body"
{ printf '\xff\xfe'; cat "$work/c.body"; } >"$work/c.rdp"
verifies "$work/c.rdp" "full address:s:host.example" "alternate full address:s:host.example" \
    "remoteapplicationmode:i:1" "remoteapplicationname:s:Ledger" "redirectdrives:i:0" \
    "drivestoredirect:s:Z:" "signscope:s:Full Address,Alternate Full Address,RemoteApplicationMode,RemoteApplicationName,RedirectDrives,DrivesToRedirect" &&
    fail "a changed covered line still verifies"
"$root/packaging/verify_rdp.sh" "$work/certs/publisher.pem" "$work/c.rdp" >/dev/null && fail "verify_rdp.sh accepts c.rdp"
text_of "$work/a.rdp" | sed 's/^screen mode id:i:2/screen mode id:i:1/' | iconv -f UTF-8 -t UTF-16LE >"$work/d.body"
{ printf '\xff\xfe'; cat "$work/d.body"; } >"$work/d.rdp"
"$root/packaging/verify_rdp.sh" "$work/certs/publisher.pem" "$work/d.rdp" >/dev/null || fail "verify_rdp.sh refuses an uncovered change"

# 4. What cannot be signed faithfully is refused, and the file stays as it was.
utf16 $'full address:s:a\r\nFull Address:s:b\r\n' "$work/e.rdp"
cp "$work/e.rdp" "$work/e.before"
"$root/packaging/sign_rdp.sh" "$work/certs/publisher.pfx" "$work/e.rdp" 2>/dev/null && fail "signed a file with two full addresses"
cmp -s "$work/e.rdp" "$work/e.before" || fail "a refused file was changed"
printf 'full address:s:a\r\n' >"$work/f.rdp"
"$root/packaging/sign_rdp.sh" "$work/certs/publisher.pfx" "$work/f.rdp" 2>/dev/null && fail "signed a file without a byte-order mark"

[ "$failures" -eq 0 ] && echo "all passed"
exit $((failures > 0))
