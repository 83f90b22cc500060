# On an X server with a window manager, the calculator and the confirmation window come
# back where the user left them, also after new starts: the corner of the frame is kept,
# and a window placed by its inside would come back lower by its title bar.
source "$(dirname "$0")/lib.sh"

for tool in Xvfb xdotool xwininfo xprop openbox; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
display=
for n in $(seq 200 279); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
[ -n "$display" ] || { echo "skipped: no free X display"; exit 77; }
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
PIDS+=($!)
export DISPLAY=$display QT_QPA_PLATFORM=xcb
wait_for xdotool getmouselocation >/dev/null 2>&1 || fail "Xvfb did not start"
openbox >/dev/null 2>&1 &
PIDS+=($!)
wait_for xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 || fail "openbox did not start"

window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
# "x,y" of the frame's corner, once the window manager has framed the window.
frame_of() {
    local w e
    w=$(window "$1") && [ -n "$w" ] || return 1
    e=$(xprop -id "$w" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')
    [ -n "$e" ] && [ "$e" != "0,0,0,0" ] || return 1
    xwininfo -id "$w" | awk -v l="${e%%,*}" -v t="$(cut -d, -f3 <<<"$e")" \
        '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4} END {print x - l "," y - t}'
}
framed() { frame_of "$1" >/dev/null; }
gone() { [ -z "$(window "$1")" ]; }

calculator="Currency Calculator"
confirmation="Conversion \(kassavero-dde\)"
printf 'Preis 100 DM.\n' >"$WORK/letter.txt"
show() {
    if [ "$1" = "$calculator" ]; then
        "$CLIENT" call calculator show >/dev/null
    else
        "$CLIENT" convert "$WORK/letter.txt" --confirm >/dev/null 2>&1 &
    fi
    wait_for framed "$1" || fail "$1 did not show"
}
hide() {
    xdotool windowfocus --sync "$(window "$1")"
    xdotool key Escape
    wait_for gone "$1" || fail "Escape did not hide $1"
}

start_kassavero
declare -A place
for name in "$calculator" "$confirmation"; do
    show "$name"
    xdotool windowmove "$(window "$name")" $((${#name} * 20)) 150
    sleep 0.5
    place[$name]=$(frame_of "$name")
    hide "$name"
done
for run in 1 2; do
    stop_kassavero
    start_kassavero
    for name in "$calculator" "$confirmation"; do
        show "$name"
        expect_eq "$(frame_of "$name")" "${place[$name]}" "$name after start $run"
        hide "$name"
    done
done
stop_kassavero
echo "1 passed, 0 failed"
