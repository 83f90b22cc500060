#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, makes a release build in build-release/ and the Debian package
# from it, and prints the package's path. Install it with
#     apt install ./build-release/kassavero_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
kassavero_install_missing

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKASSAVERO_BUILD_TESTS=OFF
cmake --build build-release -j "$(nproc)"
rm -f build-release/kassavero_*.deb
(cd build-release && cpack -G DEB)
ls "$PWD"/build-release/kassavero_*.deb
