#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Sends many calls to Kassavero at once over one bus connection, without waiting for
any answer before sending the next, and reports how many were answered.

    bus_flood.py COUNT TOPIC COMMAND [SECONDS]

Waits up to SECONDS (default 60) for all but `unanswered` calls; prints
"answered=N errors=M".
"""
import sys

from gi.repository import Gio, GLib

NAME = "org.kassavero.dde.kassavero"
PATH = "/org/kassavero/dde"
INTERFACE = "org.kassavero.dde.Server"


def main():
    count = int(sys.argv[1])
    topic, command = sys.argv[2], sys.argv[3]
    seconds = float(sys.argv[4]) if len(sys.argv) > 4 else 60.0
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    loop = GLib.MainLoop()
    state = {"answered": 0, "errors": 0}

    def finished(connection, result, _data):
        try:
            connection.call_finish(result)
            state["answered"] += 1
        except GLib.Error as error:
            # A timeout on our side is no answer; anything else the program said.
            if "Timeout" in str(error) or "NoReply" in str(error):
                return
            state["errors"] += 1
        # All but the call that waits in the one open box have their answer.
        if state["answered"] + state["errors"] >= count - 1:
            loop.quit()

    for _ in range(count):
        bus.call(NAME, PATH, INTERFACE, "Execute", GLib.Variant("(ss)", (topic, command)),
                 None, Gio.DBusCallFlags.NONE, int(seconds * 1000), None, finished, None)
    GLib.timeout_add(int(seconds * 1000), loop.quit)
    loop.run()
    print("answered=%d errors=%d" % (state["answered"], state["errors"]))


if __name__ == "__main__":
    main()
