#!/usr/bin/env bash
# The player's cost beside the floor, a bare Qt 6 program with the same window and timers
# (bench/floor.cpp), run interleaved under one private Xvfb: a warm-up start of each, then
# rounds of floor, player, floor, player ... Each figure is the median over the rounds.
#
#   bench/compare_floor.sh [--quick] [--rounds N] [--window S] [--build DIR]
#                          [--deck NAME=PATH]...
#
# --deck may be given more than once (say before=old/plume after=build/release/plume): every
# player then runs in every round, so a before/after table comes from one run under one
# load. --quick: 3 rounds of 10 s windows, for a look while working.
#
# Measured from outside the programs, by bench_xwatch (bench/xwatch.cpp):
#   start-up     launch to the first mapped window (MapNotify), ms
#   first paint  launch to the first drawing that reaches that window (DAMAGE), ms
#   PSS, USS     /proc/PID/smaps_rollup 5 s after the map (USS = private clean + dirty)
#   CPU          the program's on-CPU time (every thread's schedstat), ms per minute, in
#                each state: the player stopped with the demo disc, playing it (simulated
#                drive, silent), and with no drive at all; the floor has one state
#   X CPU        the X server's on-CPU time over the same window, ms per minute
#   repaints     repaints of the window that reached the X server per minute (DAMAGE
#                reports, those closer than 5 ms together as one), the rectangles they
#                covered and the image requests that carried them: a repaint clipped to many
#                small rectangles shows as many
#   requests     the program's X requests and round trips (replies) per minute (RECORD)
#   image        the same while playing a disc image of tones with sound, into the null sink
#                of a private sound server (when pulseaudio is installed)
#   first sound  the sound benchmark's play command to the first sound on the sink
set -euo pipefail

rounds=7
window=60
build=build/release
decks=()
while [ $# -gt 0 ]; do
  case $1 in
    --quick) rounds=3; window=10 ;;
    --rounds) rounds=$2; shift ;;
    --window) window=$2; shift ;;
    --build) build=$2; shift ;;
    --deck) decks+=("$2"); shift ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
