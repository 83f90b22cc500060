# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the integration tests: a temporary home for the program's files, starting
# and stopping the real program, and small checks.
set -euo pipefail

BIN="$1"
KASSAVERO="$BIN/kassavero"
CLIENT="$BIN/kassavero-dde"
WORK=$(mktemp -d)
export XDG_CONFIG_HOME="$WORK/config"
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export LC_ALL=C.UTF-8
STATUS="$XDG_CONFIG_HOME/Kassavero/KASSAVR.INI"
REGISTRY="$XDG_CONFIG_HOME/Kassavero/registry.reg"
PIDS=()

cleanup() {
    local pid
    for pid in "${PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# The value of a key in the status file (empty when missing).
status_value() {
    [ -f "$STATUS" ] || return 0
    sed -n "s/^$1=//p" "$STATUS" | head -n 1 | tr -d '\r'
}

# For wait_for, which runs its command anew each time: "$(...)" in its arguments would be
# read once, before the wait.
status_is() { [ "$(status_value "$1")" = "$2" ]; }
prints_something() { [ -n "$("$@")" ]; }

# Waits up to 20 s for a condition (a command) to hold.
wait_for() { wait_for_within 200 "$@"; }

# The same for a given number of tenths of a second.
wait_for_within() {
    local i tenths=$1
    shift
    for i in $(seq "$tenths"); do
        if "$@"; then return 0; fi
        sleep 0.1
    done
    return 1
}

status_is_ok() { [ "$(status_value DDEStatus)" = "OK" ]; }

# Starts the program in the background and waits until it says it is ready.
start_kassavero() {
    local attempt
    for attempt in 1 2 3; do
        "$KASSAVERO" "$@" >"$WORK/kassavero.out" 2>&1 &
        KASSAVERO_PID=$!
        PIDS+=("$KASSAVERO_PID")
        wait_for ready_or_ended || true
        status_is_ok && kill -0 "$KASSAVERO_PID" 2>/dev/null && return 0
        # On a loaded machine (the sanitizer pass, two X servers and two offices at once)
        # the X server now and then turns a new client away, and Qt ends at once; that is
        # the machine's doing, so the start is tried again. Any other end is a failure.
        kill -0 "$KASSAVERO_PID" 2>/dev/null ||
            ! grep -q "could not connect to display" "$WORK/kassavero.out" || { sleep 1; continue; }
        break
    done
    cat "$WORK/kassavero.out" >&2
    fail "Kassavero did not become ready"
}

ready_or_ended() { status_is_ok || ! kill -0 "$KASSAVERO_PID" 2>/dev/null; }

stop_kassavero() {
    kill -TERM "$KASSAVERO_PID"
    local i
    # A loaded machine (a parallel build, a sanitizer run) can take a while to answer.
    for i in $(seq 300); do
        kill -0 "$KASSAVERO_PID" 2>/dev/null || break
        sleep 0.1
    done
    ! kill -0 "$KASSAVERO_PID" 2>/dev/null || fail "Kassavero did not end on SIGTERM"
    wait "$KASSAVERO_PID" || true
}

expect_eq() {
    [ "$1" = "$2" ] || fail "expected '$2', got '$1'${3:+ ($3)}"
}

# A session bus of the test's own, which the test may end: BUS_ADDRESS and BUS_PID.
start_private_bus() {
    local started
    started=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null)
    BUS_ADDRESS=$(sed -n 1p <<<"$started")
    BUS_PID=$(sed -n 2p <<<"$started")
    PIDS+=("$BUS_PID")
}

# A private X server (with openbox when installed) for the program's windows; skips the
# test (77) without Xvfb or xdotool.
start_x_server() {
    command -v Xvfb >/dev/null && command -v xdotool >/dev/null ||
        { echo "SKIPPED: needs Xvfb and xdotool"; exit 77; }
    exec 3>"$WORK/display"
    Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
    PIDS+=($!)
    exec 3>&-
    wait_for test -s "$WORK/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$WORK/display")" QT_QPA_PLATFORM=xcb
    command -v openbox >/dev/null || return 0
    # Taking over the screen, the window manager frames the windows already there and
    # hides each for a moment; on a slow machine that could be a dialog under test. A busy
    # machine may keep it from reaching the new server at first: it is tried again, and
    # one that never comes up is done without (the windows show all the same).
    local attempt
    for attempt in 1 2 3; do
        openbox --sm-disable >"$WORK/openbox.err" 2>&1 &
        WM_PID=$!
        PIDS+=("$WM_PID")
        wait_for_within 600 wm_settled || true
        kill -0 "$WM_PID" 2>/dev/null && xdotool get_num_desktops >/dev/null 2>&1 && return 0
        kill -9 "$WM_PID" 2>/dev/null || true
        sleep 0.5
    done
    echo "openbox did not come up; going on without it: $(head -c 500 "$WORK/openbox.err")" >&2
}

wm_settled() { xdotool get_num_desktops >/dev/null 2>&1 || ! kill -0 "$WM_PID" 2>/dev/null; }

# Whether the X server of $DISPLAY takes a connection: a server starved by a loaded
# machine may refuse one for a moment, and the program would then end at its start.
x_server_answers() { xdotool getmouselocation >/dev/null 2>&1; }

# An X server whose window manager frames the windows, for tests of where windows stand;
# skips the test (77) without the tools to look at frames.
start_framing_desktop() {
    for tool in xwininfo xprop openbox; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
    done
    start_x_server
    wait_for xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 || fail "openbox did not start"
}

window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }

# The frame's "left,right,top,bottom" borders of a visible window, once it is framed.
frame_extents() {
    local w e
    w=$(window "$1") && [ -n "$w" ] || return 1
    e=$(xprop -id "$w" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')
    [ -n "$e" ] && [ "$e" != "0,0,0,0" ] || return 1
    echo "$w $e"
}

# The confirmation window while it shows something, and the client its caption names.
dialog() { xdotool search --onlyvisible --name '^Kassavero .' 2>/dev/null | head -n 1; }
dialog_asks() { xdotool getwindowname "$(dialog)" 2>/dev/null | grep -qF "($1)"; }
# Answers the question in the window with a key: 1 yes, 2 no, Escape cancel.
answer_dialog() {
    local window
    window=$(dialog)
    [ -n "$window" ] || fail "no dialog to answer"
    xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
    sleep 0.3
    xdotool key --clearmodifiers "$1"
}

# Watches the calls to the program on the bus, into $WORK/calls, from a call that is seen
# on. A call seen there has reached the bus before any call made later.
watch_calls() {
    dbus-monitor "type='method_call',interface='org.kassavero.dde.Server'" "$@" >"$WORK/calls" 2>&1 &
    PIDS+=($!)
    wait_for monitor_sees_calls || fail "the bus monitor sees no call"
}
monitor_sees_calls() { "$CLIENT" request System Filter >/dev/null && grep -q 'Request' "$WORK/calls"; }

# Returns once the program has taken every call seen so far: it serves calls in the order
# they came, also while one of them waits for the user.
served_after_calls_seen() {
    expect_eq "$(timeout 60 "$CLIENT" call filter testconnection)" "OK" "a call after those seen"
}
