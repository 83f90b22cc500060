# SPDX-License-Identifier: GPL-3.0-or-later
# On a real X server: Ctrl+Alt+W pressed anywhere shows the calculator, also with Num
# Lock on, and `kassavero-dde show-calculator` does the same over the bus.
source "$(dirname "$0")/lib.sh"

for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

# A display number nobody uses.
display=
for n in $(seq 120 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "skipped: no free X display"; exit 77; }
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
PIDS+=($!)
export DISPLAY=$display QT_QPA_PLATFORM=xcb
wait_for xdotool getmouselocation >/dev/null 2>&1 || fail "Xvfb did not start"

start_kassavero

calculator_shown() {
    xdotool search --onlyvisible --name "Currency Calculator" >/dev/null 2>&1
}
press_hotkey_until_shown() {
    # The grab is made at start-up; a key press before it would be lost, so try again.
    local i
    for i in $(seq 10); do
        xdotool key --clearmodifiers ctrl+alt+w
        wait_for_short calculator_shown && return 0
    done
    return 1
}
wait_for_short() { wait_for_within 30 "$@"; }

calculator_shown && fail "the calculator is visible before the hotkey"
press_hotkey_until_shown || fail "Ctrl+Alt+W did not show the calculator"

"$CLIENT" call calculator hide >/dev/null
wait_for_short calculator_shown && fail "the calculator did not hide"
xdotool key Num_Lock
press_hotkey_until_shown || fail "Ctrl+Alt+W with Num Lock on did not show the calculator"
xdotool key Num_Lock

"$CLIENT" call calculator hide >/dev/null
"$CLIENT" show-calculator || fail "kassavero-dde show-calculator failed"
wait_for calculator_shown || fail "show-calculator did not show the calculator"

stop_kassavero
echo "1 passed, 0 failed"
