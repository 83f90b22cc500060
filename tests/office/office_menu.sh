# SPDX-License-Identifier: GPL-3.0-or-later
# A visible LibreOffice on a private X server: the keyboard opens Tools > Kassavero >
# Convert amounts in an English office, the letter is converted and the extension's
# message box says so.
#
#   office_menu.sh BIN_DIR OXT DRIVER VERSION
source "$(dirname "$0")/../integration/lib.sh"
OXT="$2"
DRIVER="$3"
VERSION="$4"
PYTHON=/usr/bin/python3
PIPE="kassavero_menu_$$"
export HOME="$WORK/home"
mkdir -p "$HOME"
for tool in soffice Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done

exec 9>"$WORK/display"
Xvfb -displayfd 9 -screen 0 1366x768x24 -nolisten tcp >"$WORK/xvfb.out" 2>&1 &
PIDS+=($!)
exec 9>&-
wait_for test -s "$WORK/display" || { echo "SKIPPED: Xvfb did not start"; exit 77; }
export DISPLAY=":$(head -n 1 "$WORK/display")" QT_QPA_PLATFORM=xcb

start_kassavero
for setting in WordConfirmChanges,0 WordDisplayInCalculator,0 InputDefaultCurrency,3; do
    expect_eq "$("$CLIENT" call settings "setvalue(,$setting)")" "OK" "setvalue $setting"
done

office() {
    setsid env LC_ALL=en_US.UTF-8 LANGUAGE=en_US timeout 240 soffice --norestore --nologo \
        -env:UserInstallation="file://$WORK/lo-profile" --accept="pipe,name=$PIPE;urp;" \
        >>"$WORK/soffice.out" 2>&1 &
    OFFICE_PID=$!
}
end_office() {
    kill -TERM -- "-$OFFICE_PID" 2>/dev/null || true
    for _ in $(seq 30); do kill -0 "$OFFICE_PID" 2>/dev/null || return 0; sleep 0.1; done
    kill -KILL -- "-$OFFICE_PID" 2>/dev/null || true
}
trap 'end_office; cleanup' EXIT

# The menu of an extension appears in windows opened after it was installed.
office
timeout 120 "$PYTHON" "$DRIVER" "$PIPE" install "$OXT" "$VERSION" || fail "installing $OXT"
end_office
office
timeout 120 "$PYTHON" "$DRIVER" "$PIPE" show || fail "opening a letter"
wait_for xdotool search --onlyvisible --name 'LibreOffice Writer$' >/dev/null ||
    fail "no Writer window"
window=$(xdotool search --onlyvisible --name 'LibreOffice Writer$' | head -n 1)
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 1
# Tools, then the letters LibreOffice shows underlined in its menus.
xdotool key --delay 300 alt+t k c

timeout 120 "$PYTHON" "$DRIVER" "$PIPE" shown-result || fail "conversion through the menu"
# The extension reports the result in a message box of its own.
wait_for xdotool search --onlyvisible --name '^Kassavero$' >/dev/null ||
    fail "no message box after the run"
xdotool search --onlyvisible --name '^Kassavero$' | while read -r box; do
    xdotool windowfocus --sync "$box" key Return 2>/dev/null || true
done
stop_kassavero
echo "1 passed, 0 failed"
