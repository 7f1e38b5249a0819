#!/usr/bin/env bash
# Start-up figures under Wine: the time to a visible main window of skiffdesk.exe against a
# bare Win32 window, medians of STARTUP_RUNS (default 15) starts each, and their ratio. The
# program talks to a scripted server on 127.0.0.1:10101: run it where that port is free.
set -euo pipefail
here=$(dirname "$0")
source "$here/env.sh"
source "$here/display.sh"
source "$here/wine.sh"
# A prefix of its own: the bench writes the program's settings.
skiff_wine_own_prefix bench

"$here/deps.sh"
"$here/build.sh" windows

bench=$SKIFF_BUILD/bench-startup
rm -rf "$bench"
mkdir -p "$bench/apps" "$bench/shared"
cp "$SKIFF_BUILD/windows/skiffdesk.exe" "$SKIFF_BUILD/windows/bench/startup/bare_window.exe" "$bench/"
cp -R "$SKIFF_ROOT/packaging/demo-apps/." "$bench/apps/"

trap 'skiff_wine_stop; skiff_display_stop' EXIT
skiff_display_start
skiff_wine_start
cd "$bench"
skiff_wine wine "$SKIFF_BUILD/windows/bench/startup/startup_bench.exe" "Z:${bench//\//\\}" \
    "${STARTUP_RUNS:-15}" </dev/null
