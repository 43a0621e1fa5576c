#!/usr/bin/env bash
# Start-up and idle cost of the real player under Xvfb: the time from launch to the first
# painted frame (median of several starts), the resident memory once started, and the CPU
# time used over a minute of idle display refresh. Usage: bench/startup_bench.sh [plume]
# [idle seconds] [starts].
set -euo pipefail
player=${1:-build/release/plume}
idle=${2:-60}
starts=${3:-7}
work=$(mktemp -d /tmp/plume-bench-XXXXXX)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$player" "$work/plume"
# The caption faces go with the program they were built beside.
if [ -d "$(dirname "$player")/fonts" ]; then cp -r "$(dirname "$player")/fonts" "$work/"; fi

mkfifo "$work/display"
Xvfb -displayfd 4 -screen 0 1024x768x24 -nolisten tcp 4>"$work/display" >/dev/null 2>&1 &
read -r n <"$work/display"
export DISPLAY=":$n" PLUME_DRIVES=sim PLUME_REPORT_FIRST_PAINT=1

ticks=$(getconf CLK_TCK)
times=()
for i in $(seq "$starts"); do
  start=$(date +%s%N)
  "$work/plume" 2>"$work/err" &
  pid=$!
  for _ in $(seq 100); do grep -q "first paint" "$work/err" 2>/dev/null && break; sleep 0.05; done
  painted=$(sed -n 's/^plume: first paint at \([0-9]*\) ns$/\1/p' "$work/err")
  [ -n "$painted" ] || { echo "no first paint reported" >&2; exit 1; }
  times+=($(( (painted - start) / 1000000 )))
  if [ "$i" -lt "$starts" ]; then kill "$pid"; wait "$pid" 2>/dev/null || true; fi
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
median=$(echo "$sorted" | sed -n "$(( (starts + 1) / 2 ))p")
echo "start-up to first painted frame: median ${median} ms over ${starts} starts (all: $(echo $sorted))"

sleep 2
rss=$(awk '/^VmRSS/ {print $2, $3}' "/proc/$pid/status")
echo "resident memory 2 s after start: $rss"

cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
before=$(cpu)
sleep "$idle"
after=$(cpu)
used=$(( (after - before) * 1000 / ticks ))
echo "CPU time over ${idle} s of idle display refresh: ${used} ms ($(awk -v u="$used" -v s="$idle" 'BEGIN{printf "%.2f", u / (s * 10)}')% of one core)"
kill "$pid"
