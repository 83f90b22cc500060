#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything and runs every test: first a normal build,
# then the unit, window and integration tests again under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
kassavero_install_missing
kassavero_generate_locales

jobs=$(nproc)

cmake -S . -B build -G Ninja -DKASSAVERO_BUILD_BENCH=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

# The include floors, the format, clang-tidy and the Python linter.
scripts/lint.sh build

cmake -S . -B build-asan -G Ninja -DKASSAVERO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs" -L 'unit|gui|integration'

# A short fuzz pass over every reader of outside input; scripts/fuzz.sh runs longer ones.
scripts/fuzz.sh 6
