# SPDX-License-Identifier: GPL-3.0-or-later
# SIGKILL while settings are being saved over the bus, again and again: the settings
# file is always whole, holding the state before or after the save that was cut short,
# and what a killed save left behind is removed at the next start.
source "$(dirname "$0")/lib.sh"

KILLS=${KILLS:-100}
start_kassavero
"$CLIENT" call settings 'setvalue(,OutputReplace,0)' >/dev/null
stop_kassavero
grep -v '^"OutputReplace"=' "$REGISTRY" >"$WORK/reference"

/usr/bin/python3 "$(dirname "$0")/kill_during_saves.py" "$KASSAVERO" "$REGISTRY" \
    "$WORK/reference" "$KILLS" || fail "a kill broke the settings file"
rm -f "$STATUS"  # the killed program left "DDEStatus=OK"
printf 'half a save' >"$REGISTRY.tmp"
printf 'half a save' >"$STATUS.tmp"
start_kassavero
[ ! -e "$REGISTRY.tmp" ] || fail "the settings' temporary file was not removed at start"
[ ! -e "$STATUS.tmp" ] || fail "the status file's temporary file was not removed at start"
stop_kassavero
echo "1 passed, 0 failed"
