# SPDX-License-Identifier: GPL-3.0-or-later
# A text handed over as a file converts exactly as one sent in the message, keeps bytes a
# bus string could not carry, and a pipe in the file's place is refused without holding
# up the program.
source "$(dirname "$0")/lib.sh"

start_kassavero
watch_calls
printf 'Grüße 😀: 100 DM\nund 2.500,50 öS\n' >"$WORK/in.txt"
"$CLIENT" convert "$WORK/in.txt" -o "$WORK/out.txt"
grep -q 'member=ConvertTextFd' "$WORK/calls" || fail "kassavero-dde did not hand the text over"

/usr/bin/python3 - "$WORK" <<'PYTHON' || fail "the handed-over texts"
import os, sys
from gi.repository import Gio, GLib

work = sys.argv[1]
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)

def call(method, args, fds=None):
    return bus.call_with_unix_fd_list_sync(
        "org.kassavero.dde.kassavero", "/org/kassavero/dde", "org.kassavero.dde.Server",
        method, args, None, 0, -1, fds, None)

def handed(data):
    memory = os.memfd_create("text")
    os.write(memory, data)
    fds = Gio.UnixFDList.new_from_array([memory])
    (out, changes), out_fds = call("ConvertTextFd", GLib.Variant("(sh)", ("test", 0)), fds)
    out_fd = out_fds.get(out)
    return os.pread(out_fd, 1 << 20, 0), changes

text = open(os.path.join(work, "in.txt"), "rb").read()
message = call("ConvertText", GLib.Variant("(ss)", ("test", text.decode())))[0].unpack()
converted, changes = handed(text)
assert converted == message[0].encode() and changes == message[1] == 2, (converted, message)
assert converted == open(os.path.join(work, "out.txt"), "rb").read()

# Bytes that are not UTF-8 and a NUL come back as they came.
converted, changes = handed(b"\xff\x00 Preis 100 DM \xe4")
assert converted.startswith(b"\xff\x00 Preis ") and converted.endswith(b"(100 DM) \xe4"), converted
assert changes == 1

read_end, write_end = os.pipe()
try:
    call("ConvertTextFd", GLib.Variant("(sh)", ("test", 0)), Gio.UnixFDList.new_from_array([read_end]))
    raise SystemExit("a pipe was read")
except GLib.Error as error:
    assert "InvalidArgs" in error.message, error.message
PYTHON
expect_eq "$("$CLIENT" call filter testconnection)" "OK" "a call after the refused pipe"
stop_kassavero
echo "1 passed, 0 failed"
