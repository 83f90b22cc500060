# SPDX-License-Identifier: GPL-3.0-or-later
# On an X server with a window manager, the calculator and the confirmation window come
# back where the user left them, also after new starts: the corner of the frame is kept,
# and a window placed by its inside would come back lower by its title bar.
source "$(dirname "$0")/lib.sh"

start_framing_desktop

# "x,y" of the frame's corner, once the window manager has framed the window.
frame_of() {
    local f w e
    f=$(frame_extents "$1") || return 1
    read -r w e <<<"$f"
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
        "$CLIENT" call calculator show >/dev/null || fail "the calculator was not asked to show"
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
# The frame has left `from` and stays where it went.
settled_away() {
    local a b
    a=$(frame_of "$1") && [ "$a" != "$2" ] || return 1
    sleep 0.2
    b=$(frame_of "$1") && [ "$a" = "$b" ]
}
at_place() { [ "$(frame_of "$1")" = "$2" ]; }
for name in "$calculator" "$confirmation"; do
    show "$name"
    before=$(frame_of "$name")
    xdotool windowmove "$(window "$name")" $((${#name} * 20)) 150
    wait_for settled_away "$name" "$before" || fail "$name did not move"
    place[$name]=$(frame_of "$name")
    hide "$name"
done
for run in 1 2; do
    stop_kassavero
    start_kassavero
    for name in "$calculator" "$confirmation"; do
        show "$name"
        # A loaded machine may frame the window before the program has placed it.
        wait_for at_place "$name" "${place[$name]}" ||
            expect_eq "$(frame_of "$name")" "${place[$name]}" "$name after start $run"
        hide "$name"
    done
done
stop_kassavero
echo "1 passed, 0 failed"
