# SPDX-License-Identifier: GPL-3.0-or-later
# A session opened through Call is its caller's alone: while a step-by-step conversion
# runs, another client's findnextchange, confirmchange and closesession on its slot are
# told the session is not open, and the conversion ends complete.
# A closed session is never answered "OK".
source "$(dirname "$0")/lib.sh"

start_kassavero
# Once closed, a session is not open for anybody.
session=$("$CLIENT" call filter 'opensession(Makro,0)')
expect_eq "$("$CLIENT" call filter "closesession($session)")" "OK" "closing"
reply=$("$CLIENT" call filter "findnextchange($session)" || true)
expect_eq "$reply" "ERROR. Session not open: $session" "searching a closed session"
awk 'BEGIN { for (i = 0; i < 12000; i++) printf "Zeile %d: %d DM\n", i, i + 1 }' >"$WORK/in.txt"
# No other session is open, so the conversion takes the lowest slot. Its opening is watched
# on the bus rather than probed with sessions of our own: a probe holding a slot when the
# conversion opens would push it to another one. Only once it holds the slot do the others
# come in: a text offered to a slot nobody holds would bring up the program's "session not
# open" box, which nobody answers here.
SLOT=0
watch_calls
"$CLIENT" convert "$WORK/in.txt" --per-amount -o "$WORK/out.txt" >"$WORK/convert.out" 2>&1 &
CONVERT_PID=$!
PIDS+=("$CONVERT_PID")
conversion_opened() { grep -q 'opensession' "$WORK/calls"; }
wait_for conversion_opened || fail "the conversion did not open a session"
served_after_calls_seen
intrusions=0
while [ "$intrusions" -lt 5 ] && kill -0 "$CONVERT_PID" 2>/dev/null; do
    "$CLIENT" call filter 'transfertext:Fremd 77777 DM' >/dev/null 2>&1 || true
    for command in "findnextchange($SLOT)" "confirmchange($SLOT,0)" "closesession($SLOT)"; do
        reply=$("$CLIENT" call filter "$command" 2>&1 || true)
        kill -0 "$CONVERT_PID" 2>/dev/null || break 2
        expect_eq "$reply" "ERROR. Session not open: $SLOT" "another client's $command"
    done
    intrusions=$((intrusions + 1))
done
[ "$intrusions" -gt 0 ] || fail "the conversion ended before another client came in"
code=0
wait "$CONVERT_PID" || code=$?
expect_eq "$code" "0" "the converting client ($(cat "$WORK/convert.out"))"
grep -q "12000 of 12000 amounts converted" "$WORK/convert.out" || fail "$(cat "$WORK/convert.out")"
expect_eq "$(grep -c ' DM)$' "$WORK/out.txt")" "12000" "converted lines"
! grep -q 77777 "$WORK/out.txt" || fail "a foreign amount is in the file"

stop_kassavero
echo "1 passed, 0 failed"
