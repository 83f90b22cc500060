# SPDX-License-Identifier: GPL-3.0-or-later
# The manual pages format without warnings and describe every command and option that
# the programs' usage texts list.
source "$(dirname "$0")/lib.sh"
BUILD="$2"

for page in kassavero kassavero-dde; do
    file="$BUILD/docs/man/$page.1.gz"
    [ -f "$file" ] || fail "$file was not built"
    warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man warns about $page(1): $warnings"
    zcat "$file" | grep -q '^\.SH DESCRIPTION' || fail "$page(1) has no description"
done

page=$(MANWIDTH=200 man -E UTF-8 -l "$BUILD/docs/man/kassavero-dde.1.gz" 2>/dev/null)
commands=$("$CLIENT" --help | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p; s/^  \([a-z][a-z-]*\)$/\1/p')
[ -n "$commands" ] || fail "no commands in the usage text"
for command in $commands; do
    grep -Eq "^ {7}$command( |$)" <<<"$page" || fail "kassavero-dde(1) does not describe '$command'"
done
# And every exit status the usage text names.
for status in $("$CLIENT" --help | sed -n '/^Exit status/,$p' | grep -o '[0-9] [a-zA-Z]' | cut -c1); do
    grep -Eq "^ {7}$status( |$)" <<<"$page" || fail "kassavero-dde(1) does not describe exit status $status"
done

# kassavero(1) describes every option of the program's usage text.
page=$(MANWIDTH=200 man -E UTF-8 -l "$BUILD/docs/man/kassavero.1.gz" 2>/dev/null)
options=$(timeout 20 "$KASSAVERO" --help | sed -n 's|^  \([-/][a-z-]*\) .*|\1|p')
[ -n "$options" ] || fail "no options in the program's usage text"
for option in $options; do
    grep -Eq "^ {7}$option( |,|$)" <<<"$page" || fail "kassavero(1) does not describe '$option'"
done
echo "1 passed, 0 failed"
