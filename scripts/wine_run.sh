#!/usr/bin/env bash
# Runs one Windows test program under Wine for CTest. Now and then Wine fails to start a
# process at all: it ends at once with an error, before the program printed anything. Only
# such a start is made once more; it is said on stderr and, when SKIFF_WINE_RESTARTS names a
# file, counted there. A program that printed anything, ended well, or ran for a while keeps
# its result: its silent end is its own (a crash that lost its buffered output, say).
set -u
# Measured with a wineserver running, on a loaded machine: Wine's failures to start ended
# after 8-14 ms; a program that really started took 80 ms and more to end (an empty one), a
# test program 150 ms and more. The bound lies between, with room on either side.
quick_ms=60
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for attempt in 1 2; do
    started=$(date +%s%N)
    wine "$@" | tee "$out"
    status=${PIPESTATUS[0]}
    took_ms=$((($(date +%s%N) - started) / 1000000))
    if [ "$status" -eq 0 ] || [ -s "$out" ] || [ "$took_ms" -ge "$quick_ms" ] ||
        [ "$attempt" -eq 2 ]; then
        break
    fi
    note="wine_run: $1 ended with $status after $took_ms ms before printing anything; starting it once more."
    echo "$note" >&2
    [ -n "${SKIFF_WINE_RESTARTS:-}" ] && echo "$note" >>"$SKIFF_WINE_RESTARTS"
done
exit "$status"
