# SPDX-License-Identifier: GPL-3.0-or-later
# On a Bulgarian, Greek or Croatian desktop the first start proposes that country's former
# currency, and a document in its own script converts with the text around each amount
# kept byte for byte.
source "$(dirname "$0")/lib.sh"

# Each case: locale, the document, what it must become.
convert_on() {
    local locale=$1 input=$2 expected=$3
    locale -a 2>/dev/null | grep -qix "$locale.utf-\?8" ||
        { echo "SKIPPED: needs the $locale locale"; exit 77; }
    export XDG_CONFIG_HOME="$WORK/config-$locale"
    STATUS="$XDG_CONFIG_HOME/Kassavero/KASSAVR.INI"
    LC_ALL=$locale.UTF-8 start_kassavero /nowarning
    printf '%s' "$input" >"$WORK/in.txt"
    "$CLIENT" convert "$WORK/in.txt" -o "$WORK/out.txt" >/dev/null ||
        fail "$locale: the conversion failed"
    expect_eq "$(cat "$WORK/out.txt")" "$expected" "$locale"
    # The same one amount at a time, as the office extension converts.
    "$CLIENT" convert "$WORK/in.txt" --per-amount -o "$WORK/out.txt" >/dev/null ||
        fail "$locale: the step-by-step conversion failed"
    expect_eq "$(cat "$WORK/out.txt")" "$expected" "$locale, step by step"
    stop_kassavero
}

convert_on bg_BG $'Фактура №12\nОбщо: 1 234,56 лв., доставка лв 100, бакшиш 100 лева; BGN 12,50 – левата остават.' \
    $'Фактура №12\nОбщо: € 631,22 (1 234,56 лв.), доставка € 51,13 (лв 100), бакшиш € 51,13 (100 лева); € 6,39 (BGN 12,50) – левата остават.'
convert_on el_GR $'Τιμή: Δρχ. 5.000 ή 12.000 δρχ. το κιλό.' \
    $'Τιμή: € 14,67 (Δρχ. 5.000) ή € 35,22 (12.000 δρχ.) το κιλό.'
convert_on hr_HR $'Ukupno: 1.234,56 kn, a ukupno 20.000,00 kuna.' \
    $'Ukupno: € 163,85 (1.234,56 kn), a ukupno € 2.654,46 (20.000,00 kuna).'
echo "3 passed, 0 failed"
