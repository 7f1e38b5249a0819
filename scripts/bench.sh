#!/usr/bin/env bash
# Builds the Windows tree and runs the benchmarks under Wine, one line per figure.
set -euo pipefail
here=$(dirname "$0")
source "$here/env.sh"
source "$here/display.sh"
source "$here/wine.sh"

"$here/deps.sh"
"$here/build.sh" windows

trap 'skiff_wine_stop; skiff_display_stop' EXIT
skiff_display_start
skiff_wine_start
echo "Catalogue benchmark (the first run writes its apps tree beside the program)..."
skiff_wine wine "$SKIFF_BUILD/windows/bench/catalogue_bench.exe" </dev/null 2>/dev/null
