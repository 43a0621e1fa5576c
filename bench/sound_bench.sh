#!/usr/bin/env bash
# Runs the sound benchmark against a private PulseAudio server with a null sink.
# usage: bench/sound_bench.sh path/to/bench_sound [seconds of playback]
set -euo pipefail
BENCH=${1:?usage: $0 path/to/bench_sound [seconds]}
D=$(mktemp -d /tmp/plume-bench-XXXXXX)
PA_PID=""
trap '[ -n "$PA_PID" ] && kill "$PA_PID" 2>/dev/null; wait 2>/dev/null; rm -rf "$D"' EXIT
source "$(dirname "$0")/../tests/audio/pulse_lib.sh"
start_pulse "$D"
"$BENCH" "${2:-30}" testsink.monitor
