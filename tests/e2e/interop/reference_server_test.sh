#!/usr/bin/env bash
# Runs the interoperability test: the reference server (a native program) on 127.0.0.1:10101,
# the test program under Wine against it, then the server stopped. Wine can start a Linux
# program but cannot stop it or read its output, so the server is started from here.
# Usage: reference_server_test.sh SERVER EMULATOR TEST_PROGRAM WORK_FOLDER
set -u
server=$1 emulator=$2 program=$3 work=$4

if [ ! -x "$server" ]; then
    echo "no reference server at $server: build the native tree first"
    exit 1
fi
mkdir -p "$work"
log=$work/server.log
rm -f "$log" "$work/accounts.txt"
"$server" --address 127.0.0.1 --port 10101 --accounts "$work/accounts.txt" >"$log" 2>&1 </dev/null &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null' EXIT

for _ in $(seq 1 100); do
    grep -q '^listening on ' "$log" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if ! grep -q '^listening on 127.0.0.1:10101$' "$log"; then
    echo "the reference server did not start:"
    cat "$log"
    exit 1
fi

SKIFF_REFERENCE_SERVER_LOG=$log "$emulator" "$program"
status=$?
echo "server log:"
cat "$log"
exit $status
