# SPDX-License-Identifier: GPL-3.0-or-later
# A settings folder, or the folder it is in, that other users can write is refused with
# a clear message and exit status 4, before a lock or any file is made there.
source "$(dirname "$0")/lib.sh"

FOLDER="$XDG_CONFIG_HOME/Kassavero"
mkdir -p "$FOLDER"
for row in "$FOLDER 0777 every user" "$FOLDER 1777 every user" "$XDG_CONFIG_HOME 0777 every user" \
    "$XDG_CONFIG_HOME 1777 -"; do
    read -r path mode says <<<"$row"
    chmod 0700 "$FOLDER" "$XDG_CONFIG_HOME"
    chmod "$mode" "$path"
    code=0
    timeout 20 "$KASSAVERO" >"$WORK/start.out" 2>&1 &
    pid=$!
    PIDS+=("$pid")
    if [ "$says" = - ]; then
        # In a sticky folder nobody can move ours away: the program starts.
        wait_for status_is_ok || fail "no start with $mode on $path: $(cat "$WORK/start.out")"
        KASSAVERO_PID=$pid
        stop_kassavero
        continue
    fi
    wait "$pid" || code=$?
    expect_eq "$code" "4" "exit status with $mode on $path ($(cat "$WORK/start.out"))"
    grep -q "$path can be written by $says" "$WORK/start.out" || fail "message: $(cat "$WORK/start.out")"
    [ -z "$(ls -A "$FOLDER")" ] || fail "files were made in the folder: $(ls -A "$FOLDER")"
done
echo "1 passed, 0 failed"
