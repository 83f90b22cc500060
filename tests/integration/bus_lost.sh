# SPDX-License-Identifier: GPL-3.0-or-later
# When its session bus goes away, Kassavero ends as on SIGTERM (status file cleared, lock
# released, status 0), also while a message box waits for the user.
source "$(dirname "$0")/lib.sh"

ended() { ! kill -0 "$KASSAVERO_PID" 2>/dev/null; }
box_open() { grep -q "^kassavero: Kassavero: " "$WORK/kassavero.out"; }

for case in idle "a message box open"; do
    start_private_bus
    export DBUS_SESSION_BUS_ADDRESS=$BUS_ADDRESS
    start_kassavero
    if [ "$case" != idle ]; then
        # Two warnings: one waits in its box, the other goes to stderr meanwhile.
        for session in 98 99; do
            "$CLIENT" call filter "closesession($session)" >/dev/null 2>&1 &
            PIDS+=("$!")
        done
        wait_for box_open || fail "$case: no box was opened"
    fi
    kill "$BUS_PID"
    wait_for ended || fail "$case: Kassavero outlived its session bus"
    status=0
    wait "$KASSAVERO_PID" || status=$?
    expect_eq "$status" 0 "$case: exit status"
    expect_eq "$(status_value Runs)" "" "$case: Runs after the end"
    expect_eq "$(status_value DDEStatus)" "" "$case: DDEStatus after the end"
    [ ! -e "$XDG_RUNTIME_DIR/kassavero.lock" ] || fail "$case: the lock was left behind"
done
echo "2 passed, 0 failed"
