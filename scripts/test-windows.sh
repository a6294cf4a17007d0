#!/usr/bin/env bash
# Builds the core and its tests as a Windows program with MinGW-w64 and runs
# the tests under Wine. Run as root on Debian 12; installs what is missing.
# GoogleTest is built from Debian's sources with the same compiler.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/deps.sh g++-mingw-w64-x86-64-posix wine64 googletest cmake ninja-build

build="$root/build/windows"
mkdir -p "$root/build"  # the logs go beside the build folder
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
gtest_prefix="$build/googletest"
if [ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$build/googletest-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$gtest_prefix" -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF \
    >"$build.gtest.log" 2>&1 || { cat "$build.gtest.log" >&2; exit 1; }
  cmake --build "$build/googletest-build" -j2 --target install >>"$build.gtest.log" 2>&1 ||
    { cat "$build.gtest.log" >&2; exit 1; }
fi

cmake -S . -B "$build/core" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Debug -DMORNA_CORE_ONLY=ON -DGTest_DIR="$gtest_prefix/lib/cmake/GTest" \
  >"$build.configure.log" 2>&1 ||
  { cat "$build.configure.log" >&2; exit 1; }
cmake --build "$build/core" -j2 --target core_tests

wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine needs no display for a console program.
unset DISPLAY WAYLAND_DISPLAY
# A Japanese system: Wine takes the ANSI code page, that of file names, from
# the locale's name: Shift-JIS (932) for Japanese.
run_wine() { env LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$wine" "$@"; }
[ -d "$WINEPREFIX" ] || run_wine wineboot --init >"$build.wineboot.log" 2>&1 || true

cd "$build/core/tests"
set +e
run_wine ./core_tests.exe --gtest_output=xml:core_tests.xml >"$build/core_tests.log" 2>&1
code=$?
set -e
grep -E '^\[  (FAILED|  SKIPPED) \]|^\[  PASSED  \]|^\[==========\]' "$build/core_tests.log" || true
if [ "$code" -ne 0 ]; then
  cat "$build/core_tests.log" >&2
  echo "core_tests.exe failed under Wine (exit $code)" >&2
fi
# The closing line in the form any runner reader knows.
python3 - core_tests.xml "$code" <<'PY'
import sys, xml.etree.ElementTree as ET
try:
    root = ET.parse(sys.argv[1]).getroot()
except Exception:
    print("windows: 0 passed, 1 failed"); sys.exit(0)
tests = skipped = failed = 0
for case in root.iter("testcase"):
    tests += 1
    if case.find("failure") is not None: failed += 1
    elif case.get("result") == "skipped" or case.find("skipped") is not None: skipped += 1
print(f"windows: {tests - failed - skipped} passed, {failed} failed, {skipped} skipped")
PY
exit "$code"
