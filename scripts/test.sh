#!/usr/bin/env bash
# Installs what is missing, builds the test build (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test; then fuzzes the two file
# readers for a bounded time and runs the core tests as a Windows program
# under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORNA_SANITIZE=ON
cmake --build build/test -j2
(cd build/test && ctest --output-on-failure -j2)
bash tests/fuzz/run.sh
bash scripts/test-windows.sh
