#!/usr/bin/env bash
# Installs what is missing, makes a Release build and packs it as a Debian
# package: build/release/moranote_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORNA_TESTS=OFF
cmake --build build/release -j2
cd build/release
rm -f moranote_*.deb
cpack -G DEB
ls "$PWD"/moranote_*.deb
