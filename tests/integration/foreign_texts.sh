# SPDX-License-Identifier: GPL-3.0-or-later
# Step-by-step clients read only the texts they handed over themselves: eight convert
# at once while a ninth hands over foreign texts through Execute and through short-lived
# processes; every output is exactly what a conversion alone gives.
source "$(dirname "$0")/lib.sh"

start_kassavero
for d in $(seq 1 8); do
    awk -v d="$d" 'BEGIN { for (i = 0; i < 15; i++) printf "Dokument %d, Zeile %d: %d,%02d DM\n", d, i, d * 100 + i, i }' \
        >"$WORK/doc$d.txt"
    timeout 60 "$CLIENT" convert "$WORK/doc$d.txt" --per-amount -o "$WORK/alone$d.txt" 2>/dev/null ||
        fail "document $d alone"
done
(
    while :; do
        "$CLIENT" execute System 'Filter:transfertext:Fremdtext 77777 DM' >/dev/null 2>&1
        "$CLIENT" call filter 'transfertext:Fremdtext 88888 DM' >/dev/null 2>&1
        sleep 0.05
    done
) &
PIDS+=($!)
for round in 1 2; do
    pids=()
    for d in $(seq 1 8); do
        timeout 60 "$CLIENT" convert "$WORK/doc$d.txt" --per-amount -o "$WORK/together$d.txt" \
            2>/dev/null &
        pids+=($!)
    done
    for d in $(seq 1 8); do
        wait "${pids[$((d - 1))]}" || fail "document $d, round $round: exit $?"
        cmp -s "$WORK/alone$d.txt" "$WORK/together$d.txt" ||
            fail "document $d, round $round: $(diff "$WORK/alone$d.txt" "$WORK/together$d.txt" | head -n 3)"
    done
done
echo "1 passed, 0 failed"
