# SPDX-License-Identifier: GPL-3.0-or-later
# A second instance is refused, with and without /nowarning, and leaves the first one
# and the status file alone.
source "$(dirname "$0")/lib.sh"

start_kassavero
before=$(md5sum "$STATUS")

# With /nowarning it ends at once, silently.
timeout 20 "$KASSAVERO" /nowarning || fail "the refused instance did not end cleanly"

# Without it, it shows its message and waits for the user; it must not have started.
timeout 3 "$KASSAVERO" >/dev/null 2>&1 && fail "a second instance ran without the warning"
# /NOWARNING is not the switch: the message is shown again.
timeout 3 "$KASSAVERO" /NOWARNING >/dev/null 2>&1 && fail "/NOWARNING was taken as the switch"

expect_eq "$(md5sum "$STATUS")" "$before" "status file touched by a refused instance"
expect_eq "$("$CLIENT" call filter testconnection)" "OK" "the first instance still answers"
stop_kassavero
echo "1 passed, 0 failed"
