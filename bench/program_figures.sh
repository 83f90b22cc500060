#!/usr/bin/env bash
# Figures of the running program, measured side by side in one run on a private session
# bus: the bus round trip against the bus daemon's own floor, the time from process
# start to "DDEStatus" = "OK", and converting a 1 MB text with 10,000 amounts without
# the dialog. Run from the repository after building with -DKASSAVERO_BUILD_BENCH=ON.
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

# Start-up time, five runs (the first one is a first start that writes the profile).
echo "== start to DDEStatus=OK"
for run in 1 2 3 4 5; do
    start=$(date +%s%N)
    "$BIN/kassavero" &
    pid=$!
    until ready; do sleep 0.002; done
    end=$(date +%s%N)
    echo "run $run: $(( (end - start) / 1000000 )) ms"
    kill -TERM "$pid"; wait "$pid" || true
done

"$BIN/kassavero" &
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
start=$(date +%s%N)
"$BIN/kassavero-dde" convert "$WORK/big.txt" -o "$WORK/big.out"
end=$(date +%s%N)
echo "convert: $(( (end - start) / 1000000 )) ms"
