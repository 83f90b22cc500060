#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A call upward that a hand-written declaration lets compile must still fail the build: a
# floor's library is linked alone, with only the floors it names. Naming a floor above
# fails already when the build is configured.
#   upward_call.sh COMPILER SOURCE_ROOT
set -u
compiler=$1 source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

build() {
    rm -rf "$scratch/build"
    cmake -S "$source/tests/layers/upward_call" -B "$scratch/build" -G Ninja \
        -DCMAKE_CXX_COMPILER="$compiler" -DKASSAVERO_SOURCE="$source" "$@" >"$scratch/log" 2>&1 &&
        cmake --build "$scratch/build" >>"$scratch/log" 2>&1
}

while IFS='|' read -r options outcome want; do
    # shellcheck disable=SC2086
    if build $options; then built=builds; else built=fails; fi
    if [ "$built" != "$outcome" ]; then
        cat "$scratch/log" >&2
        echo "with '$options' the probe $built" >&2
        exit 1
    fi
    [ -z "$want" ] || grep -q "$want" "$scratch/log" || { cat "$scratch/log" >&2; exit 1; }
done <<'CASES'
|builds|
-DPROBE_UPWARD=ON|fails|undefined reference to .*SettingsPart
-DPROBE_LINKS_UP=ON|fails|links probe_settings, a library of the floor
CASES
