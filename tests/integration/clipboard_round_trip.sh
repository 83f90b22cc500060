# SPDX-License-Identifier: GPL-3.0-or-later
# The clipboard conversion with the real clipboard: another program (xclip) copies a text
# on a private X server, the program converts it on the change notice (or when asked over
# the bus), and the clipboard read back from another process holds the text with only the
# amount replaced.
source "$(dirname "$0")/lib.sh"

for tool in Xvfb xclip; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done
Xvfb -displayfd 5 -nolisten tcp -screen 0 800x600x24 5>"$WORK/display" 2>/dev/null &
PIDS+=("$!")
wait_for test -s "$WORK/display" || { echo "SKIPPED: Xvfb did not start"; exit 77; }
export DISPLAY=":$(head -n 1 "$WORK/display")"
export QT_QPA_PLATFORM=xcb

# A profile that converts a copied amount at once and writes it back.
mkdir -p "$XDG_CONFIG_HOME/Kassavero"
cat >"$REGISTRY" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Kassavero\General]
"DefaultProfile"="Test"
"EntriesValid"="1"

[HKEY_CURRENT_USER\Software\Kassavero\Profile Test]
"ClipboardSearch"="1"
"ClipboardAsAWhole"="1"
"ClipboardReplace"="1"
"ClipboardConfirmChanges"="0"
"ClipboardDisplayInCalculator"="0"
REG
start_kassavero

copy() { printf '%s' "$1" | xclip -selection clipboard -i; }
clipboard() { xclip -selection clipboard -o 2>/dev/null; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }

check() {
    local text=$1 want=$2
    copy "$text"
    wait_for clipboard_is "$want" || fail "clipboard after copying '$text': '$(clipboard)', wanted '$want'"
}

check '100 DM' '€ 51.13 (100 DM)'
# Text around the amount: not at once, but when asked for (as the hotkey does).
copy 'Preis 100 DM – 5 € ✓ Ελλάδα'
sleep 1
expect_eq "$(clipboard)" 'Preis 100 DM – 5 € ✓ Ελλάδα' "a sentence converted at once"
"$CLIENT" scan-clipboard || fail "kassavero-dde scan-clipboard failed"
wait_for clipboard_is 'Preis € 51.13 (100 DM) – 5 € ✓ Ελλάδα' ||
    fail "clipboard after scan-clipboard: '$(clipboard)'"
# Without an amount nothing is written.
copy 'kein Betrag ✓'
sleep 1
expect_eq "$(clipboard)" 'kein Betrag ✓' "text without an amount"
# The converted text is the program's own; it is not converted a second time.
check '7 DM' '€ 3.58 (7 DM)'
sleep 1
expect_eq "$(clipboard)" '€ 3.58 (7 DM)' "own write scanned again"

stop_kassavero
echo "1 passed, 0 failed"
