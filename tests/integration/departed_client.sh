# SPDX-License-Identifier: GPL-3.0-or-later
# A client that goes away while its question waits takes the question with it: the next
# client's question comes up at once, and the departed one's session slot is free again.
source "$(dirname "$0")/lib.sh"

start_x_server
start_kassavero
printf 'Preis: 100 DM\n' >"$WORK/in.txt"
"$CLIENT" convert "$WORK/in.txt" --confirm -o "$WORK/out.txt" >/dev/null 2>&1 &
DEPARTING_PID=$!
PIDS+=("$DEPARTING_PID")
wait_for dialog_asks kassavero-dde || fail "the first question did not come up"

# A second client's question waits behind it.
watch_calls
session=$("$CLIENT" call filter 'opensession(Zweiter,1)')
"$CLIENT" call filter 'transfertext:Porto 3 DM' >/dev/null
"$CLIENT" call filter "findnextchange($session)" >/dev/null
"$CLIENT" call filter "confirmchange($session,1)" >"$WORK/second.out" 2>&1 &
SECOND_PID=$!
PIDS+=("$SECOND_PID")
wait_for grep -qF "confirmchange($session,1)" "$WORK/calls" || fail "the second question was not asked"
served_after_calls_seen
! dialog_asks Zweiter || fail "the second question came before the first was answered"
wait_for dialog_asks kassavero-dde || fail "the first question went away unanswered"

kill -KILL "$DEPARTING_PID"
wait_for dialog_asks Zweiter || fail "the next question did not come up after the client left"
answer_dialog 1
timeout 20 tail --pid="$SECOND_PID" -f /dev/null || fail "the second client hangs"
grep -q '^YES;' "$WORK/second.out" || fail "the second client got: $(cat "$WORK/second.out")"
expect_eq "$("$CLIENT" call filter "closesession($session)")" "OK" "closing the second session"

# The departed client's slot, the lowest, is free again.
expect_eq "$("$CLIENT" call filter 'opensession(Danach,0)')" "0" "the next session's slot"
echo "1 passed, 0 failed"
