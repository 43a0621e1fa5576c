#!/usr/bin/env bash
# Digital playback heard through a private sound server: a PulseAudio server of the test's
# own with a null sink, whose monitor is recorded while the player plays three tones; the
# recording is then checked against the tones.
set -euo pipefail
PROGRAM=${1:?usage: $0 path/to/audio_playback [straight]}
# "straight" plays without the pause in the middle.
SUFFIX=${2:+-$2}
D=$(mktemp -d /tmp/plume-pulse-XXXXXX)
PA_PID=""
REC_PID=""
cleanup() {
  [ -n "$REC_PID" ] && kill -INT "$REC_PID" 2>/dev/null || true
  [ -n "$PA_PID" ] && kill "$PA_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$D"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

source "$(dirname "$0")/pulse_lib.sh"
start_pulse "$D"
record_monitor "$D/out.raw"
"$PROGRAM" "play$SUFFIX" || fail "the play did not go through"
# The recorder hears the sink a little late.
sleep 0.3
stop_recording
"$PROGRAM" "check$SUFFIX" "$D/out.raw"
