# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up until "DDEStatus" is "OK" with the first-start profile stored; SIGTERM ends
# the program through its orderly shut-down.
source "$(dirname "$0")/lib.sh"

start_kassavero
expect_eq "$(status_value Runs)" "1" "Runs while running"

grep -q '"EntriesValid"="1"' "$REGISTRY" || fail "EntriesValid not written"
# The one profile of a first start holds all 283 values.
values=$(awk '/^\[/{inside = ($0 ~ /\\Profile /)} inside && /^"/{n++} END{print n+0}' "$REGISTRY")
expect_eq "$values" "283" "values in the first profile"
grep -q '^"InputSymbolsForDEM"="()"$' "$REGISTRY" || fail "first-start lists are not empty"

stop_kassavero
expect_eq "$(status_value DDEStatus)" "" "DDEStatus after shut-down"
expect_eq "$(status_value Runs)" "" "Runs after shut-down"
echo "1 passed, 0 failed"
