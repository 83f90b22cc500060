# SPDX-License-Identifier: GPL-3.0-or-later
# Eight clients convert eight different documents at the same time, in one call and step
# by step; each gets exactly what it gets alone.
source "$(dirname "$0")/lib.sh"

start_kassavero
for d in $(seq 1 8); do
    awk -v d="$d" 'BEGIN {
        for (i = 0; i < 40; i++)
            printf "Dokument %d, Zeile %d: %d,%02d DM und %d DM gr\xc3\xbc\xc3\x9fer\n", d, i, d * 100 + i, i, i + 1
    }' >"$WORK/doc$d.txt"
done
for mode in --per-amount ""; do
    for d in $(seq 1 8); do
        timeout 60 "$CLIENT" convert "$WORK/doc$d.txt" $mode -o "$WORK/alone$d.txt" 2>/dev/null ||
            fail "document $d alone ${mode:-in one call}"
    done
    pids=()
    for d in $(seq 1 8); do
        timeout 60 "$CLIENT" convert "$WORK/doc$d.txt" $mode -o "$WORK/together$d.txt" \
            2>"$WORK/together$d.err" &
        pids+=($!)
    done
    for d in $(seq 1 8); do
        code=0
        wait "${pids[$((d - 1))]}" || code=$?
        [ "$code" -eq 0 ] || fail "document $d ${mode:-in one call} together: exit $code, $(cat "$WORK/together$d.err")"
        cmp -s "$WORK/alone$d.txt" "$WORK/together$d.txt" ||
            fail "document $d ${mode:-in one call}: converted together it differs from alone"
    done
done
echo "1 passed, 0 failed"
