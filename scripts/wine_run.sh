#!/usr/bin/env bash
# Runs one Windows test program under Wine for CTest. Now and then Wine fails to start a
# process at all: it ends at once, before the program printed anything. Such a start is made
# once more, and said on stderr; a program that printed anything keeps its result.
set -u
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for attempt in 1 2; do
    wine "$@" | tee "$out"
    status=${PIPESTATUS[0]}
    if [ "$status" -eq 0 ] || [ -s "$out" ] || [ "$attempt" -eq 2 ]; then
        break
    fi
    echo "wine_run: $1 ended with $status before printing anything; starting it once more." >&2
done
exit "$status"
