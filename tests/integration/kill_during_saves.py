#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Starts Kassavero, changes one setting over the bus again and again (each change a
save of the settings file) and kills the program with SIGKILL at a random moment; many
times over. After each kill the settings file must be whole: the same as the reference
but for the changed line, which holds one of the two values.

    kill_during_saves.py KASSAVERO REGISTRY REFERENCE KILLS

Prints "kills=N saves=M leftovers=L"; exits non-zero on the first broken file."""
import os
import random
import signal
import subprocess
import sys
import time

from gi.repository import Gio, GLib

NAME = "org.kassavero.dde.kassavero"
PATH = "/org/kassavero/dde"
INTERFACE = "org.kassavero.dde.Server"
LINE = b'"OutputReplace"='


def rest(content):
    return b"".join(l for l in content.splitlines(True) if not l.startswith(LINE))


def main():
    program, registry, reference_path, kills = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    with open(reference_path, "rb") as f:
        reference = f.read()
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    saves = leftovers = 0
    for kill in range(1, kills + 1):
        process = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Saves begin as soon as the program answers; the kill comes a random time later.
        deadline = None
        started = time.monotonic()
        value = 0
        while True:
            now = time.monotonic()
            if now - started > 20:
                sys.exit("kill %d: the program did not answer" % kill)
            if deadline is not None and now >= deadline:
                break
            command = "Settings:setvalue(,OutputReplace,%d)" % (value % 2)
            try:
                bus.call_sync(NAME, PATH, INTERFACE, "Execute",
                              GLib.Variant("(ss)", ("System", command)), None,
                              Gio.DBusCallFlags.NONE, 5000, None)
            except GLib.Error:
                time.sleep(0.01)
                continue
            if deadline is None:
                if os.path.exists(registry + ".tmp"):
                    sys.exit("kill %d: a temporary file was left at start" % kill)
                deadline = time.monotonic() + random.uniform(0.0, 0.15)
            value += 1
            saves += 1
        # Kill while the next save may be half done.
        bus.call(NAME, PATH, INTERFACE, "Execute",
                 GLib.Variant("(ss)", ("System", "Settings:setvalue(,OutputReplace,%d)" % (value % 2))),
                 None, Gio.DBusCallFlags.NONE, 5000, None, None, None)
        bus.flush_sync(None)
        time.sleep(random.uniform(0.0, 0.01))
        process.send_signal(signal.SIGKILL)
        process.wait()
        if os.path.exists(registry + ".tmp"):
            leftovers += 1
        with open(registry, "rb") as f:
            content = f.read()
        if rest(content) != reference:
            sys.exit("kill %d: the settings file is not whole" % kill)
        values = [l for l in content.splitlines() if l.startswith(LINE)]
        if values not in ([LINE + b'"0"'], [LINE + b'"1"']):
            sys.exit("kill %d: the changed value reads %r" % (kill, values))
    print("kills=%d saves=%d leftovers=%d" % (kills, saves, leftovers))


if __name__ == "__main__":
    main()
