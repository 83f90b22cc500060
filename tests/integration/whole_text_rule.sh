# SPDX-License-Identifier: GPL-3.0-or-later
# The program, not the client, decides how a long text is read: with the everyday forms
# stored as on but off in the running program (a setvalue that is not yet read), a
# step-by-step conversion of 3,000 lines still converts every line.
source "$(dirname "$0")/lib.sh"

start_kassavero
expect_eq "$("$CLIENT" call settings 'setvalue(,InputEverydayForms,0)')" "OK" "storing off"
stop_kassavero
start_kassavero
expect_eq "$("$CLIENT" call settings 'setvalue(,InputEverydayForms,1)')" "OK" "storing on"
awk 'BEGIN { for (i = 0; i < 3000; i++) printf "Zeile %d: %d DM\n", i, i + 1 }' >"$WORK/in.txt"
for mode in --per-amount ""; do
    "$CLIENT" convert "$WORK/in.txt" $mode -o "$WORK/out.txt" >"$WORK/convert.out" 2>&1 ||
        fail "convert $mode: $(cat "$WORK/convert.out")"
    grep -q "3000 of 3000 amounts converted" "$WORK/convert.out" ||
        fail "convert $mode: $(cat "$WORK/convert.out")"
    expect_eq "$(grep -c ' DM)$' "$WORK/out.txt")" "3000" "converted lines with $mode"
done
stop_kassavero
echo "1 passed, 0 failed"
