#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The function length check reads clang-tidy's findings as lint.sh logs them: a long
# function passes only while listed and no longer than listed, and the list only shrinks.
#   function_size.sh SOURCE_ROOT
set -u
check=$1/scripts/check_function_size.py
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
finding() {
    printf "%s:%s:5: warning: function '%s' exceeds recommended size/complexity thresholds [readability-function-size]\n" "$1" "$2" "$3"
    printf "%s:%s:5: note: %s lines including whitespace and comments (threshold 80)\n" "$1" "$2" "$4"
}
printf 'src/a.cpp Listed 120\n' >"$scratch/list"
while IFS='|' read -r file name lines want; do
    {
        finding /p/src/a.cpp 10 Listed 120
        [ -z "$file" ] || finding "$file" 40 "$name" "$lines"
    } >"$scratch/log"
    code=0
    "$check" "$scratch/log" "$scratch/list" /p 2>"$scratch/err" || code=$?
    if [ -z "$want" ]; then
        [ "$code" -eq 0 ] || { echo "row $file $name:" >&2; cat "$scratch/err" >&2; exit 1; }
    elif [ "$code" -eq 0 ] || ! grep -qF "$want" "$scratch/err"; then
        echo "row $file $name: wanted '$want', got:" >&2
        cat "$scratch/err" >&2
        exit 1
    fi
done <<'ROWS'
|||
/p/src/b.cpp|Fresh|81|src/b.cpp: Fresh has 81 lines, more than 80
/p/build/include_roots/core/core/c.h|Inline|90|src/core/c.h: Inline has 90 lines
/p/tests/t.cpp|LongTest|300|
ROWS
# The listed function grew, or was split and left a stale entry.
finding /p/src/a.cpp 10 Listed 121 >"$scratch/log"
"$check" "$scratch/log" "$scratch/list" /p 2>"$scratch/err" && exit 1
grep -qF 'Listed grew to 121 lines (listed at 120)' "$scratch/err" || { cat "$scratch/err" >&2; exit 1; }
: >"$scratch/log"
"$check" "$scratch/log" "$scratch/list" /p 2>"$scratch/err" && exit 1
grep -qF 'Listed is at most 80 lines now' "$scratch/err" || { cat "$scratch/err" >&2; exit 1; }
exit 0
