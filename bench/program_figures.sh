#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Figures of the running program, measured side by side in one run on a private session
# bus: the bus round trip (Execute + Request and Call) against a Ping to the program and
# the bus daemon's own floor, the time from process start to "DDEStatus" = "OK",
# converting a 1 MB text with 10,000 amounts without the dialog (in one call and one
# amount per call), 20 clients calling at once, and 8 document conversions at once
# against one at a time. Run from the repository after building with
# -DKASSAVERO_BUILD_BENCH=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
BIN=${BIN:-build/bin}

if [ -z "${KASSAVERO_FIGURES_ON_BUS:-}" ]; then
    export KASSAVERO_FIGURES_ON_BUS=1
    exec dbus-run-session -- "$0" "$@"
fi

WORK=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait; rm -rf "$WORK"' EXIT
export XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=offscreen
export LC_ALL=C.UTF-8
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
STATUS="$XDG_CONFIG_HOME/Kassavero/KASSAVR.INI"

ready() { grep -q '^DDEStatus=OK' "$STATUS" 2>/dev/null; }

# min / median / max of the numbers on standard input.
spread() { sort -n | awk '{ v[NR] = $1 } END { printf "%s / %s / %s", v[1], v[int((NR + 1) / 2)], v[NR] }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Start-up time: a first start that writes the profile, then five warm ones.
echo "== start to DDEStatus=OK"
: >"$WORK/starts"
for run in 0 1 2 3 4 5; do
    start=$(date +%s%N)
    "$BIN/kassavero" &
    pid=$!
    until ready; do sleep 0.002; done
    end=$(date +%s%N)
    echo "run $run: $(( (end - start) / 1000000 )) ms"
    [ "$run" -gt 0 ] && echo $(( (end - start) / 1000000 )) >>"$WORK/starts"
    kill -TERM "$pid"; wait "$pid" || true
done
echo "warm start to DDEStatus=OK, min / median / max of 5: $(spread <"$WORK/starts") ms"

"$BIN/kassavero" &
program=$!
until ready; do sleep 0.01; done

echo "== bus round trip"
"$BIN/dbus_roundtrip_bench" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

echo "== convert 1 MB with 10,000 amounts, no dialog"
# 10,000 lines of 100 bytes, one amount in each.
awk 'BEGIN {
    for (i = 0; i < 10000; i++) {
        line = sprintf("Die Lieferung vom Mai kostet %d,%02d DM, zahlbar bis Monatsende", i % 997 + 1, i % 100)
        while (length(line) < 99) line = line " x"
        print substr(line, 1, 99)
    }
}' >"$WORK/big.txt"
ls -l "$WORK/big.txt" | awk '{print $5 " bytes"}'
ms_since() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }
: >"$WORK/whole" && : >"$WORK/steps"
for run in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$BIN/kassavero-dde" convert "$WORK/big.txt" -o "$WORK/big.out" 2>/dev/null
    ms_since "$start" >>"$WORK/whole"
done
for run in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$BIN/kassavero-dde" convert "$WORK/big.txt" --per-amount -o "$WORK/big.steps" 2>/dev/null
    ms_since "$start" >>"$WORK/steps"
done
resident() { awk '/^VmRSS/ { printf "%.0f MB", $2 / 1024 }' "/proc/$program/status"; }
echo "resident memory after the conversions: $(resident); idle 6 s later: $(sleep 6; resident)"
echo "convert (one ConvertText call), min / median / max of 5: $(spread <"$WORK/whole") ms"
echo "convert --per-amount (one call per step), min / median / max of 5: $(spread <"$WORK/steps") ms"
# The same text converted in process, as ConvertText does it without the bus.
inside_ms=$("$BIN/macro_bench" --benchmark_filter=ConvertTextInProcess --benchmark_repetitions=5 \
    --benchmark_format=csv 2>/dev/null | awk -F, '/ConvertTextInProcess_median/ { print $3 }')
awk -v bus="$(median <"$WORK/whole")" -v inside="$inside_ms" 'BEGIN {
    printf "in process: %.1f ms (median of 5); the call is %.2f times that\n", inside, bus / inside }'
steps_ms=$(median <"$WORK/steps")
# The floor of that path: its 20,000 calls (a search and a confirmation per amount) as
# bare Pings to the program, measured now.
ping_us=$("$BIN/dbus_roundtrip_bench" --benchmark_filter=PingKassavero \
    --benchmark_format=csv 2>/dev/null | awk -F, '/PingKassavero/ { print $3 }')
awk -v ms="$steps_ms" -v us="$ping_us" 'BEGIN {
    floor = 20000 * us / 1000
    printf "floor: 20000 Pings of %.1f us = %.0f ms; --per-amount is %.2f times the floor\n", us, floor, ms / floor }'
