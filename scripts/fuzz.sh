#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/fuzz) with clang and runs each for the given number
# of seconds (default 20), starting from the project's own files and from what earlier runs
# found (build/fuzz/corpus). A crash, leak or failed check fails the run; the input that
# caused it is left in build/fuzz/crashes/.
#
#   bash scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
shift || true
build=build/fuzz

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ is missing (bash scripts/deps.sh installs it)" >&2
  exit 1
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DPLUME_FUZZ=ON "${launcher[@]}" >/dev/null
targets=("$@")
[ ${#targets[@]} -gt 0 ] || mapfile -t targets < "$build/fuzz_targets.txt"
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target "${targets[@]/#/fuzz_}"

mkdir -p "$build/crashes"
failed=()
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  mkdir -p "$corpus"
  log="$build/fuzz_$t.log"
  echo "== fuzz $t for ${seconds}s"
  if ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
     "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$build/crashes/$t-" \
       "$corpus" "$build/seeds/$t" >"$log" 2>&1; then
    grep -E "^stat::number_of_executed_units|^stat::new_units_added" "$log" | tr '\n' ' ' | sed 's/stat:://g'
    echo
  else
    echo "fuzz $t failed; the end of $log:" >&2
    tail -n 40 "$log" >&2
    failed+=("$t")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failures in ${failed[*]} (inputs in $build/crashes/)" >&2
  exit 1
fi
