# SPDX-License-Identifier: GPL-3.0-or-later
# More callers with a text waiting than the program keeps: the newest is refused with
# an error, and no waiting text is dropped.
source "$(dirname "$0")/lib.sh"

start_kassavero
session=$("$CLIENT" call filter 'opensession(Viele,0)')
/usr/bin/python3 - "$session" <<'PYTHON' || fail "many callers"
import sys
from gi.repository import Gio, GLib

session = sys.argv[1]
def call(bus, command):
    reply = bus.call_sync("org.kassavero.dde.kassavero", "/org/kassavero/dde",
                          "org.kassavero.dde.Server", "Call",
                          GLib.Variant("(ss)", ("System", command)), None, 0, -1, None)
    return reply.unpack()[0].strip("[]")

callers = []
for i in range(65):
    bus = Gio.DBusConnection.new_for_address_sync(
        Gio.dbus_address_get_for_bus_sync(Gio.BusType.SESSION, None),
        Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
        Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
    callers.append(bus)
    reply = call(bus, "filter:transfertext:Preis %d DM" % (i + 1))
    if i < 64 and not reply.startswith("transfertext"):
        sys.exit("caller %d refused: %s" % (i, reply))
if not reply.startswith("ERROR."):
    sys.exit("the 65th caller was not refused: " + reply)
found = call(callers[0], "filter:findnextchange(%s)" % session)
if not found.endswith(";DEM;1"):
    sys.exit("the first caller's text is gone: " + found)
PYTHON
echo "1 passed, 0 failed"
