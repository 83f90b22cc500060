# SPDX-License-Identifier: GPL-3.0-or-later
"""A stand-in for an older Kassavero on the session bus: only Execute, Poke, Request,
PostMessage and the Advise signal. It finds "<digits> DM" in a handed-over text and
halves it into euros, enough for the command-line client's old path."""
import re
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

IFACE = "org.kassavero.dde.Server"


class Older(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/kassavero/dde")
        self.items = {"Filter": "TestConnection", "Settings": "TestConnection",
                      "Calculator": "Show"}
        self.text, self.position, self.found = "", 0, None
        self.log = open(sys.argv[1], "a")

    def reply(self, item, text):
        self.items[item] = "[" + text + "]"
        self.Advise(item, self.items[item] + "\r\n")

    @dbus.service.method(IFACE, in_signature="ss")
    def Execute(self, topic, command):
        self.log.write("Execute " + command[:40] + "\n")
        self.log.flush()
        item, _, cmd = command.partition(":")
        item = item.lower()
        if item not in ("filter", "settings", "calculator"):
            return
        if cmd.startswith("transfertext:"):
            self.text, self.position = cmd[len("transfertext:"):], 0
            answer = cmd
        elif cmd == "testconnection":
            answer = "OK"
        elif cmd.startswith("opensession("):
            answer = "0"
        elif cmd.startswith("findnextchange("):
            match = re.compile(r"(\d+) DM").search(self.text, self.position)
            if match is None:
                answer = "OK"
            else:
                self.position, self.found = match.end(), int(match.group(1))
                answer = "%d;%d;DEM;%d" % (match.start(), match.end(), self.found)
        elif cmd.startswith("confirmchange("):
            answer = "YES;;%d EUR;" % (self.found // 2)
        elif cmd.startswith("closesession("):
            answer = "OK"
        else:
            answer = "ERROR. unknown"
        self.reply(item.capitalize(), answer)

    @dbus.service.method(IFACE, in_signature="sss")
    def Poke(self, topic, item, data):
        pass

    @dbus.service.method(IFACE, in_signature="ss", out_signature="s")
    def Request(self, topic, item):
        return self.items[item] + "\r\n"

    @dbus.service.method(IFACE, in_signature="u")
    def PostMessage(self, message):
        pass

    @dbus.service.signal(IFACE, signature="ss")
    def Advise(self, item, data):
        pass


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName("org.kassavero.dde.older", bus)
older = Older(bus)
GLib.MainLoop().run()
