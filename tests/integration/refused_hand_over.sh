# SPDX-License-Identifier: GPL-3.0-or-later
# A hand-over the program refuses (every place for a waiting text is taken) stops the
# step-by-step client with a clear message and a non-zero status; the file stays as it
# was, and no text another client left waiting is spliced into it.
source "$(dirname "$0")/lib.sh"

start_kassavero
"$CLIENT" execute System 'Filter:transfertext:Fremd 77777 DM'
# 64 connected callers, each with a text of its own waiting, until the file "done" appears.
/usr/bin/python3 - "$WORK" <<'PYTHON' &
import os, sys, time
from gi.repository import Gio, GLib

address = Gio.dbus_address_get_for_bus_sync(Gio.BusType.SESSION, None)
callers = []
for i in range(64):
    bus = Gio.DBusConnection.new_for_address_sync(
        address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
        Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
    bus.call_sync("org.kassavero.dde.kassavero", "/org/kassavero/dde", "org.kassavero.dde.Server",
                  "Call", GLib.Variant("(ss)", ("System", "filter:transfertext:Wartend %d DM" % i)),
                  None, 0, -1, None)
    callers.append(bus)
open(os.path.join(sys.argv[1], "holding"), "w").close()
while not os.path.exists(os.path.join(sys.argv[1], "done")):
    time.sleep(0.1)
PYTHON
PIDS+=($!)
wait_for test -e "$WORK/holding" || fail "the waiting callers did not start"

printf 'Preis: 100 DM\n200 DM\n' >"$WORK/in.txt"
for mode in --per-amount --confirm; do
    code=0
    "$CLIENT" convert "$WORK/in.txt" $mode -o "$WORK/out.txt" >"$WORK/convert.out" 2>&1 || code=$?
    expect_eq "$code" "3" "exit status with $mode ($(cat "$WORK/convert.out"))"
    grep -q "Too many clients" "$WORK/convert.out" || fail "no reason given: $(cat "$WORK/convert.out")"
    [ ! -e "$WORK/out.txt" ] || fail "a file was written: $(cat "$WORK/out.txt")"
done
touch "$WORK/done"
stop_kassavero
echo "1 passed, 0 failed"
