# SPDX-License-Identifier: GPL-3.0-or-later
# A message box of the start-up is open before the event loop runs (here the one about
# strings missing in the translation file). SIGTERM and SIGINT must still end it and run
# the orderly shut-down.
source "$(dirname "$0")/lib.sh"

# The program reads its translation file from its own directory: a copy beside a file
# whose language section lacks one key.
mkdir -p "$WORK/bin"
cp "$KASSAVERO" "$WORK/bin/kassavero"
awk '/^\[/ { section = $0 } !(section == "[English]" && /^Overflow=/)' "$BIN/i18n.dat" |
    sed 's/^Sprache=.*/Sprache=English/' >"$WORK/bin/i18n.dat"
if cmp -s "$BIN/i18n.dat" "$WORK/bin/i18n.dat"; then fail "no key was taken out"; fi

runs_is_1() { [ "$(status_value Runs)" = "1" ]; }

for signal in TERM INT; do
    "$WORK/bin/kassavero" >"$WORK/kassavero.out" 2>&1 &
    pid=$!
    PIDS+=("$pid")
    wait_for runs_is_1 || fail "SIG$signal: the program did not start"
    # The box runs its own event loop: the first bus call answered shows it is up.
    wait_for timeout 5 "$CLIENT" request System Filter >/dev/null 2>&1 ||
        fail "SIG$signal: no event loop runs"
    kill -0 "$pid" 2>/dev/null || fail "SIG$signal: the program ended without the box"
    expect_eq "$(status_value DDEStatus)" "" "SIG$signal: DDEStatus while the box is open"

    kill -"$signal" "$pid"
    for i in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "SIG$signal: the program did not end while the box was open"
    wait "$pid" || true
    expect_eq "$(status_value Runs)" "" "SIG$signal: Runs after shut-down"
    expect_eq "$(status_value DDEStatus)" "" "SIG$signal: DDEStatus after shut-down"
done
echo "2 passed, 0 failed"
