#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# An include that runs upward must fail in both guards: the build, where a floor's include
# root holds only the floors below it, and the check that lists the includes.
#   upward_include.sh COMPILER INCLUDE_ROOTS SOURCE_ROOT
set -u
compiler=$1 roots=$2 source=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

printf '#include "core/currency.h"\n' >"$scratch/down.cpp"
printf '#include "settings/profile_settings.h"\n' >"$scratch/up.cpp"
if ! "$compiler" -std=c++20 -fsyntax-only -I"$roots/core" "$scratch/down.cpp"; then
    echo "a core file cannot include core" >&2
    exit 1
fi
if "$compiler" -std=c++20 -fsyntax-only -I"$roots/core" "$scratch/up.cpp" 2>"$scratch/err"; then
    echo "a core file can include settings" >&2
    exit 1
fi
grep -q 'settings/profile_settings.h' "$scratch/err" || { cat "$scratch/err" >&2; exit 1; }

# Every spelling of an upward include fails the check, and one that leaves src/ too; the
# relative forms would even compile, since they bypass the include roots.
mkdir -p "$scratch/tree/cmake" "$scratch/tree/src/core/deep" "$scratch/tree/src/settings"
cp "$source/cmake/KassaveroTargets.cmake" "$scratch/tree/cmake/"
while IFS='|' read -r file include want; do
    rm -f "$scratch/tree/src/core/"*.cpp "$scratch/tree/src/core/deep/"*.cpp
    printf '#include %s\n' "$include" >"$scratch/tree/src/core/$file"
    if "$source/scripts/check_layers.py" --quiet "$scratch/tree" 2>"$scratch/err"; then
        echo "the include check let $include in src/core/$file pass" >&2
        exit 1
    fi
    grep -qF "src/core/$file:1: $want" "$scratch/err" || { cat "$scratch/err" >&2; exit 1; }
done <<'FORMS'
probe.cpp|"settings/profile_settings.h"|core includes settings
probe.cpp|<settings/profile_settings.h>|core includes settings
probe.cpp|"../settings/profile_settings.h"|core includes settings
deep/probe.cpp|  "../../settings/profile_settings.h"|core includes settings
probe.cpp|"../../tests/fakes/x.h"|a relative include that leaves src/
FORMS
# Relative includes within the floor and down are fine.
rm -f "$scratch/tree/src/core/"*.cpp "$scratch/tree/src/core/deep/"*.cpp
mkdir -p "$scratch/tree/src/settings/deep"
printf '#include "../x.h"\n#include "../../core/y.h"\n' >"$scratch/tree/src/settings/deep/probe.cpp"
"$source/scripts/check_layers.py" --quiet "$scratch/tree" || exit 1

# The links must be the includes: settings includes core; linking it is right, linking
# nothing or more is not.
while IFS='|' read -r links want; do
    printf '%b' "$links" >"$scratch/links"
    code=0
    "$source/scripts/check_layers.py" --quiet --links "$scratch/links" "$scratch/tree" \
        2>"$scratch/err" || code=$?
    if [ -z "$want" ]; then
        [ "$code" -eq 0 ] || { cat "$scratch/err" >&2; exit 1; }
    else
        grep -qF "$want" "$scratch/err" || { echo "no '$want'" >&2; cat "$scratch/err" >&2; exit 1; }
    fi
done <<'LINKS'
settings core\n|
|settings includes from core but does not link it
settings core\nsettings platform\n|settings links platform but includes nothing of it
LINKS
"$source/scripts/check_layers.py" --quiet "$source"
