# SPDX-License-Identifier: GPL-3.0-or-later
# A start that finds the lock held by a Kassavero this session's bus does not know (one of
# another session) says so with its process number and fails, also with /nowarning; once
# that one has ended, Kassavero starts here again.
source "$(dirname "$0")/lib.sh"

start_private_bus
DBUS_SESSION_BUS_ADDRESS=$BUS_ADDRESS start_kassavero
status=0
timeout 60 "$KASSAVERO" /nowarning >/dev/null 2>"$WORK/second.err" || status=$?
expect_eq "$status" 3 "the exit status of the start in this session"
grep -q "another session (process $KASSAVERO_PID)" "$WORK/second.err" ||
    fail "the other session's Kassavero is not reported: $(cat "$WORK/second.err")"
kill -0 "$KASSAVERO_PID" 2>/dev/null || fail "the other session's Kassavero ended"

stop_kassavero
start_kassavero
stop_kassavero
echo "1 passed, 0 failed"
