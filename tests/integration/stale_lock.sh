# SPDX-License-Identifier: GPL-3.0-or-later
# A lock file that names no running Kassavero of this user on this host never stops a
# start, in either place it may lie: one a power cut left empty, junk, another host's, or
# one naming a live process that is not Kassavero. One that cannot be judged is reported
# and the start fails, also with /nowarning.
source "$(dirname "$0")/lib.sh"

mkdir -m 700 "$XDG_CONFIG_HOME/Kassavero"
RUNTIME="$XDG_RUNTIME_DIR"
# Where it lies (no XDG_RUNTIME_DIR: the configuration directory) | what | its content
while IFS='|' read -r where what content; do
    runtime="" dir=$XDG_CONFIG_HOME/Kassavero
    [ "$where" = config ] || runtime=$RUNTIME dir=$RUNTIME
    printf "$content" >"$dir/kassavero.lock"
    XDG_RUNTIME_DIR=$runtime start_kassavero /nowarning
    stop_kassavero
    [ ! -e "$dir/kassavero.lock" ] || fail "$what: the lock was left behind"
done <<EOF_ROWS
config|empty, as after a power cut|
runtime|junk|\001\002 not a lock\n
config|of another host|1\nkassavero\nelsewhere.example\n
runtime|of a live process that is not Kassavero|$$\nkassavero\n$(hostname)\n
EOF_ROWS

# A directory in its place cannot be read as a lock.
mkdir "$RUNTIME/kassavero.lock"
status=0
timeout 20 "$KASSAVERO" /nowarning 2>"$WORK/refused.err" || status=$?
expect_eq "$status" 2 "the exit status with a lock that cannot be judged"
grep -q "lock file $RUNTIME/kassavero.lock cannot be judged" "$WORK/refused.err" ||
    fail "the lock that cannot be judged is not reported: $(cat "$WORK/refused.err")"
echo "5 passed, 0 failed"
