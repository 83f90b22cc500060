# SPDX-License-Identifier: GPL-3.0-or-later
# A conversion that waits for the user in the confirmation dialog keeps its own call
# open while other calls are served; SIGTERM during that wait still ends the program in
# order, and the waiting client is told the conversion was cancelled.
source "$(dirname "$0")/lib.sh"

start_kassavero
printf 'Preis: 100 DM\n' >"$WORK/in.txt"
"$CLIENT" convert "$WORK/in.txt" --confirm -o "$WORK/out.txt" >"$WORK/convert.out" 2>&1 &
CONVERT_PID=$!
PIDS+=("$CONVERT_PID")

# The change was found (the Filter item holds its reply); then the client asks for the
# confirmation and keeps waiting.
found() { [ "$("$CLIENT" request System Filter | tr -d '\r\n')" = "[7;13;DEM;100]" ]; }
wait_for found || fail "the change was not found"
sleep 0.5
kill -0 "$CONVERT_PID" 2>/dev/null || { cat "$WORK/convert.out"; fail "the conversion did not wait for the user"; }

# Meanwhile other calls are answered.
expect_eq "$(timeout 10 "$CLIENT" call filter testconnection)" "OK" "a call during the wait"
expect_eq "$(timeout 10 "$CLIENT" call settings 'getvalue(,OutputReplace)')" "0"

stop_kassavero
expect_eq "$(status_value DDEStatus)" "" "DDEStatus after shut-down"
expect_eq "$(status_value Runs)" "" "Runs after shut-down"

code=0
wait "$CONVERT_PID" || code=$?
[ "$code" -ne 0 ] || fail "the interrupted conversion reported success"
cat "$WORK/convert.out"
# Whatever was written holds no half change.
[ ! -e "$WORK/out.txt" ] || cmp "$WORK/in.txt" "$WORK/out.txt" || fail "an unanswered change was written"
echo "1 passed, 0 failed"
