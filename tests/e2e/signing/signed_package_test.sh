#!/usr/bin/env bash
# The package signed with the test publisher, checked with the operator's tools: osslsigncode
# accepts the program and the installer, and every connection file verifies with OpenSSL.
# Usage: signed_package_test.sh SOURCE_ROOT PACKAGE_DIR CERT
set -uo pipefail
root=$1 package=$2 cert=$3
failures=0
for exe in "$package/stage/Skiffdesk/skiffdesk.exe" "$package"/skiffdesk-*-setup.exe; do
    osslsigncode verify -CAfile "$cert" -in "$exe" >/dev/null 2>&1 ||
        { echo "FAIL: osslsigncode refuses $exe"; failures=$((failures + 1)); }
done
mapfile -d '' files < <(find "$package/stage/Skiffdesk/apps" -type f -iname '*.rdp' -print0)
[ ${#files[@]} -gt 0 ] || { echo "FAIL: no connection files"; failures=$((failures + 1)); }
"$root/packaging/verify_rdp.sh" "$cert" "${files[@]}" || failures=$((failures + 1))
exit $((failures > 0))
