# SPDX-License-Identifier: GPL-3.0-or-later
# Two clients wait in the confirmation dialog at once: a document conversion asking for
# its change and a formula conversion queued behind it. Each must get the answer to its
# own question, whatever the other was answered. The dialog is answered by keys on a
# private X server.
source "$(dirname "$0")/lib.sh"

start_x_server
start_kassavero

asks_document() { dialog_asks kassavero-dde; }
asks_formula() { [ -n "$(dialog)" ] && ! asks_document; }

printf 'Preis: 100 DM\n' >"$WORK/in.txt"
"$CLIENT" convert "$WORK/in.txt" --confirm -o "$WORK/out.txt" >"$WORK/convert.out" 2>&1 &
CONVERT_PID=$!
PIDS+=("$CONVERT_PID")
found() { [ "$("$CLIENT" request System Filter | tr -d '\r\n')" = "[7;13;DEM;100]" ]; }
wait_for found || fail "the change was not found"
wait_for prints_something dialog || fail "the dialog did not open"

# The formula client hands over its formula and waits for its turn in the dialog; its
# call is seen on the bus before the first question is answered.
watch_calls
(
    "$CLIENT" call filter 'transfertext:=200+A1' >/dev/null
    "$CLIENT" call filter 'convertexcelformula(0,3,0)'
) >"$WORK/formula.out" 2>&1 &
FORMULA_PID=$!
PIDS+=("$FORMULA_PID")
wait_for grep -q 'convertexcelformula' "$WORK/calls" || fail "the formula call was not made"
kill -0 "$FORMULA_PID" 2>/dev/null || { cat "$WORK/formula.out"; fail "the formula did not wait"; }

wait_for asks_document || fail "the dialog does not ask the document's change"
answer_dialog 1
wait_for asks_formula || fail "the formula was not asked next"
answer_dialog 1

code=0
timeout 20 tail --pid="$FORMULA_PID" -f /dev/null || fail "the formula client hangs"
wait "$FORMULA_PID" || code=$?
expect_eq "$(cat "$WORK/formula.out")" "=102.26+A1" "the formula client's reply"
expect_eq "$code" "0" "the formula client's exit status"

timeout 20 tail --pid="$CONVERT_PID" -f /dev/null || fail "the convert client hangs"
code=0
wait "$CONVERT_PID" || code=$?
cat "$WORK/convert.out"
expect_eq "$code" "0" "the convert client's exit status"
grep -q '^Preis: .*51[.,]13.*100 DM' "$WORK/out.txt" || fail "the document got: $(cat "$WORK/out.txt")"

# Cancelled at its last question (here the only one), a conversion says so and exits 4.
"$CLIENT" convert "$WORK/in.txt" --confirm -o "$WORK/cancelled.txt" >"$WORK/convert.out" 2>&1 &
CONVERT_PID=$!
PIDS+=("$CONVERT_PID")
wait_for asks_document || fail "the change was not asked"
xdotool windowactivate --sync "$(dialog)" 2>/dev/null || xdotool windowfocus --sync "$(dialog)"
sleep 0.3
xdotool key --clearmodifiers Escape
timeout 20 tail --pid="$CONVERT_PID" -f /dev/null || fail "the cancelled convert client hangs"
code=0
wait "$CONVERT_PID" || code=$?
expect_eq "$code" "4" "exit status after a cancel at the last question: $(cat "$WORK/convert.out")"
grep -q '0 of 1 amounts converted' "$WORK/convert.out" || fail "summary: $(cat "$WORK/convert.out")"
grep -q 'cancelled' "$WORK/convert.out" || fail "no word of the cancel: $(cat "$WORK/convert.out")"
cmp -s "$WORK/in.txt" "$WORK/cancelled.txt" || fail "a cancelled change was written"

stop_kassavero
echo "1 passed, 0 failed"
