# On an X server with a window manager: the calculator and the confirmation window come
# back where the user left them, after hiding and after a new start. The frame's corner
# is what is kept; a window placed by its inside would come back lower by its title bar.
source "$(dirname "$0")/lib.sh"

for tool in Xvfb xdotool xwininfo xprop openbox; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
display=
for n in $(seq 200 279); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "skipped: no free X display"; exit 77; }
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
PIDS+=($!)
export DISPLAY=$display QT_QPA_PLATFORM=xcb
wait_for xdotool getmouselocation >/dev/null 2>&1 || fail "Xvfb did not start"
openbox >/dev/null 2>&1 &
PIDS+=($!)
wait_for xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 || fail "openbox did not start"

# The frame's corner of the shown window with that name, once the window manager framed it.
frame_of() {
    local w info extents
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) || return 1
    [ -n "$w" ] || return 1
    extents=$(xprop -id "$w" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
    [ -n "$extents" ] && [ "$extents" != "0,0,0,0" ] || return 1
    info=$(xwininfo -id "$w")
    echo "$(($(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info") - ${extents%%,*}))," \
        "$(($(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info") - $(cut -d, -f3 <<<"$extents")))"
}
framed() { frame_of "$1" >/dev/null; }
gone() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

calculator="Currency Calculator"
confirmation="Conversion \(kassavero-dde\)"
printf 'Preis 100 DM und 200 DM.\n' >"$WORK/letter.txt"
ask() {
    "$CLIENT" convert "$WORK/letter.txt" --confirm >/dev/null 2>&1 &
    CONVERT_PID=$!
    wait_for framed "$confirmation" || fail "the confirmation window did not show"
}
cancel() {
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "$confirmation" | head -n 1)"
    xdotool key Escape
    wait "$CONVERT_PID" || true
    wait_for gone "$confirmation" || fail "Escape did not close the confirmation window"
}

start_kassavero
"$CLIENT" call calculator show >/dev/null
wait_for framed "$calculator" || fail "the calculator did not show"
xdotool windowmove "$(xdotool search --onlyvisible --name "$calculator" | head -n 1)" 300 200
sleep 0.5
calculatorPlace=$(frame_of "$calculator")
ask
xdotool windowmove "$(xdotool search --onlyvisible --name "$confirmation" | head -n 1)" 500 350
sleep 0.5
confirmationPlace=$(frame_of "$confirmation")
cancel
"$CLIENT" call calculator hide >/dev/null
"$CLIENT" call calculator show >/dev/null
wait_for framed "$calculator" || fail "the calculator did not show again"
expect_eq "$(frame_of "$calculator")" "$calculatorPlace" "calculator shown again"
"$CLIENT" call calculator hide >/dev/null

for run in 1 2; do
    stop_kassavero
    start_kassavero
    "$CLIENT" call calculator show >/dev/null
    wait_for framed "$calculator" || fail "the calculator did not show after a new start"
    expect_eq "$(frame_of "$calculator")" "$calculatorPlace" "calculator after start $run"
    "$CLIENT" call calculator hide >/dev/null
    ask
    expect_eq "$(frame_of "$confirmation")" "$confirmationPlace" "confirmation after start $run"
    cancel
done
stop_kassavero
echo "1 passed, 0 failed"
