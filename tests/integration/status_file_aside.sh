# SPDX-License-Identifier: GPL-3.0-or-later
# A status file too large to read is put aside as KASSAVR.INI.bak; the program's own
# values (Runs, DDEStatus) stay in the fresh file, whether it grew past 1 MB while the
# program ran or was exactly 1 MiB at the start (and the program's writes made it larger).
source "$(dirname "$0")/lib.sh"

# Pads the status file with a section of its own up to the given size in bytes.
pad_status() {
    /usr/bin/python3 - "$STATUS" "$1" <<'PYTHON'
import os, sys
path, size = sys.argv[1], int(sys.argv[2])
with open(path, "a") as f:
    f.write("[Padding]\n")
    f.flush()
    left = size - os.path.getsize(path) - len("x=\n")
    f.write("x=" + "p" * left + "\n")
PYTHON
}

for start in running exact; do
    rm -f "$STATUS" "$STATUS.bak"
    mkdir -p "$XDG_CONFIG_HOME/Kassavero"
    if [ "$start" = exact ]; then
        printf '[General]\nRuns=0\n' >"$STATUS"
        pad_status 1048576
        expect_eq "$(stat -c %s "$STATUS")" "1048576" "the padded file's size"
    fi
    start_kassavero
    [ "$start" = running ] && pad_status 1100000
    "$CLIENT" post 1034
    wait_for test -e "$STATUS.bak" || fail "$start: the large file was not put aside"
    wait_for status_is_ok || fail "$start: DDEStatus is missing from the fresh file: $(head -c 300 "$STATUS")"
    expect_eq "$(status_value Runs)" "1" "$start: Runs in the fresh file"
    [ "$(stat -c %s "$STATUS")" -lt 4096 ] || fail "$start: the fresh file is $(stat -c %s "$STATUS") bytes"
    grep -q '^\[Padding\]' "$STATUS.bak" || fail "$start: the padding is not in the kept file"
    stop_kassavero
done
echo "1 passed, 0 failed"
