# SPDX-License-Identifier: GPL-3.0-or-later
# Thousands of failing session checks, each of which would show a warning, sent while
# nobody answers the first box: the others go to stderr and are answered at once, the
# program stays alive and keeps answering.
source "$(dirname "$0")/lib.sh"

start_kassavero
HERE=$(dirname "$0")
result=$(/usr/bin/python3 "$HERE/bus_flood.py" 3000 System 'Filter:closesession(99)' 100)
echo "closesession(99) x 3000: $result"
answered=${result#answered=}
answered=${answered%% *}
[ "$answered" -ge 2999 ] || fail "only $answered of 2999 calls were answered"
kill -0 "$KASSAVERO_PID" 2>/dev/null || fail "Kassavero died"

# Another command that warns: an eleventh session.
for i in $(seq 11); do "$CLIENT" call filter "opensession(client$i,0)" >/dev/null; done
expect_eq "$("$CLIENT" call filter 'opensession(twelfth,0)')" "-1" "a session beyond ten"

expect_eq "$(timeout 10 "$CLIENT" call filter testconnection)" "OK" "a call after the flood"
kill -0 "$KASSAVERO_PID" 2>/dev/null || fail "Kassavero died"
shown=$(grep -c "Kassavero: " "$WORK/kassavero.out" || true)
echo "messages on stderr: $shown"
[ "$shown" -ge 3000 ] || fail "the messages that could not be shown are not on stderr"
stop_kassavero
echo "1 passed, 0 failed"
