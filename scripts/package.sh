#!/usr/bin/env bash
# Builds the installer and the portable zip from the Windows tree into build/package/.
# SKIFFDESK_APPS_DIR names the folder of connection files they carry (default: the demo one).
set -euo pipefail
here=$(dirname "$0")
source "$here/env.sh"

"$here/deps.sh"
"$here/build.sh" windows
apps=${SKIFFDESK_APPS_DIR:-$SKIFF_ROOT/packaging/demo-apps}
[ -d "$apps" ] || { echo "SKIFFDESK_APPS_DIR: no folder at $apps" >&2; exit 1; }
apps=$(cd "$apps" && pwd)
dir=$SKIFF_BUILD/windows
cmake -S "$SKIFF_ROOT" -B "$dir" -DSKIFFDESK_APPS_DIR="$apps" >"$dir.configure.log" 2>&1 || {
    cat "$dir.configure.log"
    exit 1
}
cmake --build "$dir" --target skiffdesk_packages >"$dir.package.log" 2>&1 || {
    cat "$dir.package.log"
    exit 1
}
mkdir -p "$SKIFF_BUILD/package"
version=$(sed -n 's/^#define SKIFFDESK_VERSION_TEXT "\(.*\)"/\1/p' "$dir/generated/version.h")
for file in "skiffdesk-$version-setup.exe" "skiffdesk-$version-portable.zip"; do
    cp "$dir/package/$file" "$SKIFF_BUILD/package/"
    echo "$SKIFF_BUILD/package/$file"
done
echo "Apps folder: $apps"
