# SPDX-License-Identifier: GPL-3.0-or-later
# One huge text does not hold up the others: while a long text of dense amounts
# converts in one call, another client's calls are answered; the text still comes back
# whole and right. A text over the limit is refused at once.
source "$(dirname "$0")/lib.sh"

start_kassavero
/usr/bin/python3 -c "
import sys
with open(sys.argv[1], 'w') as f:
    for i in range(600000):
        f.write('Preis %d,%02d DM\n' % (i % 997 + 1, i % 100))
" "$WORK/huge.txt"
# Only the calls' names: the monitor need not copy the huge text.
watch_calls --profile
"$CLIENT" convert "$WORK/huge.txt" -o "$WORK/huge.out" 2>"$WORK/huge.err" &
HUGE_PID=$!
PIDS+=("$HUGE_PID")
wait_for grep -q 'ConvertText' "$WORK/calls" || fail "the huge text was not sent"
kill -0 "$HUGE_PID" 2>/dev/null || fail "the text was done too soon to tell: make it longer"
# The huge text's own session holds the first slot while it converts: a session opened
# meanwhile gets the next one.
expect_eq "$("$CLIENT" call filter 'opensession(Nebenbei,0)')" "1" \
    "another client's session, opened while the huge text converts"
expect_eq "$("$CLIENT" call settings 'getvalue(,OutputDefaultCurrency)')" "0" "a settings call"
wait "$HUGE_PID" || fail "the huge text: $(cat "$WORK/huge.err")"
expect_eq "$(grep -c '(' "$WORK/huge.out")" "600000" "converted lines"
expect_eq "$(sed -n 3p "$WORK/huge.out")" "Preis € 1.54 (3,02 DM)" "the third line"

head -c $((17 * 1024 * 1024)) /dev/zero | tr '\0' 'x' >"$WORK/too-large.txt"
code=0
"$CLIENT" convert "$WORK/too-large.txt" -o "$WORK/too-large.out" 2>"$WORK/too-large.err" || code=$?
expect_eq "$code" "3" "the exit status for a text over the limit"
echo "1 passed, 0 failed"
