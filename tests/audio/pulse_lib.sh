# A private PulseAudio server with a null sink, and a recording of what that sink plays,
# for tests that listen to the player. Sourced; the caller cleans up PA_PID and REC_PID.

# Starts the server in the folder given and points the environment at it.
start_pulse() {
  local dir=$1
  mkdir -p "$dir/xdg" "$dir/home"
  chmod 700 "$dir/xdg"
  export XDG_RUNTIME_DIR="$dir/xdg" HOME="$dir/home" PULSE_SERVER="unix:$dir/pulse.sock"
  # The null sink is told not to rewind. Its rewinds are not those of a real device: after
  # the rewind a stream's start or uncorking asks for, PulseAudio 16's null sink stops taking
  # sound from that stream for seconds (the sink's latency jumps to most of a second and the
  # monitor skips that time), which a recorder hears as sound that starts late and a pause
  # that is not there. Without rewinds a cork takes effect after the sink's own 20 ms.
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --system=false --disallow-exit \
    -L "module-null-sink sink_name=testsink rate=44100 channels=2 norewinds=1" \
    -L "module-native-protocol-unix socket=$dir/pulse.sock auth-anonymous=1" \
    >"$dir/pulse.log" 2>&1 &
  PA_PID=$!
  for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && return 0
    kill -0 "$PA_PID" 2>/dev/null || break
    sleep 0.05
  done
  cat "$dir/pulse.log" >&2
  echo "FAIL: the sound server did not start" >&2
  exit 1
}

# Records the sink's monitor into the file given until stop_recording.
record_monitor() {
  parec --latency-msec=50 -d testsink.monitor --format=s16le --rate=44100 --channels=2 --raw >"$1" &
  REC_PID=$!
  for _ in $(seq 100); do
    pactl list short source-outputs | grep -q . && return 0
    sleep 0.05
  done
  echo "FAIL: the recorder did not attach" >&2
  exit 1
}

stop_recording() {
  kill -INT "$REC_PID"
  wait "$REC_PID" 2>/dev/null || true
  REC_PID=""
}
