# SPDX-License-Identifier: GPL-3.0-or-later
# A visible LibreOffice on a private X server: the keyboard opens Tools > Kassavero >
# Convert amounts in an English office, the letter is converted and the extension's
# message box says so. With each change asked, the question window leaves the amount in
# view and the calculator leaves the question and the result in view.
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

# With each change asked and shown in the calculator: the question window stands beside
# the amount it asks about, and the calculator beside the question.
for setting in WordConfirmChanges,1 WordDisplayInCalculator,1; do
    expect_eq "$("$CLIENT" call settings "setvalue(,$setting)")" "OK" "setvalue $setting"
done
area=$(timeout 120 "$PYTHON" "$DRIVER" "$PIPE" show-asked) || fail "opening a letter to ask"
read -r ax ay aw ah <<<"$area"
sleep 1
window=$(xdotool search --onlyvisible --name 'LibreOffice Writer$' | tail -n 1)
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 1
xdotool key --delay 300 alt+t k c
question() { xdotool search --onlyvisible --name '^Kassavero .*\(' 2>/dev/null | head -n 1; }
calculator() { xdotool search --onlyvisible --name 'Calculator$' 2>/dev/null | head -n 1; }
wait_for_within 600 prints_something question || fail "no question during the run"
area_of() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}
# Two areas "x y w h" that share no pixel.
apart() {
    local a b
    read -r a1 a2 a3 a4 <<<"$1"
    read -r b1 b2 b3 b4 <<<"$2"
    [ $((a1 + a3)) -le "$b1" ] || [ $((b1 + b3)) -le "$a1" ] ||
        [ $((a2 + a4)) -le "$b2" ] || [ $((b2 + b4)) -le "$a2" ]
}
clear_of_amount() { apart "$(area_of "$(question)")" "$ax $ay $aw $ah"; }
wait_for clear_of_amount || fail "the question $(area_of "$(question)") covers the amount $area"
wait_for prints_something calculator || fail "the calculator did not show the amount"
calculator_aside() { apart "$(area_of "$(question)")" "$(area_of "$(calculator)")"; }
wait_for calculator_aside ||
    fail "the calculator $(area_of "$(calculator)") covers the question $(area_of "$(question)")"
xdotool windowfocus --sync "$(question)" 2>/dev/null || true
xdotool key Escape
wait_for xdotool search --onlyvisible --name '^Kassavero$' >/dev/null ||
    fail "no message box after the asked run"
# The calculator, back at its place, leaves the result in view.
box=$(xdotool search --onlyvisible --name '^Kassavero$' | head -n 1)
result_in_view() { apart "$(area_of "$box")" "$(area_of "$(calculator)")"; }
wait_for result_in_view ||
    fail "the calculator $(area_of "$(calculator)") covers the result $(area_of "$box")"
xdotool search --onlyvisible --name '^Kassavero$' | while read -r box; do
    xdotool windowfocus --sync "$box" key Return 2>/dev/null || true
done
stop_kassavero
echo "1 passed, 0 failed"
