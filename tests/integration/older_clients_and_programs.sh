# SPDX-License-Identifier: GPL-3.0-or-later
# The DDE-style contract keeps working both ways: a client that only knows Execute and
# Request talks to this program, also while a Call client works at the same time, and
# kassavero-dde talks to an older program that has no Call or ConvertText.
source "$(dirname "$0")/lib.sh"

start_kassavero
K=(--session -d org.kassavero.dde.kassavero -o /org/kassavero/dde)
execute() { gdbus call "${K[@]}" -m org.kassavero.dde.Server.Execute System "$1" >/dev/null; }
request() { gdbus call "${K[@]}" -m org.kassavero.dde.Server.Request System "$1"; }

# A Call client hands over a text of its own and keeps it while the old client works.
/usr/bin/python3 - "$WORK" >"$WORK/call_client.out" 2>&1 <<'PY' &
import dbus, os, sys, time
k = dbus.Interface(dbus.SessionBus().get_object("org.kassavero.dde.kassavero",
                   "/org/kassavero/dde"), "org.kassavero.dde.Server")
k.Call("System", "filter:opensession(callclient,0)")
k.Call("System", "filter:transfertext:Rest 7 DM")
open(sys.argv[1] + "/ready", "w").close()
while not os.path.exists(sys.argv[1] + "/go"):
    time.sleep(0.05)
print(k.Call("System", "filter:findnextchange(0)"))
PY
CALLER=$!
PIDS+=("$CALLER")
wait_for test -e "$WORK/ready" || { cat "$WORK/call_client.out" >&2; fail "the Call client did not start"; }

execute 'filter:opensession(old client,0)'
expect_eq "$(request Filter)" "('[1]\\r\\n',)" "the old client's session"
execute 'filter:transfertext:Preis 100 DM'
execute 'filter:findnextchange(1)'
expect_eq "$(request Filter)" "('[6;12;DEM;100]\\r\\n',)" "the old client's change"
execute 'filter:confirmchange(1,0)'
request Filter | grep -q "YES;" || fail "the old client's confirmation: $(request Filter)"
execute 'filter:closesession(1)'
execute 'settings:getvalue(,OutputReplace)'
expect_eq "$(request Settings)" "('[0]\\r\\n',)"
{ gdbus call "${K[@]}" -m org.kassavero.dde.Server.Request System Nothing 2>&1 || true; } |
    grep -q org.kassavero.dde.Error.UnknownItem || fail "no UnknownItem for Request"

touch "$WORK/go"
wait "$CALLER" || fail "the Call client failed: $(cat "$WORK/call_client.out")"
expect_eq "$(cat "$WORK/call_client.out")" "[5;9;DEM;7]" "the Call client's own text"
stop_kassavero

# kassavero-dde against an older program: the old path, line by line.
/usr/bin/python3 "$(dirname "$0")/older_program.py" "$WORK/older.log" &
PIDS+=($!)
wait_for gdbus call --session -d org.kassavero.dde.older -o /org/kassavero/dde \
    -m org.kassavero.dde.Server.Request System Filter >/dev/null 2>&1 || fail "no older program"
O=(--service older)
expect_eq "$("$CLIENT" "${O[@]}" call filter testconnection)" "OK"
code=0
"$CLIENT" "${O[@]}" call foo bar 2>"$WORK/err" || code=$?
expect_eq "$code" "3" "an unknown item on the old path"
printf 'Erst 10 DM,\ndann 30 DM \xf0\x9f\x98\x80\n' >"$WORK/in.txt"
"$CLIENT" "${O[@]}" convert "$WORK/in.txt" -o "$WORK/out.txt"
expect_eq "$(cat "$WORK/out.txt")" $'Erst 5 EUR,\ndann 15 EUR \xf0\x9f\x98\x80'
grep -q '^Execute filter:transfertext:dann 30 DM' "$WORK/older.log" || fail "not line by line"
echo "1 passed, 0 failed"
