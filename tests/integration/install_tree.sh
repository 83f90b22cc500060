# SPDX-License-Identifier: GPL-3.0-or-later
# The installed tree works wherever it is put: the program runs through its link in bin/,
# takes its translation file from beside itself and answers on the bus.
source "$(dirname "$0")/lib.sh"
BUILD="$2"

DEST="$WORK/dest"
DESTDIR="$DEST" cmake --install "$BUILD" --prefix /usr >"$WORK/install.log" 2>&1 ||
    { cat "$WORK/install.log" >&2; fail "cmake --install into DESTDIR failed"; }
ROOT="$DEST/usr"

for file in lib/kassavero/kassavero lib/kassavero/kassavero-dde lib/kassavero/i18n.dat \
    share/dbus-1/interfaces/org.kassavero.dde.Server.xml \
    share/dbus-1/services/org.kassavero.dde.kassavero.service \
    share/man/man1/kassavero.1.gz share/man/man1/kassavero-dde.1.gz; do
    [ -f "$ROOT/$file" ] || fail "$file is not installed"
done
for program in kassavero kassavero-dde; do
    expect_eq "$(readlink "$ROOT/bin/$program")" "../lib/kassavero/$program" "link in bin/"
done
[ -x "$ROOT/lib/kassavero/kassavero" ] || fail "the program is not executable"
# Every data file the build put beside the program comes along: translations, help
# pages, pictures.
while IFS= read -r file; do
    cmp -s "$BIN/$file" "$ROOT/lib/kassavero/$file" || fail "$file is not installed"
done < <(cd "$BIN" && find . -type f \( -name '*.dat' -o -name '*.svg' -o -name '*.png' \
    -o -name '*.html' -o -name '*.css' \) | sed 's|^\./||')
if [ -f "$BUILD/office/kassavero.oxt" ]; then
    cmp "$BUILD/office/kassavero.oxt" "$ROOT/lib/kassavero/kassavero.oxt" ||
        fail "the office extension is not installed"
fi
for file in share/applications/kassavero.desktop share/icons/hicolor/scalable/apps/kassavero.svg; do
    source_file="$(dirname "$0")/../../data/${file##*/}"
    [ "${file##*.}" = svg ] && source_file="$(dirname "$0")/../../data/icons/kassavero.svg"
    if [ -f "$source_file" ]; then
        [ -f "$ROOT/$file" ] || fail "$file is not installed"
    fi
done
# The service file names the program where the package puts it, not where it is staged.
expect_eq "$(grep '^Exec=' "$ROOT/share/dbus-1/services/org.kassavero.dde.kassavero.service")" \
    "Exec=/usr/lib/kassavero/kassavero /nowarning" "service file"

# The shipped translation file leaves the language to the desktop (C here: English). A
# mark in the installed copy shows that the installed one is read, not the build's.
sed -i 's/^Unbenannt=Untitled$/Unbenannt=Untitled installed/' "$ROOT/lib/kassavero/i18n.dat"
KASSAVERO="$ROOT/bin/kassavero"
CLIENT="$ROOT/bin/kassavero-dde"
start_kassavero
expect_eq "$("$CLIENT" call filter testconnection)" "OK" "the installed program answers"
stop_kassavero
grep -qF '\Profile Untitled installed]' "$REGISTRY" ||
    fail "the installed translation file was not used: $(grep -F "\\Profile " "$REGISTRY")"

# The user's own choice of language beats the desktop's.
rm -f "$REGISTRY"
printf '[Allgemein]\nSprache=Deutsch\n' >"$XDG_CONFIG_HOME/Kassavero/i18n.dat"
start_kassavero
stop_kassavero
grep -qF '\Profile Unbenannt]' "$REGISTRY" ||
    fail "the user's language was not used: $(grep -F "\\Profile " "$REGISTRY")"

# Without a choice in any file, the desktop's language holds.
rm -f "$REGISTRY" "$XDG_CONFIG_HOME/Kassavero/i18n.dat"
LC_ALL=it_IT.UTF-8 start_kassavero
stop_kassavero
grep -qF '\Profile Senza nome]' "$REGISTRY" ||
    fail "the desktop's language was not used: $(grep -F "\\Profile " "$REGISTRY")"
echo "1 passed, 0 failed"
