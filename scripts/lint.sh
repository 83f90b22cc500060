#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the project's own sources: the include floors and the links of a build (default
# build/), the format, clang-tidy (over that build's compile commands), the length of
# functions and the Python linter.
#   scripts/lint.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

[ -f "$build/floor_links.txt" ] || { echo "no $build/floor_links.txt" >&2; exit 1; }
scripts/check_layers.py --quiet --links "$build/floor_links.txt"
echo "layers: no include runs upward, and each floor links the floors it includes from"

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run -Werror "${sources[@]}"
echo "format: ${#sources[@]} files as .clang-format wants them"

mapfile -t python < <(git ls-files '*.py')
pyflakes3 "${python[@]}"
echo "pyflakes: ${#python[@]} files clean"

# Every translation unit of a build, not the fuzz targets (they build with another compiler).
[ -f "$build/compile_commands.json" ] || { echo "no $build/compile_commands.json" >&2; exit 1; }
mapfile -t units < <(git ls-files 'src/*.cpp' 'tests/*.cpp' 'bench/*.cpp' | grep -v '^tests/fuzz/' |
    while read -r unit; do grep -qF "\"file\": \"$PWD/$unit\"" "$build/compile_commands.json" && echo "$unit"; done)
# clang-tidy turns every finding into an error (WarningsAsErrors) and exits non-zero on it,
# as on a crash; xargs passes any such exit on, and that alone decides. The length of
# functions is only reported, and held against the list of long functions below.
status=0
printf '%s\n' "${units[@]}" |
    xargs -P "$(nproc)" -n 8 clang-tidy -p "$build" --quiet \
        --extra-arg=-Wno-unknown-warning-option >"$build/clang-tidy.log" 2>&1 || status=$?
if [ "$status" -ne 0 ]; then
    grep -v -e ' warnings\? generated\.$' -e ' warnings\? and [0-9]* errors\? generated\.$' \
        -e '^Suppressed ' -e '^Use -header-filter' "$build/clang-tidy.log" >&2 || true
    echo "clang-tidy: exit status $status, findings or failures above" >&2
    exit 1
fi
echo "clang-tidy: ${#units[@]} files clean"
scripts/check_function_size.py "$build/clang-tidy.log" scripts/long_functions.txt "$PWD"
echo "function size: none over 80 lines but those still listed"