cmp -s "$WORK/big.out" "$WORK/big.steps" && echo "both outputs identical" || echo "OUTPUTS DIFFER"
# For comparison, a client that knows only Execute + Request (OLD_CLIENT=path).
if [ -n "${OLD_CLIENT:-}" ]; then
    start=$(date +%s%N)
    "$OLD_CLIENT" convert "$WORK/big.txt" -o "$WORK/big.old"
    echo "convert with $OLD_CLIENT (Execute per step): $(ms_since "$start") ms"
fi

echo "== another client's longest wait while 15 MiB convert in one call"
# A client calls every 5 ms while the huge call runs; no call should wait past 0.2 s.
/usr/bin/python3 - "$WORK" <<'PYTHON'
import os, sys, threading, time
from gi.repository import Gio, GLib
NAME, PATH, IFACE = "org.kassavero.dde.kassavero", "/org/kassavero/dde", "org.kassavero.dde.Server"
def connect():
    return Gio.DBusConnection.new_for_address_sync(
        Gio.dbus_address_get_for_bus_sync(Gio.BusType.SESSION, None),
        Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
        Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
lines, size, i = [], 0, 0
while size < 15 * 1024 * 1024 - 100:
    line = "Die Lieferung vom Mai kostet %d,%02d DM, zahlbar bis Monatsende\n" % (i % 997 + 1, i % 100)
    lines.append(line)
    size += len(line)
    i += 1
text = "".join(lines)
done, result = threading.Event(), {}
def huge():
    start = time.monotonic()
    reply = connect().call_sync(NAME, PATH, IFACE, "ConvertText", GLib.Variant("(ss)", ("huge", text)),
                                None, 0, -1, None)
    result["changes"], result["s"] = reply.unpack()[1], time.monotonic() - start
    done.set()
threading.Thread(target=huge).start()
bus, waits = connect(), []
while not done.is_set():
    start = time.monotonic()
    bus.call_sync(NAME, PATH, IFACE, "Call", GLib.Variant("(ss)", ("System", "filter:testconnection")),
                  None, 0, -1, None)
    waits.append(time.monotonic() - start)
    time.sleep(0.005)
print("%d bytes, %d changes in %.2f s; %d calls meanwhile, longest wait %.0f ms" %
      (size, result["changes"], result["s"], len(waits), max(waits) * 1000))
PYTHON

echo "== 20 clients x 500 calls at once, each reply checked"
mkdir -p "$WORK/locks"
start=$(date +%s%N)
pids=()
for client in $(seq 0 19); do
    "$BIN/bus_load_client" "$client" 500 "$WORK/locks" >"$WORK/load.$client" 2>&1 &
    pids+=($!)
done
failed=0
for job in "${pids[@]}"; do wait "$job" || failed=$((failed + 1)); done
elapsed=$(ms_since "$start")
# Each line: client calls wrong errors.
cat "$WORK"/load.* | awk -v ms="$elapsed" -v failed="$failed" '
    NF == 4 { calls += $2; wrong += $3; errors += $4; clients++ }
    END { printf "%d clients, %d calls in %d ms: %.0f calls/s; %d foreign or wrong replies, %d errors, %d clients failed\n",
          clients, calls, ms, calls * 1000 / ms, wrong, errors, failed }'
grep -h 'client .*->' "$WORK"/load.* | head -n 5 || true

echo "== 8 conversions at once against one at a time"
# Eight different 8 KB documents.
for d in $(seq 1 8); do
    awk -v d="$d" 'BEGIN {
        for (i = 0; i < 100; i++)
            printf "Dokument %d, Zeile %d: %d,%02d DM und %d DM gr\xc3\xbc\xc3\x9fer \xe2\x9c\x93\n", d, i, d * 100 + i, i, i + 1
    }' >"$WORK/doc$d.txt"
done
for mode in "" --per-amount; do
    for d in $(seq 1 8); do
        timeout 60 "$BIN/kassavero-dde" convert "$WORK/doc$d.txt" $mode -o "$WORK/one$d.txt" 2>/dev/null
    done
    start=$(date +%s%N)
    pids=()
    for d in $(seq 1 8); do
        timeout 60 "$BIN/kassavero-dde" convert "$WORK/doc$d.txt" $mode -o "$WORK/all$d.txt" \
            2>"$WORK/all$d.err" &
        pids+=($!)
    done
    hung=0 failed=0
    for job in "${pids[@]}"; do
        code=0
        wait "$job" || code=$?
        [ "$code" -eq 124 ] && hung=$((hung + 1))
        [ "$code" -ne 0 ] && failed=$((failed + 1))
    done
    elapsed=$(ms_since "$start")
    same=0
    for d in $(seq 1 8); do cmp -s "$WORK/one$d.txt" "$WORK/all$d.txt" && same=$((same + 1)); done
    echo "convert ${mode:-(one call)}: 8 at once in $elapsed ms; $same of 8 identical to one at a time, $failed failed, $hung hung"
done
