# SPDX-License-Identifier: GPL-3.0-or-later
# Symbols, names and profiles in any script go through every path as themselves: the
# settings command, the settings file, the status file, and both ways of converting a
# document; and a profile stored on one desktop reads the same on another.
source "$(dirname "$0")/lib.sh"

has_locale() { locale -a 2>/dev/null | grep -qix "$1.utf-\?8"; }

# Stored on a fresh start through the settings command, whatever was read before.
start_kassavero /nowarning
for row in "CustomCurrency1Symbol|лв." "CustomCurrency3Symbol|лева" "CustomCurrency2Name|Ελληνική δραχμή"; do
    key=${row%%|*}
    value=${row#*|}
    expect_eq "$("$CLIENT" call settings "setvalue(,$key,$value)")" "OK" "$key"
    expect_eq "$("$CLIENT" call settings "getvalue(,$key)")" "$value" "$key read back"
    wait_for grep -qF "\"$key\"=\"$value\"" "$REGISTRY" || fail "$key is not stored as $value"
done

# A symbol of another script is found alike in one call and one amount at a time (the
# stored values count from the next start).
"$CLIENT" call settings 'setvalue(,CustomCurrency2Symbol,TRY);setvalue(,CustomCurrency2Rate,"1,5")' >/dev/null
"$CLIENT" call settings 'setvalue(,InputSymbolsForCUS2,"(\"₺,A19\")");setvalue(,InputAcceptCUS2,1)' >/dev/null
stop_kassavero
start_kassavero /nowarning
printf 'Fiyat: 100 ₺, kargo ₺ 15' >"$WORK/lira.txt"
"$CLIENT" convert "$WORK/lira.txt" -o "$WORK/whole.txt" >/dev/null || fail "one call"
"$CLIENT" convert "$WORK/lira.txt" --per-amount -o "$WORK/steps.txt" >/dev/null || fail "per amount"
expect_eq "$(cat "$WORK/whole.txt")" "Fiyat: € 66.67 (100 ₺), kargo € 10.00 (₺ 15)" "one call"
expect_eq "$(cat "$WORK/steps.txt")" "$(cat "$WORK/whole.txt")" "one amount at a time"

# The status file's command text comes out as written.
printf '[General]\nDDEConv=[Общо 5 лв.]\n' >>"$STATUS"
"$CLIENT" status | grep -qF "DDEConv=[Общо 5 лв.]" || fail "kassavero-dde status changes letters"
stop_kassavero

# A Greek profile beside a Bulgarian one, stored on a Greek desktop (decimal comma), reads
# the same on a desktop with a decimal point.
cat >"$REGISTRY" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Kassavero\General]
"EntriesValid"="1"
"DefaultProfile"="Ελλάδα"

[HKEY_CURRENT_USER\Software\Kassavero\Profile Български лев]
"CustomCurrency1Symbol"="BGN"
"CustomCurrency1Rate"="1,95583"
"CustomCurrency1Name"="Български лев"
"InputSymbolsForCUS1"="(\"лв.,A19\",\"лева,A1\",\"лв,A19\",\"BGN,A19\")"

[HKEY_CURRENT_USER\Software\Kassavero\Profile Ελλάδα]
"CustomCurrency1Symbol"="GRD"
"CustomCurrency1Rate"="340,750"
"CustomCurrency1Name"="Ελληνική δραχμή"
"InputAcceptCUS1"="1"
"InputSymbolsForCUS1"="(\"Δρχ.,A27\",\"δρχ.,A27\",\"δραχμές,A1\",\"GRD,A19\")"
"OutputCUS1RoundToMultipleOf"="0,01"
"InputDecimalSymbols"=", "
"InputThousandSymbols"=". "
EOF
for locale in el_GR C; do
    [ "$locale" = C ] || has_locale "$locale" || continue
    LC_ALL=$locale.UTF-8 start_kassavero /nowarning
    printf 'Σύνολο: 1.000 Δρχ. και 250 δραχμές' >"$WORK/greek.txt"
    "$CLIENT" convert "$WORK/greek.txt" -o "$WORK/out.txt" >/dev/null || fail "$locale: convert"
    grep -qF "(1.000 Δρχ.)" "$WORK/out.txt" && grep -qF "(250 δραχμές)" "$WORK/out.txt" ||
        fail "$locale: $(cat "$WORK/out.txt")"
    stop_kassavero
done
echo "passed"
