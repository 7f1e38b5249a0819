#!/usr/bin/env bash
# Builds the installer and the portable zip from a built skiffdesk.exe and an apps folder.
# Usage: make_packages.sh EXE APPS_DIR VERSION OUT_DIR
# Writes OUT_DIR/skiffdesk-VERSION-setup.exe and OUT_DIR/skiffdesk-VERSION-portable.zip.
# With a certificate in SKIFFDESK_SIGN_PFX (password in SKIFFDESK_SIGN_PASSWORD) the program,
# the installer, its uninstaller and every connection file are signed with it.
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: $0 EXE APPS_DIR VERSION OUT_DIR" >&2; exit 2; }
exe=$1 apps=$2 version=$3 out=$4
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$exe" ] || { echo "no program at $exe" >&2; exit 1; }
[ -d "$apps" ] || { echo "no apps folder at $apps" >&2; exit 1; }

mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$out/stage/Skiffdesk
lists=$out/nsis
rm -rf "$out/stage" "$lists"
mkdir -p "$stage/apps" "$lists"
cp "$exe" "$stage/skiffdesk.exe"
cp -R "$apps/." "$stage/apps/"
# Windows line ends, for the editor the user opens it with.
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$here/README.txt.in" >"$stage/README.txt"

signing=()
if [ -n "${SKIFFDESK_SIGN_PFX-}" ]; then
    export SKIFFDESK_SIGN_PASSWORD=${SKIFFDESK_SIGN_PASSWORD-}
    [ -f "$SKIFFDESK_SIGN_PFX" ] || { echo "SKIFFDESK_SIGN_PFX: no file at $SKIFFDESK_SIGN_PFX" >&2; exit 1; }
    "$here/sign_exe.sh" "$stage/skiffdesk.exe"
    find "$stage/apps" -type f -iname '*.rdp' -print0 | xargs -0 -r "$here/sign_rdp.sh" "$SKIFFDESK_SIGN_PFX"
    publisher=$({ openssl pkcs12 -in "$SKIFFDESK_SIGN_PFX" -passin env:SKIFFDESK_SIGN_PASSWORD \
        -nokeys -clcerts 2>/dev/null || openssl pkcs12 -legacy -in "$SKIFFDESK_SIGN_PFX" \
        -passin env:SKIFFDESK_SIGN_PASSWORD -nokeys -clcerts; } |
        openssl x509 -noout -fingerprint -sha1 | sed 's/.*=//; s/://g')
    signing=(-DSIGN_EXE="$here/sign_exe.sh" -DPUBLISHER="$publisher")
    echo "Signed with the certificate of thumbprint $publisher"
else
    echo "Unsigned: SKIFFDESK_SIGN_PFX names no certificate, so the program, the installer and the connection files are not signed"
fi

# The apps folder file by file, so that the uninstaller removes exactly these. NSIS reads "$"
# as the start of a variable; a name with a double quote, backquote or line break cannot be
# written in its strings at all.
nsis_text() { printf '%s' "${1//\$/\$\$}"; }
{
    echo 'SetOutPath "$INSTDIR\apps"'
    (cd "$stage/apps" && find . -mindepth 1 -type d | LC_ALL=C sort) | while IFS= read -r dir; do
        rel=${dir#./}
        echo "CreateDirectory \"\$INSTDIR\\apps\\$(nsis_text "${rel//\//\\}")\""
    done
    (cd "$stage/apps" && find . -type f | LC_ALL=C sort) | while IFS= read -r file; do
        rel=${file#./}
        case $rel in *'"'* | *'`'* | *$'\n'*)
            echo "cannot package a file named $rel" >&2
            exit 1
            ;;
        esac
        echo "File \"/oname=\$INSTDIR\\apps\\$(nsis_text "${rel//\//\\}")\" \"$(nsis_text "$stage/apps/$rel")\""
    done
} >"$lists/apps_install.nsh"
{
    (cd "$stage/apps" && find . -type f | LC_ALL=C sort) | while IFS= read -r file; do
        rel=${file#./}
        echo "Delete \"\$INSTDIR\\apps\\$(nsis_text "${rel//\//\\}")\""
    done
    # Deepest first; RMDir leaves a folder that still holds something of the user's.
    (cd "$stage/apps" && find . -mindepth 1 -type d | LC_ALL=C sort -r) | while IFS= read -r dir; do
        rel=${dir#./}
        echo "RMDir \"\$INSTDIR\\apps\\$(nsis_text "${rel//\//\\}")\""
    done
    echo 'RMDir "$INSTDIR\apps"'
} >"$lists/apps_uninstall.nsh"

size_kb=$(du -sk "$stage/skiffdesk.exe" "$stage/apps" | awk '{ kb += $1 } END { print kb }')
installer=$out/skiffdesk-$version-setup.exe
makensis -V2 -NOCD -DVERSION="$version" -DSTAGE="$stage" -DLISTS="$lists" \
    -DOUTFILE="$installer" -DSIZE_KB="$size_kb" -DICON="$here/../ui/skiffdesk.ico" \
    "${signing[@]}" "$here/skiffdesk.nsi"

zip=$out/skiffdesk-$version-portable.zip
rm -f "$zip"
(cd "$out/stage" && zip -q -r -X "$zip" Skiffdesk)
echo "$installer"
echo "$zip"
