# SPDX-License-Identifier: GPL-3.0-or-later
# The LibreOffice extension, installed into a private LibreOffice profile,
# converts a Writer document and a Calc sheet through the real program. The program runs
# on a private X server, where a small helper answers its formula questions with Yes.
#
#   office_conversion.sh BIN_DIR OXT DRIVER VERSION  (KASSAVERO_OFFICE_KEEP=DIR keeps the documents)
source "$(dirname "$0")/../integration/lib.sh"
OXT="$2"
DRIVER="$3"
VERSION="$4"
PYTHON=/usr/bin/python3  # the interpreter python3-uno belongs to
PIPE="kassavero_office_$$"
LO_PROFILE="file://$WORK/lo-profile"
export HOME="$WORK/home"
mkdir -p "$HOME"

for tool in soffice Xvfb xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/packages.sh lists it)"
done
[ -f "$OXT" ] || fail "no extension at $OXT"

# In a session of its own, so the whole office goes when the test ends.
setsid timeout 240 soffice --headless --invisible --norestore --nologo \
    -env:UserInstallation="$LO_PROFILE" --accept="pipe,name=$PIPE;urp;" \
    >"$WORK/soffice.out" 2>&1 &
OFFICE_PID=$!
end_office() {
    kill -TERM -- "-$OFFICE_PID" 2>/dev/null || true
    sleep 0.5
    kill -KILL -- "-$OFFICE_PID" 2>/dev/null || true
    cleanup
}
trap end_office EXIT

# Installed through the extension manager, as unopkg add does (unopkg itself refuses
# to install for root).
timeout 120 "$PYTHON" "$DRIVER" "$PIPE" install "$OXT" "$VERSION" || fail "installing $OXT"

# Without the program: a clear message and no change.
timeout 120 "$PYTHON" "$DRIVER" "$PIPE" not-running || fail "run without the program"

# The program on its own X server, so its confirmation window can be answered.
exec 9>"$WORK/display"
Xvfb -displayfd 9 -screen 0 1366x768x24 -nolisten tcp >"$WORK/xvfb.out" 2>&1 &
XVFB_PID=$!
PIDS+=("$XVFB_PID")
exec 9>&-
wait_for test -s "$WORK/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$WORK/display")" QT_QPA_PLATFORM=xcb
wait_for x_server_answers || { cat "$WORK/xvfb.out" >&2; fail "the X server does not answer"; }
start_kassavero
for setting in WordConfirmChanges,0 WordDisplayInCalculator,0 InputDefaultCurrency,3; do
    expect_eq "$("$CLIENT" call settings "setvalue(,$setting)")" "OK" "setvalue $setting"
done

# Answers every question of the program's windows with Yes: "1" in the confirmation
# window (harmless while no question is open, unlike Space on whichever button has the
# focus), Return for a message box.
(
    while sleep 0.2; do
        for window in $(xdotool search --onlyvisible --name '^Kassavero .' 2>/dev/null); do
            xdotool windowfocus --sync "$window" key 1 2>/dev/null || true
        done
        for window in $(xdotool search --onlyvisible --name '^Kassavero$' 2>/dev/null); do
            xdotool windowfocus --sync "$window" key Return 2>/dev/null || true
        done
    done
) &
PIDS+=($!)

# Asked for each change in the program's window, not recorded.
"$CLIENT" call settings "setvalue(,WordConfirmChanges,1);setvalue(,WordTraceChanges,0)" >/dev/null
timeout 120 "$PYTHON" "$DRIVER" "$PIPE" confirm-untraced || fail "confirmed run without tracking"
"$CLIENT" call settings "setvalue(,WordConfirmChanges,0);setvalue(,WordTraceChanges,1)" >/dev/null

# Every session taken: the program warns in its own window (answered above), the
# extension says so and changes nothing.
for i in $(seq 10); do "$CLIENT" call filter "opensession(other$i,0)" >/dev/null; done
timeout 120 "$PYTHON" "$DRIVER" "$PIPE" sessions-full || fail "run with every session taken"
for i in $(seq 0 9); do "$CLIENT" call filter "closesession($i)" >/dev/null; done

keep="${KASSAVERO_OFFICE_KEEP:-}"
timeout 120 "$PYTHON" "$DRIVER" "$PIPE" convert $keep || fail "conversion"
# A spreadsheet run closes the program's confirmation window, as a text's run does.
[ -z "$(xdotool search --onlyvisible --name '^Kassavero Umrechnung' 2>/dev/null)" ] ||
    fail "the confirmation window stays open after the run"
stop_kassavero

# The program in a locale that writes numbers with a decimal comma.
kill -0 "$XVFB_PID" 2>/dev/null || { cat "$WORK/xvfb.out" >&2; fail "the X server ended early"; }
wait_for x_server_answers || { cat "$WORK/xvfb.out" >&2; fail "the X server does not answer"; }
LC_ALL=de_DE.UTF-8 start_kassavero
"$CLIENT" call settings "setvalue(,WordConfirmChanges,0);setvalue(,InputDefaultCurrency,3)" >/dev/null
timeout 120 "$PYTHON" "$DRIVER" "$PIPE" separators || fail "numbers across locales"
stop_kassavero

# A first start on a Bulgarian desktop proposes the lev; a Cyrillic letter converts.
if locale -a 2>/dev/null | grep -qix 'bg_BG.utf-\?8'; then
    export XDG_CONFIG_HOME="$WORK/config-bg"
    STATUS="$XDG_CONFIG_HOME/Kassavero/KASSAVR.INI"
    wait_for x_server_answers || fail "the X server does not answer"
    LC_ALL=bg_BG.UTF-8 start_kassavero
    "$CLIENT" call settings "setvalue(,WordConfirmChanges,0)" >/dev/null
    timeout 120 "$PYTHON" "$DRIVER" "$PIPE" later-changeover || fail "a Bulgarian letter"
    stop_kassavero
fi
echo "1 passed, 0 failed"
