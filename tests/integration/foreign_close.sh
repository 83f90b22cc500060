# SPDX-License-Identifier: GPL-3.0-or-later
# One client's session commands never touch another's question: while a conversion
# waits for the user, another client opens and closes a session of its own; the
# question stays open and its answer reaches its client.
source "$(dirname "$0")/lib.sh"

start_x_server
start_kassavero
printf 'Preis: 100 DM\n' >"$WORK/in.txt"
"$CLIENT" convert "$WORK/in.txt" --confirm -o "$WORK/out.txt" >"$WORK/convert.out" 2>&1 &
CONVERT_PID=$!
PIDS+=("$CONVERT_PID")
wait_for dialog_asks kassavero-dde || fail "the question did not come up"

session=$("$CLIENT" call filter 'opensession(Makro,0)')
expect_eq "$("$CLIENT" call filter "closesession($session)")" "OK" "closing the other session"
sleep 0.5
wait_for dialog_asks kassavero-dde || fail "another client's closesession ended the question"
kill -0 "$CONVERT_PID" 2>/dev/null || fail "the client was answered: $(cat "$WORK/convert.out")"

answer_dialog 1
code=0
timeout 20 tail --pid="$CONVERT_PID" -f /dev/null || fail "the client hangs"
wait "$CONVERT_PID" || code=$?
expect_eq "$code" "0" "the client's exit status ($(cat "$WORK/convert.out"))"
grep -q '51[.,]13.*100 DM' "$WORK/out.txt" || fail "the document got: $(cat "$WORK/out.txt")"
stop_kassavero
echo "1 passed, 0 failed"
