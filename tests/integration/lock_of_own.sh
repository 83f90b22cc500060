# SPDX-License-Identifier: GPL-3.0-or-later
# Without XDG_RUNTIME_DIR the single-instance lock lives in a directory of the user's
# own: a lock file that another user planted in the shared temporary directory, under
# the name older versions used, does not stop the start, and a second instance is still
# refused. Needs root to act as two users; skipped otherwise.
source "$(dirname "$0")/lib.sh"

if [ "$(id -u)" -ne 0 ] || ! command -v setpriv >/dev/null; then
    echo "skipped: changing the user needs root and setpriv"
    echo "1 passed, 0 failed"
    exit 0
fi
USER_ID=65534  # nobody
AS_USER=(setpriv --reuid="$USER_ID" --regid="$USER_ID" --clear-groups
    env -u XDG_RUNTIME_DIR HOME="$WORK/home" TMPDIR="$WORK/tmp"
    XDG_CONFIG_HOME="$WORK/home/.config")
# The program must be readable by that user.
cp "$KASSAVERO" "$BIN/i18n.dat" "$WORK/"
mkdir -p "$WORK/home" "$WORK/tmp"
chmod 755 "$WORK"
chmod 1777 "$WORK/tmp"
chown "$USER_ID:$USER_ID" "$WORK/home"

# Planted by root, whom the user cannot override: a lock of a process that is not there,
# which a stale lock would be, but which the user can neither remove nor replace.
printf '999999\nkassavero\nelsewhere\n' >"$WORK/tmp/kassavero-$USER_ID.lock"
mkdir -p "$WORK/tmp/kassavero-$USER_ID"

USER_STATUS="$WORK/home/.config/Kassavero/KASSAVR.INI"
user_ready() { grep -q '^DDEStatus=OK' "$USER_STATUS" 2>/dev/null; }
"${AS_USER[@]}" "$WORK/kassavero" >"$WORK/user.out" 2>&1 &
USER_PID=$!
PIDS+=("$USER_PID")
wait_for user_ready || { cat "$WORK/user.out"; fail "the planted lock stopped the start"; }
[ "$(stat -c %U "$WORK/home/.config/Kassavero/kassavero.lock")" = nobody ] ||
    fail "the lock is not in the user's own directory"
expect_eq "$(stat -c %a "$WORK/home/.config/Kassavero")" "700" "the lock's directory"

# A second instance of the same user is refused, silently with /nowarning.
timeout 20 "${AS_USER[@]}" "$WORK/kassavero" /nowarning >/dev/null 2>&1 || fail "the second instance did not end"
kill -0 "$USER_PID" 2>/dev/null || fail "the first instance ended"
kill -TERM "$USER_PID"
wait "$USER_PID" 2>/dev/null || true
echo "1 passed, 0 failed"
