#!/usr/bin/env bash
# Builds the installer and the portable zip from the Windows tree into build/package/.
# SKIFFDESK_APPS_DIR names the folder of connection files they carry (default: the demo one).
# With SKIFFDESK_SIGN_PFX and SKIFFDESK_SIGN_PASSWORD (a PKCS#12 certificate and its password)
# the program, the installer and the connection files are signed; SKIFFDESK_TIMESTAMP_URL, if
# set, time-stamps the program's and the installer's signatures.
set -euo pipefail
here=$(dirname "$0")
source "$here/env.sh"

"$here/deps.sh"
# The packaging runs in the build tree: a certificate named from here must still be found.
if [ -n "${SKIFFDESK_SIGN_PFX-}" ]; then
    [ -f "$SKIFFDESK_SIGN_PFX" ] || { echo "SKIFFDESK_SIGN_PFX: no file at $SKIFFDESK_SIGN_PFX" >&2; exit 1; }
    SKIFFDESK_SIGN_PFX=$(cd "$(dirname "$SKIFFDESK_SIGN_PFX")" && pwd)/$(basename "$SKIFFDESK_SIGN_PFX")
    export SKIFFDESK_SIGN_PFX
fi
"$here/build.sh" windows
apps=${SKIFFDESK_APPS_DIR:-$SKIFF_ROOT/packaging/demo-apps}
[ -d "$apps" ] || { echo "SKIFFDESK_APPS_DIR: no folder at $apps" >&2; exit 1; }
apps=$(cd "$apps" && pwd)
dir=$SKIFF_BUILD/windows
cmake -S "$SKIFF_ROOT" -B "$dir" -DSKIFFDESK_APPS_DIR="$apps" >"$dir.configure.log" 2>&1 || {
    cat "$dir.configure.log"
    exit 1
}
version=$(sed -n 's/^#define SKIFFDESK_VERSION_TEXT "\(.*\)"/\1/p' "$dir/generated/version.h")
# Made again every time: whether they are signed is not something the build can see.
rm -f "$dir/package/skiffdesk-$version-setup.exe" "$dir/package/skiffdesk-$version-portable.zip"
cmake --build "$dir" --target skiffdesk_packages >"$dir.package.log" 2>&1 || {
    cat "$dir.package.log"
    exit 1
}
grep -E '^(Signed|Unsigned)' "$dir.package.log" || true
mkdir -p "$SKIFF_BUILD/package"
for file in "skiffdesk-$version-setup.exe" "skiffdesk-$version-portable.zip"; do
    cp "$dir/package/$file" "$SKIFF_BUILD/package/"
    echo "$SKIFF_BUILD/package/$file"
done
echo "Apps folder: $apps"
# The tree's own packages are the unsigned ones its tests install; signed ones live only here.
[ -n "${SKIFFDESK_SIGN_PFX-}" ] &&
    rm -f "$dir/package/skiffdesk-$version-setup.exe" "$dir/package/skiffdesk-$version-portable.zip"
exit 0
