#!/usr/bin/env bash
# Builds everything and runs every suite: native, fuzz, win and e2e. Ends with one line
# "N passed, N failed", with ", N skipped" when tests were skipped or disabled.
# Usage: test.sh [suite]...  (default: all four)
set -uo pipefail
here=$(dirname "$0")
source "$here/env.sh"
source "$here/display.sh"
source "$here/wine.sh"

FUZZ_SECONDS=${FUZZ_SECONDS:-10}
suites=("$@")
[ ${#suites[@]} -eq 0 ] && suites=(native fuzz win e2e)
want() { local s; for s in "${suites[@]}"; do [ "$s" = "$1" ] && return 0; done; return 1; }

"$here/deps.sh" || exit 1

total_passed=0
total_failed=0
total_skipped=0
report=()
# "N passed, N failed", and ", N skipped" when N is not 0.
counts() { # passed failed skipped
    printf '%d passed, %d failed' "$1" "$2"
    [ "$3" -gt 0 ] && printf ', %d skipped' "$3"
    echo
}
record() { # suite passed failed [skipped]
    local skipped=${4:-0}
    report+=("$(printf '%-7s %s' "$1:" "$(counts "$2" "$3" "$skipped")")")
    total_passed=$((total_passed + $2))
    total_failed=$((total_failed + $3))
    total_skipped=$((total_skipped + skipped))
}

# The Windows test programs' restarts after Wine failed to start them (scripts/wine_run.sh).
# A restart that went well leaves nothing in ctest's log, so they are counted in a file.
export SKIFF_WINE_RESTARTS=$SKIFF_BUILD/wine_run.restarts
: >"$SKIFF_WINE_RESTARTS"
ran_wine=false

finish() {
    skiff_wine_stop
    skiff_display_stop
    echo
    printf '%s\n' "${report[@]}"
    if $ran_wine; then
        local restarts
        restarts=$(wc -l <"$SKIFF_WINE_RESTARTS")
        if [ "$restarts" -gt 0 ]; then
            echo "wine_run: $restarts restarts (see $SKIFF_WINE_RESTARTS)"
        else
            echo "wine_run: 0 restarts"
        fi
    fi
    counts "$total_passed" "$total_failed" "$total_skipped"
    [ "$total_failed" -eq 0 ] && [ "$total_passed" -gt 0 ]
    exit $?
}
trap 'total_failed=$((total_failed + 1)); report+=("interrupted"); finish' INT TERM

run_ctest() { # suite dir label timeout [ctest args]
    local suite=$1 dir=$2 label=$3 timeout=$4
    shift 4
    local log=$SKIFF_BUILD/$suite.ctest.log
    echo "Running the $suite suite..."
    TMPDIR=$SKIFF_WINE_TMP ctest --test-dir "$dir" -L "^$label\$" --timeout "$timeout" \
        --output-on-failure "$@" >"$log" 2>&1
    # Each test that did not pass, and the summary.
    grep -E '^ *[0-9]+/[0-9]+ Test .*(\*\*\*|Failed|Not Run)|tests passed' "$log" | tail -40
    # What the failing tests said: their assertions and Wine's start failures.
    grep -E -A4 '^[^ ]*\([0-9]+\): error|: Failure$|^wine_run:|^wine: ' "$log" | head -60
    local line
    line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -1)
    if [ -z "$line" ]; then
        echo "$suite: ctest ran no test (see $log)"
        record "$suite" 0 1
        return
    fi
    local failed all skipped disabled
    failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    all=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    # Under "The following tests did not run:": a skipped test (GTEST_SKIP) is among the
    # tests counted as passed, a disabled one among none.
    skipped=$(grep -cE '^\s+[0-9]+ - .* \(Skipped\)$' "$log")
    disabled=$(grep -cE '^\s+[0-9]+ - .* \(Disabled\)$' "$log")
    record "$suite" $((all - failed - skipped)) "$failed" $((skipped + disabled))
}

run_fuzz() {
    local dir=$SKIFF_BUILD/fuzz/tests/fuzz passed=0 failed=0 target name work
    echo "Running the fuzz targets for ${FUZZ_SECONDS}s each..."
    for target in "$dir"/*_fuzz; do
        [ -x "$target" ] || continue
        name=$(basename "$target")
        work=$(mktemp -d)
        cp -r "$SKIFF_ROOT/tests/fuzz/corpus/$name/." "$work/" 2>/dev/null || true
        # A single allocation above 64 MiB counts as a failure: the decoder must not trust lengths.
        if "$target" -max_total_time="$FUZZ_SECONDS" -timeout=10 -malloc_limit_mb=64 \
            -rss_limit_mb=2048 -print_final_stats=0 "$work" >"$SKIFF_BUILD/$name.log" 2>&1; then
            passed=$((passed + 1))
        else
            failed=$((failed + 1))
            tail -30 "$SKIFF_BUILD/$name.log"
        fi
        rm -rf "$work"
    done
    [ $((passed + failed)) -eq 0 ] && failed=1 && echo "fuzz: no target was built"
    record fuzz "$passed" "$failed"
}

trees=()
{ want native || want e2e; } && trees+=(native) # the e2e suite also runs the reference server
want fuzz && trees+=(fuzz)
{ want win || want e2e; } && trees+=(windows)
if ! "$here/build.sh" "${trees[@]}"; then
    record build 0 1
    finish
fi

want native && run_ctest native "$SKIFF_BUILD/native" native 300 -j"$(nproc)"
want fuzz && run_fuzz
if want win || want e2e; then
    skiff_display_start
    skiff_wine_start
    ran_wine=true
    want win && run_ctest win "$SKIFF_BUILD/windows" win 120
    want e2e && run_ctest e2e "$SKIFF_BUILD/windows" e2e 180
fi
finish
