# SPDX-License-Identifier: GPL-3.0-or-later
# Files far larger than the program's own: a 20 MB status file is kept aside and started
# afresh, so status-file clients see the program; a padded language file is left alone;
# neither costs memory. A status file that cannot be written is reported once, and its
# writes do not pile up.
source "$(dirname "$0")/lib.sh"

# The highest resident set size of the program so far, in kB.
peak_kb() { sed -n 's/^VmHWM:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$KASSAVERO_PID/status"; }
answers() { [ "$(timeout 5 "$CLIENT" call filter testconnection 2>/dev/null)" = "OK" ]; }
LIMIT_KB=200000
# A sanitizer build keeps freed memory aside (256 MB by default) to catch late uses;
# keep that small here so the figure is the program's own.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=8"

mkdir -p "$XDG_CONFIG_HOME/Kassavero"
/usr/bin/python3 -c "
import sys
with open(sys.argv[1], 'w') as f:
    f.write('[General]\n')
    f.write('k=v\n' * (20 * 1024 * 1024 // 4))
" "$STATUS"
before=$(md5sum <"$STATUS")
started=$(date +%s.%N)
"$KASSAVERO" >"$WORK/kassavero.out" 2>&1 &
KASSAVERO_PID=$!
PIDS+=("$KASSAVERO_PID")
wait_for answers || { cat "$WORK/kassavero.out"; fail "no answer with a 20 MB status file"; }
echo "ready after $(awk -v a="$started" -v b="$(date +%s.%N)" 'BEGIN{printf "%.2f", b - a}') s with a 20 MB status file"
for i in $(seq 5); do "$CLIENT" post 1034 >/dev/null 2>&1 || true; done
answers || fail "no answer after posted messages"
peak=$(peak_kb)
echo "peak resident memory: $peak kB"
[ "$peak" -lt "$LIMIT_KB" ] || fail "the program took $peak kB"
expect_eq "$(md5sum <"$STATUS.bak")" "$before" "the large status file kept aside"
expect_eq "$(status_value DDEStatus)" "OK" "the fresh status file's DDEStatus"
reports=$(grep -c "KASSAVR.INI was larger than" "$WORK/kassavero.out" || true)
expect_eq "$reports" "1" "reports of the large status file"
stop_kassavero
rm -f "$STATUS"

# A status file that cannot be written: its temporary name is taken by a directory.
mkdir -p "$STATUS.tmp"
"$KASSAVERO" >"$WORK/kassavero.out" 2>&1 &
KASSAVERO_PID=$!
PIDS+=("$KASSAVERO_PID")
wait_for answers || fail "no answer with a status file that cannot be written"
"$CLIENT" poke System Filter 'testconnection' >/dev/null
for i in $(seq 50); do "$CLIENT" post 1035 >/dev/null 2>&1 || true; done
answers || fail "no answer after writes that failed"
reports=$(grep -c "KASSAVR.INI.tmp" "$WORK/kassavero.out" || true)
expect_eq "$reports" "1" "reports of the status file that cannot be written"
stop_kassavero
rmdir "$STATUS.tmp"

# A language file padded far beyond any real one.
mkdir -p "$WORK/bin"
cp "$KASSAVERO" "$WORK/bin/"
cp "$BIN/i18n.dat" "$WORK/bin/"
/usr/bin/python3 -c "
import sys
with open(sys.argv[1], 'a') as f:
    f.write(';\n' * (10 * 1000 * 1000))
" "$WORK/bin/i18n.dat"
"$WORK/bin/kassavero" >"$WORK/kassavero.out" 2>&1 &
KASSAVERO_PID=$!
PIDS+=("$KASSAVERO_PID")
wait_for answers || { cat "$WORK/kassavero.out"; fail "no answer with a padded language file"; }
peak=$(peak_kb)
echo "peak resident memory with a padded language file: $peak kB"
[ "$peak" -lt "$LIMIT_KB" ] || fail "the program took $peak kB"
grep -q "i18n.dat is larger than" "$WORK/kassavero.out" || fail "the padded language file was not reported"
# Its texts are missing, and the box that says so is open: no orderly end is asked here.
kill -KILL "$KASSAVERO_PID"
wait "$KASSAVERO_PID" 2>/dev/null || true
echo "1 passed, 0 failed"
