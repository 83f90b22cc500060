# SPDX-License-Identifier: GPL-3.0-or-later
# While one client waits in the confirmation dialog and a second one waits for its turn,
# a third client's call is answered at once, in every one of many trials.
source "$(dirname "$0")/lib.sh"

TRIALS=${TRIALS:-50}
printf 'Preis: 100 DM\n' >"$WORK/in.txt"
found() { [ "$("$CLIENT" request System Filter | tr -d '\r\n')" = "[7;13;DEM;100]" ]; }
# The second conversion (session 1) has asked for its confirmation in this many trials.
second_asked() { [ "$(grep -c 'confirmchange(1,1)' "$WORK/calls")" -ge "$1" ]; }

for trial in $(seq "$TRIALS"); do
    start_kassavero
    [ "$trial" -gt 1 ] || watch_calls
    "$CLIENT" convert "$WORK/in.txt" --confirm -o "$WORK/a.txt" >/dev/null 2>&1 &
    PIDS+=($!)
    wait_for found || fail "trial $trial: the first change was not found"
    # The second conversion's confirmation queues behind the first.
    "$CLIENT" convert "$WORK/in.txt" --confirm -o "$WORK/b.txt" >/dev/null 2>&1 &
    PIDS+=($!)
    wait_for second_asked "$trial" || fail "trial $trial: the second conversion did not ask"
    # A call that is not served at once waits for the next unrelated event, which may never
    # come; 30 s is far more than an answer takes, even on a slow machine.
    reply=$(timeout 30 "$CLIENT" call filter testconnection || true)
    expect_eq "$reply" "OK" "trial $trial: a call while two confirmations wait"
    stop_kassavero
done
echo "$TRIALS trials passed"
echo "1 passed, 0 failed"
