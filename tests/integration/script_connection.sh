# SPDX-License-Identifier: GPL-3.0-or-later
# Two scripts run at once, each sending its commands through one "kassavero-dde script":
# every search finds the script's own amount, in a session of its own.
source "$(dirname "$0")/lib.sh"

# Hands over and searches 40 texts; prints each reply that is not its own amount, then
# "finished".
run_script() {
    local name=$1 base=$2 session reply i
    mkfifo "$WORK/$name.in" "$WORK/$name.out"
    "$CLIENT" script <"$WORK/$name.in" >"$WORK/$name.out" &
    exec {to}>"$WORK/$name.in" {from}<"$WORK/$name.out"
    echo "filter:opensession($name,0)" >&"$to"
    read -r -u "$from" session
    for i in $(seq 40); do
        echo "filter:transfertext:$name Runde $i: $((base + i)) DM" >&"$to"
        read -r -u "$from" reply
        echo "filter:findnextchange($session)" >&"$to"
        read -r -u "$from" reply
        case "$reply" in
            *";DEM;$((base + i))") ;;
            *) echo "$name round $i: $reply" ;;
        esac
    done
    echo "filter:closesession($session)" >&"$to"
    read -r -u "$from" reply
    exec {to}>&-
    [ "$reply" = OK ] || echo "$name closing: $reply"
    echo finished
}

start_kassavero
run_script A 1000 >"$WORK/A.result" &
first=$!
run_script B 5000 >"$WORK/B.result" &
second=$!
wait "$first" "$second" || true
expect_eq "$(cat "$WORK/A.result")" "finished" "script A"
expect_eq "$(cat "$WORK/B.result")" "finished" "script B"
# A malformed line is answered, and the exit status says a reply was an error.
code=0
printf 'filter:testconnection\nno colon\n' | "$CLIENT" script >"$WORK/mixed.out" || code=$?
expect_eq "$code" "3" "exit status after an error reply"
expect_eq "$(head -n 1 "$WORK/mixed.out")" "OK" "the first reply"
stop_kassavero
echo "1 passed, 0 failed"
