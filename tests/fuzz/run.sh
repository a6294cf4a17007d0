#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each one for a bounded time over its
# seed corpus. FUZZ_SECONDS sets the time per target (default 30); inputs
# that found new paths are kept in build/fuzz/corpus-*, findings in
# build/fuzz/. Exits non-zero when a target finds a fault.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${FUZZ_SECONDS:-30}
build=build/fuzz
mkdir -p "$build"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMORNA_FUZZ=ON -DMORNA_CORE_ONLY=ON >"$build.configure.log" 2>&1 ||
  { cat "$build.configure.log" >&2; exit 1; }
cmake --build "$build" -j2
failed=0
for target in datafile inifile; do
  work="$build/corpus-$target"
  mkdir -p "$work"
  log="$build/$target.log"
  if "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -artifact_prefix="$build/$target-" \
       -print_final_stats=1 "$work" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
    status=0
  else
    status=1
    failed=1
    tail -40 "$log" >&2
  fi
  runs=$(awk '/^Done [0-9]+ runs/ {print $2}' "$log" | tail -1)
  echo "fuzz $target: ${runs:-?} inputs in $seconds s, $status failed"
done
exit "$failed"
