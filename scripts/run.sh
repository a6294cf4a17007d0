#!/usr/bin/env bash
# Installs what is missing, builds Moranote and starts it on this desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORNA_TESTS=OFF
cmake --build build/release -j2
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Moranote is a desktop program and needs a display, but none is set (DISPLAY is empty)." >&2
  echo "Start it from a desktop session, or run it under Xvfb: xvfb-run -a build/release/app/Morna" >&2
  exit 1
fi
exec build/release/app/Morna
