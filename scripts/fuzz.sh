#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) into build-fuzz/ and runs each
# one, starting from its seed corpus in tests/fuzz/corpus/, for as long as asked:
#
#   scripts/fuzz.sh [SECONDS | RUNSruns] [TARGET...]
#
# "60" runs every target for 60 s (the default is 10), "10000000runs" for ten million
# executions each. Inputs that find something new are kept in build-fuzz/corpus/, and a
# crash, leak, timeout or failed check is saved in build-fuzz/findings/<target>/ and
# makes the script exit non-zero. Each target's executions and speed are printed.
# Inputs are at most FUZZ_MAX_LEN bytes (4096 unless set); a smaller limit runs the
# slower targets two to three times as fast, as their cost grows with the input.
set -euo pipefail
cd "$(dirname "$0")/.."

amount=${1:-10}
shift || true
if [[ "$amount" =~ ^([0-9]+)runs$ ]]; then
    limit=(-runs="${BASH_REMATCH[1]}")
elif [[ "$amount" =~ ^[0-9]+$ ]]; then
    limit=(-max_total_time="$amount")
else
    sed -n '2,13p' "$0" >&2
    exit 2
fi

if [ ! -f build-fuzz/build.ninja ]; then
    CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DKASSAVERO_FUZZ=ON \
        -DKASSAVERO_BUILD_UI=OFF -DKASSAVERO_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build-fuzz -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for dir in tests/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

failed=0
for target in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$target
    findings=build-fuzz/findings/$target
    mkdir -p "$corpus" "$findings"
    log=build-fuzz/fuzz_$target.log
    if ! build-fuzz/bin/fuzz_"$target" "${limit[@]}" -max_len="${FUZZ_MAX_LEN:-4096}" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" \
        "$corpus" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
        echo "fuzz_$target: FINDING, see $log and $findings/" >&2
        tail -n 30 "$log" >&2
        failed=1
        continue
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "fuzz_$target: $runs runs, $speed per second, no finding"
done
exit "$failed"
