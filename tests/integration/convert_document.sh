# SPDX-License-Identifier: GPL-3.0-or-later
# kassavero-dde convert on a text with amounts, umlauts and characters that
# Windows-1252 cannot hold.
source "$(dirname "$0")/lib.sh"

start_kassavero
# The C locale: "." is the system decimal separator, so the euro amounts use it.
printf 'Gr\u00fc\u00dfe aus K\u00f6ln \u4e2d\u6587 \U0001F600\nDer Preis: 100 DM, dazu 12,50 DM; gut.\r\nOhne Betrag.\nEnde: DM 7\n' >"$WORK/in.txt"
"$CLIENT" convert "$WORK/in.txt" -o "$WORK/out.txt" 2>"$WORK/err" || { cat "$WORK/err"; fail "convert failed"; }
printf 'Gr\u00fc\u00dfe aus K\u00f6ln \u4e2d\u6587 \U0001F600\nDer Preis: \u20ac 51.13 (100 DM), dazu \u20ac 6.39 (12,50 DM); gut.\r\nOhne Betrag.\nEnde: \u20ac 3.58 (DM 7)\n' >"$WORK/want.txt"
cmp "$WORK/out.txt" "$WORK/want.txt" || { diff "$WORK/out.txt" "$WORK/want.txt"; fail "converted text differs"; }
grep -q '3 of 3 amounts converted' "$WORK/err" || fail "unexpected summary: $(cat "$WORK/err")"

# Converting the converted text again changes nothing, also step by step.
for way in "" --per-amount; do
    "$CLIENT" convert "$WORK/out.txt" -o "$WORK/again.txt" $way 2>"$WORK/err" ||
        { cat "$WORK/err"; fail "second conversion failed"; }
    cmp "$WORK/again.txt" "$WORK/out.txt" || fail "a second conversion ${way:-in one call} changed the text"
done

# The usual argument forms; a pipe as the input; a new file as the umask has it.
umask 022
"$CLIENT" --service=kassavero convert -o"$WORK/forms.txt" -- <(cat "$WORK/in.txt") 2>/dev/null ||
    fail "the argument forms were refused"
cmp "$WORK/forms.txt" "$WORK/want.txt" || fail "the argument forms converted otherwise"
expect_eq "$(stat -c %a "$WORK/forms.txt")" "644" "the mode of a new file"
while IFS='|' read -r want args; do
    code=0
    eval "\"\$CLIENT\" $args" >/dev/null 2>&1 </dev/null || code=$?
    expect_eq "$code" "$want" "exit status of: $args"
done <<ROWS
1|convert
1|convert "$WORK/in.txt" "$WORK/out.txt"
1|convert "$WORK/in.txt" --confirm --per-amount
1|convert "$WORK/in.txt" -o
1|--bogus call filter testconnection
1|post 12x
5|convert "$WORK/missing.txt"
0|--service kassavero call filter testconnection
ROWS

# The program not running is told apart.
stop_kassavero
code=0
"$CLIENT" convert "$WORK/in.txt" 2>/dev/null || code=$?
expect_eq "$code" "2" "exit status without the program"
echo "1 passed, 0 failed"
