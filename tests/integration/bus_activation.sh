# SPDX-License-Identifier: GPL-3.0-or-later
# Installed with its bus service file, Kassavero is started by the first call on a bus
# that knows the file, and a start that finds it running ends silently.
source "$(dirname "$0")/lib.sh"
BUILD="$2"

# A prefix of its own, no DESTDIR: the service file then names the real program.
PREFIX="$WORK/opt/kassavero"
cmake --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
    { cat "$WORK/install.log" >&2; fail "cmake --install failed"; }
SERVICE_FILE="$PREFIX/share/dbus-1/services/org.kassavero.dde.kassavero.service"
expect_eq "$(grep '^Exec=' "$SERVICE_FILE")" "Exec=$PREFIX/lib/kassavero/kassavero /nowarning" \
    "service file"
CLIENT="$PREFIX/bin/kassavero-dde"

cat >"$WORK/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$WORK</listen>
  <servicedir>$PREFIX/share/dbus-1/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
dbus-daemon --config-file="$WORK/bus.conf" --fork --print-address=1 --print-pid=1 >"$WORK/bus.out"
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p "$WORK/bus.out")
PIDS+=("$(sed -n 2p "$WORK/bus.out")")

bus_owner_pid() {
    dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.GetConnectionUnixProcessID string:org.kassavero.dde.kassavero \
        2>/dev/null | awk '{print $2}'
}
stop_activated() {
    KASSAVERO_PID=$(bus_owner_pid)
    [ -n "$KASSAVERO_PID" ] || fail "no program owns the bus name"
    PIDS+=("$KASSAVERO_PID")
    kill -TERM "$KASSAVERO_PID"
    local i
    # A loaded machine (a sanitizer run) can take a while to answer.
    for i in $(seq 300); do
        kill -0 "$KASSAVERO_PID" 2>/dev/null || return 0
        sleep 0.1
    done
    fail "the started program did not end on SIGTERM"
}

[ -z "$(bus_owner_pid)" ] || fail "Kassavero runs before the first call"

# kassavero-dde has the bus start the program.
expect_eq "$(timeout 60 "$CLIENT" call filter testconnection)" "OK" "first call of the client"
status_is_ok || wait_for status_is_ok || fail "the started program is not ready"
owner=$(bus_owner_pid)
expect_eq "$(readlink "/proc/$owner/exe")" "$PREFIX/lib/kassavero/kassavero" "started program"

# The service file's command, run while Kassavero runs, ends silently and leaves it alone.
before=$(md5sum "$STATUS")
exec_line=$(sed -n 's/^Exec=//p' "$SERVICE_FILE")
timeout 20 $exec_line >"$WORK/second.out" 2>&1 || fail "the second start did not end cleanly"
[ ! -s "$WORK/second.out" ] || fail "the second start said: $(cat "$WORK/second.out")"
expect_eq "$(md5sum "$STATUS")" "$before" "status file touched by the second start"
expect_eq "$(bus_owner_pid)" "$owner" "the first instance still owns the name"
stop_activated

# A macro's plain call, without asking first, starts it as well.
timeout 60 dbus-send --session --print-reply --dest=org.kassavero.dde.kassavero \
    /org/kassavero/dde org.kassavero.dde.Server.Execute \
    string:System string:Filter:testconnection >/dev/null || fail "the plain call failed"
expect_eq "$(timeout 20 "$CLIENT" request System Filter | tr -d '\r')" "[OK]" "reply of the plain call"
stop_activated

# A call that comes while the running Kassavero does not own its name yet (it is still
# starting up): the instance the bus starts for it ends silently and with status 0, so the
# bus keeps the call until the name is taken, instead of failing it. Here the running one
# serves another bus, and a stand-in takes the name on this one a moment later.
OTHER_BUS=$(dbus-daemon --session --fork --print-address=1 --print-pid=1)
PIDS+=("$(sed -n 2p <<<"$OTHER_BUS")")
DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$OTHER_BUS") start_kassavero
/usr/bin/python3 - "$WORK/stand-in.got" >"$WORK/stand-in.out" 2>&1 <<'PY' &
import sys, time
import dbus, dbus.service, dbus.mainloop.glib
from gi.repository import GLib

dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)


class StandIn(dbus.service.Object):
    @dbus.service.method("org.kassavero.dde.Server", in_signature="ss", out_signature="")
    def Execute(self, topic, line):
        with open(sys.argv[1], "w") as out:
            out.write(topic + " " + line)


bus = dbus.SessionBus()
time.sleep(2)
StandIn(bus, "/org/kassavero/dde")
name = dbus.service.BusName("org.kassavero.dde.kassavero", bus)
GLib.MainLoop().run()
PY
PIDS+=($!)
timeout 60 dbus-send --session --print-reply --dest=org.kassavero.dde.kassavero \
    /org/kassavero/dde org.kassavero.dde.Server.Execute \
    string:System string:Filter:testconnection >"$WORK/late.out" 2>&1 ||
    fail "the call during start-up failed: $(cat "$WORK/late.out" "$WORK/stand-in.out")"
expect_eq "$(cat "$WORK/stand-in.got")" "System Filter:testconnection" "call handed over"
stop_kassavero
echo "1 passed, 0 failed"
