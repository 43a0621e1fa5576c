#!/usr/bin/env bash
# Builds the player and starts it on the machine's drives and the simulated one with the
# demo disc. Without a display it runs the player on a virtual X server instead, saves a
# screenshot of the deck after a few seconds, prints where, and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc 2>/dev/null || echo 2)" --target plume
player=build/release/plume

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$player"
fi

echo "No display found: running the player on a virtual X server (Xvfb) instead."
display=99
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done

DISPLAY=":$display" "$player" &
pid=$!
sleep 4
shot="$PWD/build/plume-screenshot.png"
DISPLAY=":$display" import -window root -crop 700x400+0+0 "$shot"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
echo "Screenshot of the deck: $shot"
