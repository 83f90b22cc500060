# SPDX-License-Identifier: GPL-3.0-or-later
# On an X server with a window manager, the question window keeps what the user must see
# in view: it comes back wholly on the screen from a place off it, steps beside the amount
# a client names, and the calculator shown meanwhile stands beside it, not over it, and
# goes back to its place afterwards.
source "$(dirname "$0")/lib.sh"

start_framing_desktop

# "left top width height" of the frame, once the window manager has framed the window.
frame_of() {
    local f w e
    f=$(frame_extents "$1") || return 1
    read -r w e <<<"$f"
    xwininfo -id "$w" | awk -v e="$e" 'BEGIN {split(e, m, ",")}
        /Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2}
        END {print x - m[1], y - m[3], w + m[1] + m[2], h + m[3] + m[4]}'
}
framed() { frame_of "$1" >/dev/null; }
on_screen() {
    local f
    f=$(frame_of "$1") || return 1
    read -r x y w h <<<"$f"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1366 ] && [ $((y + h)) -le 768 ]
}
apart() {
    local a b
    a=$(frame_of "$1") && b=$(frame_of "$2") || return 1
    read -r ax ay aw ah <<<"$a"
    read -r bx by bw bh <<<"$b"
    [ $((ax + aw)) -le "$bx" ] || [ $((bx + bw)) -le "$ax" ] ||
        [ $((ay + ah)) -le "$by" ] || [ $((by + bh)) -le "$ay" ]
}
clear_of() {
    local f
    f=$(frame_of "$1") || return 1
    read -r x y w h <<<"$f"
    [ $((x + w)) -le "$2" ] || [ $(($2 + $4)) -le "$x" ] || [ $((y + h)) -le "$3" ] ||
        [ $(($3 + $5)) -le "$y" ]
}
at() { [ "$(frame_of "$1" | cut -d' ' -f1,2)" = "$2" ]; }

calculator="Currency Calculator"
question="Conversion \(kassavero-dde\)"

# A place far off the screen, as a screen that is gone leaves it.
start_kassavero
stop_kassavero
sed -i 's/^\(\[HKEY_CURRENT_USER\\Software\\Kassavero\\General\]\)$/\1\n"ConfirmFormXPos"="3000"\n"ConfirmFormYPos"="2000"/' \
    "$REGISTRY"
grep -q '"ConfirmFormXPos"="3000"' "$REGISTRY" || fail "the place was not stored"
start_kassavero
gone() { [ -z "$(window "$1")" ]; }
escape() {
    xdotool windowactivate --sync "$(window "$1")" 2>/dev/null ||
        xdotool windowfocus --sync "$(window "$1")"
    xdotool key Escape
    wait_for gone "$1" || fail "Escape did not hide $1"
}
"$CLIENT" call calculator show >/dev/null
wait_for framed "$calculator" || fail "the calculator did not show"
own_place=$(frame_of "$calculator" | cut -d' ' -f1,2)
printf 'Preis 100 DM, Porto 5 DM und 7 DM.\n' >"$WORK/letter.txt"
"$CLIENT" convert "$WORK/letter.txt" --confirm >/dev/null 2>&1 &
PIDS+=($!)
wait_for framed "$question" || fail "the question did not show"
wait_for on_screen "$question" || fail "question off the screen: $(frame_of "$question")"
# The calculator open already, and one shown while the question is open, stand beside it.
wait_for apart "$calculator" "$question" ||
    fail "calculator $(frame_of "$calculator") under question $(frame_of "$question")"
escape "$calculator"
"$CLIENT" call calculator show >/dev/null
wait_for framed "$calculator" || fail "the calculator did not show"
wait_for apart "$calculator" "$question" ||
    fail "calculator $(frame_of "$calculator") over question $(frame_of "$question")"

# The amount a client names is not covered by the question.
read -r qx qy _ _ <<<"$(frame_of "$question")"
area="$((qx + 40)) $((qy + 60)) 90 20"
expect_eq "$("$CLIENT" call filter "amountonscreen(${area// /,})")" "MOVED" "the amount named"
wait_for clear_of "$question" $area || fail "question $(frame_of "$question") covers $area"
wait_for apart "$calculator" "$question" || fail "the calculator covers the moved question"

# With the question gone the calculator is back where it stood.
escape "$question"
wait_for at "$calculator" "$own_place" ||
    fail "calculator at $(frame_of "$calculator"), not back at $own_place"

echo "1 passed, 0 failed"
