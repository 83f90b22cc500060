# SPDX-License-Identifier: GPL-3.0-or-later
# A command passed through the status file and PostMessage 1035.
source "$(dirname "$0")/lib.sh"

start_kassavero
sed -i 's/^DDEConv=.*//' "$STATUS"
printf 'DDEConv=filter:testconnection\n' >>"$STATUS"
"$CLIENT" post 1035
wait_for status_is DDEAck 1 || fail "no DDEAck"
expect_eq "$(status_value DDEConv)" "[OK]"

# Without a DDEConv value the empty line runs and gives the no-colon error.
sed -i 's/^DDEConv=.*//' "$STATUS"
"$CLIENT" post 1034
wait_for prints_something status_value DDEConv || fail "no reply for an absent command"
expect_eq "$(status_value DDEConv)" "[ERROR. DDE Macro has to have the form <Item>:<Command>]"

# Other message numbers do nothing.
sed -i 's/^DDEConv=.*//' "$STATUS"
printf 'DDEConv=filter:testconnection\n' >>"$STATUS"
"$CLIENT" post 1036
sleep 0.5
expect_eq "$(status_value DDEConv)" "filter:testconnection"

"$CLIENT" status | grep -qx 'DDEStatus=OK' || fail "the client's status does not show OK"
stop_kassavero
echo "1 passed, 0 failed"
