#!/usr/bin/env bash
# Builds the player and runs every test: once in a plain build, once more with
# AddressSanitizer and UndefinedBehaviorSanitizer, and then each fuzz target for a short
# while when clang is at hand.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build
bash scripts/deps.sh

jobs=$(nproc 2>/dev/null || echo 2)

# The Windows target, cross-built with MinGW-w64, and its tests under wine64 in a prefix of
# its own. The Wine server is started before CTest and outside its pipes: started by the
# first test, it would keep CTest's output open and CTest would wait for ever.
windows_tests() {
  local wine=/usr/lib/wine
  export WINEPREFIX="$PWD/build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  # The peers are real windows, which Wine makes only on an X server: a private one, in
  # force before the prefix's server starts, since its first programs keep the display.
  local n xvfb=""
  for _ in $(seq 20); do
    n=$((200 + RANDOM % 700))
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -ac -noreset >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break 2; sleep 0.05; done
    kill "$xvfb" 2>/dev/null || true
    xvfb=""
  done
  [ -n "$xvfb" ] || { echo "no virtual X server for the Windows tests" >&2; return 1; }
  local display=${DISPLAY-}
  export DISPLAY=":$n"
  mkdir -p "$WINEPREFIX"
  "$wine/wineserver" -k </dev/null >/dev/null 2>&1 || true
  "$wine/wineserver" -w </dev/null >/dev/null 2>&1 || true
  "$wine/wineserver" -p </dev/null >/dev/null 2>&1
  "$wine/wine64" wineboot -i </dev/null >/dev/null 2>&1
  cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build/windows -j "$jobs"
  local status=0
  # In a prefix made moments before, about one test start in a few hundred dies under Wine
  # before the program's main() runs (no output at all, 0.00 s), never the same test twice
  # and never when the program is started by hand in a loop. Such a start is given two more
  # tries; a test that fails on its own account fails all three.
  ctest --test-dir build/windows --output-on-failure -j "$jobs" --repeat until-pass:3 |
    tee build/windows-tests.log || status=1
  "$wine/wineserver" -k </dev/null >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  if [ -n "$display" ]; then export DISPLAY=$display; else unset DISPLAY; fi
  return $status
}

echo "== Build and test"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs" | tee build/release-tests.log

echo "== Build the Windows target and test it under Wine"
windows_tests

echo "== Build and test with sanitizers"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DPLUME_SANITIZE=ON -DPLUME_BENCH=OFF -DPLUME_E2E=OFF >/dev/null
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs" | tee build/sanitize-tests.log

if command -v clang++ >/dev/null; then
  echo "== Fuzz each parser for a short while"
  bash scripts/fuzz.sh 20
else
  echo "== No clang: the fuzz targets are left out"
fi

# One closing line for both test runs (the fuzz stage above fails the script by itself).
total=0
for log in build/release-tests.log build/windows-tests.log build/sanitize-tests.log; do
  n=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n1)
  total=$((total + ${n:-0}))
done
echo "tests: $total passed, 0 failed"
