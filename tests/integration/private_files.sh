# SPDX-License-Identifier: GPL-3.0-or-later
# Under the usual umask the program's directory and files are private to the user; a
# linked settings file is written through, a dangling link and a read-only file are
# never replaced, and nothing is created outside the configuration directory.
source "$(dirname "$0")/lib.sh"
umask 022

mode() { stat -c %a "$1"; }
setvalue() { "$CLIENT" call settings "setvalue(,OutputReplace,$1)"; }
getvalue() { "$CLIENT" call settings 'getvalue(,OutputReplace)'; }
CONFIG="$XDG_CONFIG_HOME/Kassavero"

start_kassavero
setvalue 1 >/dev/null
expect_eq "$(mode "$CONFIG")" "700" "the configuration directory"
expect_eq "$(mode "$REGISTRY")" "600" "registry.reg"
expect_eq "$(mode "$STATUS")" "600" "KASSAVR.INI"
expect_eq "$(mode "$XDG_RUNTIME_DIR/kassavero.lock")" "600" "the lock file"
stop_kassavero

# A settings file kept elsewhere and linked here.
mkdir -p "$WORK/dotfiles"
mv "$REGISTRY" "$WORK/dotfiles/kassavero.reg"
ln -s "$WORK/dotfiles/kassavero.reg" "$REGISTRY"
start_kassavero
setvalue 0 >/dev/null
[ -L "$REGISTRY" ] || fail "the link was replaced"
grep -q '^"OutputReplace"="0"' "$WORK/dotfiles/kassavero.reg" || fail "not written through the link"
stop_kassavero

# A link to a file that is not there: the save fails and nothing is created.
rm "$REGISTRY"
ln -s "$WORK/elsewhere/missing.reg" "$REGISTRY"
start_kassavero
expect_eq "$(setvalue 1)" "ERROR. The settings store could not be written." "save through a dangling link"
[ ! -e "$WORK/elsewhere" ] || fail "a directory was created where the link points"
[ -L "$REGISTRY" ] || fail "the dangling link was replaced"
grep -q "the settings are not saved" "$WORK/kassavero.out" || fail "the failed save was not reported"
stop_kassavero
rm "$REGISTRY"
cp "$WORK/dotfiles/kassavero.reg" "$REGISTRY"

# A file the user made read-only stays as it is, even for root.
chmod 400 "$REGISTRY"
before=$(md5sum <"$REGISTRY")
start_kassavero
expect_eq "$(setvalue 1)" "ERROR. The settings store could not be written." "save of a read-only file"
expect_eq "$(md5sum <"$REGISTRY")" "$before" "the read-only file was replaced"
expect_eq "$(mode "$REGISTRY")" "400" "the read-only file's mode"
grep -q "read-only" "$WORK/kassavero.out" || fail "the failed save was not reported"
stop_kassavero
ls -A "$CONFIG" | grep -q '\.tmp$' && fail "a temporary file was left behind"
echo "1 passed, 0 failed"
