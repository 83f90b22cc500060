# SPDX-License-Identifier: GPL-3.0-or-later
# The menu entry is valid and names the program and icon that the install provides.
source "$(dirname "$0")/lib.sh"
DATA="$(dirname "$0")/../../data"

[ -f "$DATA/kassavero.desktop" ] || { echo "no desktop entry yet"; exit 77; }
desktop-file-validate "$DATA/kassavero.desktop" || fail "desktop-file-validate complains"
expect_eq "$(sed -n 's/^Icon=//p' "$DATA/kassavero.desktop" | head -n 1)" "kassavero" "Icon"
[ -f "$DATA/icons/kassavero.svg" ] || fail "the icon named by the entry is missing"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$DATA/kassavero.desktop" | head -n 1)
expect_eq "${exec_program##*/}" "kassavero" "Exec"
echo "1 passed, 0 failed"