[ ${#decks[@]} -gt 0 ] || decks=("deck=$build/plume")
[ "$rounds" -ge 1 ] && [ "$window" -ge 1 ] || { echo "rounds and window must be positive" >&2; exit 2; }

xwatch=$build/bench_xwatch
floor=$build/bench_floor
for f in "$xwatch" "$floor"; do [ -x "$f" ] || { echo "missing $f (build with PLUME_BENCH)" >&2; exit 1; }; done

work=$(mktemp -d /tmp/plume-floor-XXXXXX)
XVFB_PID=""
WATCH_PID=""
PA_PID=""
cleanup() {
  [ -n "$WATCH_PID" ] && kill "$WATCH_PID" 2>/dev/null || true
  [ -n "$PA_PID" ] && kill "$PA_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Each player gets a folder of its own, so its settings file starts empty and stays its own.
names=(floor)
declare -A program
program[floor]=$floor
for d in "${decks[@]}"; do
  name=${d%%=*}
  path=${d#*=}
  [ -x "$path" ] || { echo "missing $path" >&2; exit 1; }
  mkdir -p "$work/$name"
  cp "$path" "$work/$name/plume"
  # The caption faces go with the program they were built beside.
  if [ -d "$(dirname "$path")/fonts" ]; then cp -r "$(dirname "$path")/fonts" "$work/$name/"; fi
  program[$name]=$work/$name/plume
  names+=("$name")
done

mkfifo "$work/display"
Xvfb -displayfd 4 -noreset -screen 0 1024x768x24 -nolisten tcp 4>"$work/display" >/dev/null 2>&1 &
XVFB_PID=$!
read -r n <"$work/display"
export DISPLAY=":$n"
# The pointer rests away from the windows, so no hover effect runs during a window.
xdotool mousemove 1000 740

loads=()
sample_load() { loads+=("$(cut -d' ' -f1 /proc/loadavg)"); }

# On-CPU nanoseconds of every thread of a process.
cpu_ns() {
  cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%.0f\n", s}'
}

# Starts a program under the watcher; sets PID, WID and MAPPED (ms).
launch() {  # name, environment assignments...
  local name=$1
  shift
  : >"$work/watch.out"
  env "$@" "$xwatch" "$work/watch.out" -- "${program[$name]}" >/dev/null 2>"$work/$name.err" &
  WATCH_PID=$!
  local line=""
  for _ in $(seq 2000); do
    line=$(grep -m1 '^mapped ' "$work/watch.out" || true)
    [ -n "$line" ] && break
    kill -0 "$WATCH_PID" 2>/dev/null || break
    sleep 0.01
  done
  [ -n "$line" ] || { echo "$name: no window was mapped" >&2; cat "$work/$name.err" >&2; exit 1; }
  read -r _ MAPPED WID PID <<<"$line"
  PAINTED=""
  for _ in $(seq 300); do
    PAINTED=$(sed -n 's/^painted \([0-9.]*\)$/\1/p' "$work/watch.out" | head -n1)
    [ -n "$PAINTED" ] && break
    sleep 0.01
  done
}

finish() {
  kill "$WATCH_PID" 2>/dev/null || true
  wait "$WATCH_PID" 2>/dev/null || true
  WATCH_PID=""
}

# The watcher's running totals, asked for with SIGUSR1.
counts() {
  local before
  before=$(grep -c '^counts ' "$work/watch.out" || true)
  kill -USR1 "$WATCH_PID"
  for _ in $(seq 500); do
    [ "$(grep -c '^counts ' "$work/watch.out" || true)" -gt "$before" ] && break
    sleep 0.01
  done
  grep '^counts ' "$work/watch.out" | tail -n1 | cut -d' ' -f2-
}

# Figures are kept as lines "program metric value" in $work/results.
record() { echo "$1 $2 $3" >>"$work/results"; }
# A first paint the watcher missed (it listens for drawing only once it has seen the map)
# is left out rather than counted as nothing.
record_painted() { if [ -n "$PAINTED" ]; then record "$1" painted "$PAINTED"; fi; }

memory() {  # name
  local rollup=/proc/$PID/smaps_rollup
  record "$1" pss "$(awk '/^Pss:/ {print $2 / 1024}' "$rollup")"
  record "$1" uss "$(awk '/^Private_(Clean|Dirty):/ {s += $2} END {print s / 1024}' "$rollup")"
  record "$1" rss "$(awk '/^Rss:/ {print $2 / 1024}' "$rollup")"
  record "$1" threads "$(ls /proc/"$PID"/task | wc -l)"
}

# One measured window in the present state: CPU of the program and of the X server, and
# what reached the server, each per minute.
measure() {  # name, state
  local c0 c1 p0 p1 x0 x1 t0 t1
  c0=$(counts); p0=$(cpu_ns "$PID"); x0=$(cpu_ns "$XVFB_PID"); t0=$(date +%s%N)
  sleep "$window"
  c1=$(counts); p1=$(cpu_ns "$PID"); x1=$(cpu_ns "$XVFB_PID"); t1=$(date +%s%N)
  sample_load
  local minutes
  minutes=$(awk -v a="$t0" -v b="$t1" 'BEGIN {print (b - a) / 60e9}')
  per() { awk -v a="$1" -v b="$2" -v m="$minutes" -v k="${3:-1}" 'BEGIN {printf "%.1f\n", (b - a) / k / m}'; }
  record "$1" "cpu.$2" "$(per "$p0" "$p1" 1e6)"
  record "$1" "xcpu.$2" "$(per "$x0" "$x1" 1e6)"
  local fields=(repaints rects area requests roundtrips cliprects images atoms) i
  read -r -a a0 <<<"$c0"
  read -r -a a1 <<<"$c1"
  for i in 0 1 3 4 5 6 7; do record "$1" "${fields[$i]}.$2" "$(per "${a0[$i]}" "${a1[$i]}")"; done
}

# The player's title says the time once it plays; waits for the running time.
wait_playing() {
  for _ in $(seq 100); do
    xprop -id "$WID" _NET_WM_ICON_NAME 2>/dev/null | grep -q '00:0[1-9]"$' && return 0
    sleep 0.05
  done
  echo "the player did not start playing" >&2
  exit 1
}

press_play() {
  local x y
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  x=$((X + 58)); y=$((Y + 107))
  xdotool mousemove --sync "$x" "$y" click 1 mousemove 1000 740
}

run_floor() {
  launch floor
  record floor startup "$MAPPED"
  record_painted floor
  sleep 5
  memory floor
  measure floor any
  finish
}

run_deck() {  # name
  launch "$1" PLUME_DRIVES=sim
  record "$1" startup "$MAPPED"
  record_painted "$1"
  sleep 5
  memory "$1"
  measure "$1" stopped
  press_play
  wait_playing
  measure "$1" playing
  finish

  launch "$1" PLUME_DRIVES=none
  sleep 2
  measure "$1" nodrive
  finish

  # Digital playback: an image of tones played through a private sound server into a
  # null sink, the deck's sound heard by nobody but counted.
  if [ -n "$SHEET" ]; then
    launch "$1" PLUME_DRIVES="image:$SHEET" "${SOUND_ENV[@]}"
    sleep 2
    press_play
    wait_playing
    measure "$1" image
    finish
  fi
}

# Extra starts that only time the map, interleaved, for a steadier start-up median.
quick_start() {  # name
  if [ "$1" = floor ]; then launch floor; else launch "$1" PLUME_DRIVES=sim; fi
  record "$1" startup "$MAPPED"
  record_painted "$1"
  finish
}

# A private sound server for the image rows, when the tools for it are at hand. Only the
# image runs are pointed at it: everywhere else the deck plays silently, as before.
SHEET=""
SOUND_ENV=()
if [ -x "$build/plume_make_tone_image" ] && command -v pulseaudio >/dev/null && command -v pactl >/dev/null; then
  saved_home=$HOME
  saved_runtime=${XDG_RUNTIME_DIR-}
  source "$(dirname "$0")/../tests/audio/pulse_lib.sh"
  start_pulse "$work/pulse"
  SOUND_ENV=("PULSE_SERVER=$PULSE_SERVER" "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR")
  export HOME=$saved_home
  unset PULSE_SERVER
  if [ -n "$saved_runtime" ]; then export XDG_RUNTIME_DIR=$saved_runtime; else unset XDG_RUNTIME_DIR; fi
  mkdir -p "$work/image"
  SHEET=$("$build/plume_make_tone_image" "$work/image" $((window + 20)) 440,660,880)
fi

echo "machine: $(nproc) cores, load before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "rounds: $rounds, windows of $window s, programs: ${names[*]}"

# Warm-up: every program once, so the first measured start finds the files cached.
for name in "${names[@]}"; do
  if [ "$name" = floor ]; then launch floor; else launch "$name" PLUME_DRIVES=sim; fi
  sleep 1
  finish
done
: >"$work/results"
for r in $(seq "$rounds"); do
  for name in "${names[@]}"; do
    if [ "$name" = floor ]; then run_floor; else run_deck "$name"; fi
  done
  for name in "${names[@]}"; do quick_start "$name"; done
  echo "round $r done (load $(cut -d' ' -f1 /proc/loadavg))" >&2
done
sample_load

# From the play command to the first sound on the sink's monitor, by the sound benchmark
# (the command layer of the build given, no window): its median of 10 plays, said below the
# table since it belongs to that build rather than to one of the players.
first=""
if [ -n "$SHEET" ] && [ -x "$build/bench_sound" ]; then
  first=$(env "${SOUND_ENV[@]}" "$build/bench_sound" 5 testsink.monitor 2>&1 |
    sed -n 's/^play to first sound.*median \([0-9.]*\).*/\1/p')
fi

median() {  # name, metric
  awk -v n="$1" -v m="$2" '$1 == n && $2 == m {print $3}' "$work/results" | sort -g |
    awk '{v[NR] = $1} END {if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (a == "-" || b == "-" || a + 0 == 0) print "-"; else printf "%.2f\n", b / a}'; }

rows=(
  "startup|start-up to first map (ms)|startup"
  "painted|start-up to first paint (ms)|painted"
  "pss|PSS 5 s after map (MB)|pss"
  "uss|USS 5 s after map (MB)|uss"
  "rss|RSS 5 s after map (MB)|rss"
  "threads|threads 5 s after map|threads"
)
for s in stopped playing nodrive image; do
  label=$s
  [ $s = nodrive ] && label="no drive"
  [ $s = image ] && label="playing an image (sound)"
  rows+=("cpu.$s|CPU per minute, $label (ms)|cpu.any")
  rows+=("xcpu.$s|X server CPU per minute, $label (ms)|xcpu.any")
  rows+=("repaints.$s|repaints per minute, $label|repaints.any")
  rows+=("rects.$s|damaged rectangles per minute, $label|rects.any")
  rows+=("images.$s|image requests per minute, $label|images.any")
  rows+=("requests.$s|X requests per minute, $label|requests.any")
  rows+=("roundtrips.$s|X round trips per minute, $label|roundtrips.any")
done

echo
printf '| %s | floor |' "metric"
for name in "${names[@]:1}"; do printf ' %s | ratio |' "$name"; done
echo
printf '|---|---:|'
for _ in "${names[@]:1}"; do printf -- '---:|---:|'; done
echo
for row in "${rows[@]}"; do
  IFS='|' read -r metric label floorMetric <<<"$row"
  f=$(median floor "$floorMetric")
  line="| $label | $f |"
  any=0
  for name in "${names[@]:1}"; do
    d=$(median "$name" "$metric")
    [ "$d" != "-" ] && any=1
    line+=" $d | $(ratio "$f" "$d") |"
  done
  [ $any = 1 ] && echo "$line"
done
echo
[ -n "$first" ] && echo "sound benchmark of $build: play command to first sound on the sink, median of 10 plays: $first ms"
echo "machine load (1-minute average) during the run: median $(printf '%s\n' "${loads[@]}" | sort -g |
  awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'), from $(printf '%s\n' "${loads[@]}" | sort -g | head -n1) to $(printf '%s\n' "${loads[@]}" | sort -g | tail -n1); after: $(cut -d' ' -f1-3 /proc/loadavg)"
