# SPDX-License-Identifier: GPL-3.0-or-later
# Execute, poke, request and the Advise signal on the session bus.
source "$(dirname "$0")/lib.sh"

start_kassavero

# The object offers exactly the methods and signals of the installed interface file.
members() {
    /usr/bin/python3 -c '
import sys, xml.etree.ElementTree as tree
for interface in tree.parse(sys.stdin).getroot().iter("interface"):
    if interface.get("name") == "org.kassavero.dde.Server":
        for member in interface:
            args = [(a.get("name"), a.get("type"), a.get("direction", "")) for a in member.iter("arg")]
            print(member.tag, member.get("name"), args)'
}
expect_eq "$(gdbus introspect --session --xml -d org.kassavero.dde.kassavero -o /org/kassavero/dde |
    members)" "$(members <"$(dirname "$0")/../../data/dbus/org.kassavero.dde.Server.xml")" \
    "introspection against the interface file"

"$CLIENT" execute System "filter:testconnection"
expect_eq "$("$CLIENT" request System Filter | od -c | head -n 1 | tr -s ' ')" \
    "0000000 [ O K ] \r \n" "request ends its line with CR LF"

# Topics compare without regard to case; MacroServer takes executes too.
"$CLIENT" execute macroserver "settings:showhelp(0)"
expect_eq "$("$CLIENT" request SYSTEM Settings | tr -d '\r\n')" "[OK]"

"$CLIENT" poke System Calculator "setvalue(DEM,100)"
expect_eq "$("$CLIENT" request System Calculator | tr -d '\r\n')" "[OK]"
"$CLIENT" poke System Calculator "setvalue(dem,100)"
expect_eq "$("$CLIENT" request System Calculator | tr -d '\r\n')" \
    "[ERROR. Invalid argument in call to function setvalue: dem]"
expect_eq "$("$CLIENT" request System Topics | tr -d '\r' | paste -sd,)" \
    "Calculator,Filter,Settings"

# Unknown topics and items are errors of the bus call.
"$CLIENT" request Nowhere Filter 2>"$WORK/err" && fail "an unknown topic was answered"
grep -q 'org.kassavero.dde.Error.UnknownTopic' "$WORK/err" || fail "no UnknownTopic error"
"$CLIENT" request System filter 2>"$WORK/err" && fail "item names must match exactly"
grep -q 'org.kassavero.dde.Error.UnknownItem' "$WORK/err" || fail "no UnknownItem error"

# The Advise signal carries every new item text.
"$CLIENT" watch >"$WORK/advise" &
PIDS+=($!)
# The watch is ready when it hears an Advise of its own making.
watching() {
    "$CLIENT" execute System "filter:transfertext:watch ready"
    grep -q 'transfertext:watch ready' "$WORK/advise"
}
wait_for watching || fail "the watch hears no Advise"
"$CLIENT" execute System "filter:opensession(bus test,0)"
"$CLIENT" execute System $'filter:transfertext:Gr\u00fc\u00dfe: 12,50 DM'
wait_for grep -q '^Filter: \[0\]' "$WORK/advise" || fail "no Advise for the session number"
wait_for grep -q $'^Filter: \\[transfertext:Gr\u00fc\u00dfe' "$WORK/advise" ||
    fail "no Advise for the text hand-over"
# Offsets count characters, not bytes; the amount uses the system's decimal separator.
expect_eq "$("$CLIENT" call filter 'findnextchange(0)')" "7;15;DEM;12.5"

stop_kassavero
echo "1 passed, 0 failed"
