#!/usr/bin/env bash
# Builds, starts the reference server on 127.0.0.1:10101 and the client under Wine against it.
# On a virtual display (no $DISPLAY) it saves a screenshot, closes the client and shows the
# server's log.
set -euo pipefail
here=$(dirname "$0")
source "$here/env.sh"
source "$here/display.sh"
source "$here/wine.sh"
# A prefix of its own: the e2e tests put recording doubles into theirs.
skiff_wine_own_prefix run

"$here/deps.sh"
"$here/build.sh" native windows

run=$SKIFF_BUILD/run
mkdir -p "$run/apps"
cp "$SKIFF_BUILD/windows/skiffdesk.exe" "$run/"
# A demo catalogue, written here as the service's installer would: UTF-16LE connection files.
write_rdp() { # path under apps, application name
    local file="$run/apps/$1"
    mkdir -p "$(dirname "$file")"
    {
        printf '\xff\xfe'
        printf 'screen mode id:i:2\r\nfull address:s:apps.skiffdesk.example\r\nremoteapplicationmode:i:1\r\nremoteapplicationname:s:%s\r\nremoteapplicationprogram:s:||%s\r\n' "$2" "$2" |
            iconv -f UTF-8 -t UTF-16LE
    } >"$file"
}
rm -rf "$run/apps"
write_rdp "Calculator.rdp" "Calculator"
write_rdp "Notepad.rdp" "Notepad"
write_rdp "Office/Spreadsheet.rdp" "Spreadsheet"
write_rdp "Office/Word processor.rdp" "Word processor"
write_rdp "Office/Presentations/Slides.rdp" "Slides"
write_rdp "Graphics/Paint.rdp" "Paint"
# Some applications come with their own icons (drawn by packaging/make_demo_icons.sh); the
# others show the globe.
demo=$SKIFF_ROOT/packaging/demo-apps
cp "$demo/Drawing.ico" "$run/apps/Graphics/Paint.ico"
cp "$demo/office/Spreadsheet.ico" "$run/apps/Office/Spreadsheet.ico"
cp "$demo/Text Editor.ico" "$run/apps/Notepad.ico"

server_pid=""
cleanup() {
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    fi
    skiff_wine_stop
    skiff_display_stop
}
trap cleanup EXIT

"$SKIFF_BUILD/native/skiffserver" --address 127.0.0.1 --port 10101 \
    --accounts "$run/accounts.db" >"$run/server.log" 2>&1 &
server_pid=$!
echo "Reference server on 127.0.0.1:10101 (log: $run/server.log)"

skiff_display_start
skiff_wine_start
cd "$run"
if [ -z "${SKIFF_VIRTUAL_DISPLAY:-}" ]; then
    skiff_wine wine ./skiffdesk.exe "$@" || true
else
    skiff_wine wine ./skiffdesk.exe "$@" </dev/null >/dev/null 2>&1 &
    client=$!
    # Every start tells where drive Z: leads, in a box the window waits for.
    skiff_wine wine "$SKIFF_BUILD/windows/tests/support/skiffctl.exe" ok "Shared folder message" \
        </dev/null >/dev/null 2>&1 || true
    sleep "${SKIFF_RUN_SECONDS:-8}"
    import -window root "$run/screenshot.png"
    echo "Screenshot: $run/screenshot.png"
    # A client that does not end (a dialog of a first start is open) is ended with the server.
    skiff_wine wine "$SKIFF_BUILD/windows/tests/support/skiffctl.exe" close </dev/null >/dev/null 2>&1 ||
        skiff_wine_stop
    wait "$client" || true
fi
echo "--- server log ---"
cat "$run/server.log"
