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

mkdir -p "$scratch/tree/cmake" "$scratch/tree/src/core" "$scratch/tree/src/settings"
cp "$source/cmake/KassaveroTargets.cmake" "$scratch/tree/cmake/"
cp "$scratch/up.cpp" "$scratch/tree/src/core/probe.cpp"
if "$source/scripts/check_layers.py" --quiet "$scratch/tree" 2>"$scratch/err"; then
    echo "the include check let an upward include pass" >&2
    exit 1
fi
grep -q 'src/core/probe.cpp:1: core includes settings' "$scratch/err" || { cat "$scratch/err" >&2; exit 1; }
"$source/scripts/check_layers.py" --quiet "$source"
