#!/usr/bin/env bash
# The deck heard through a private sound server: 再生 plays track 1 of a disc image of three
# tones and 次曲 moves to track 2; the sink's monitor hears track 1's tone, then track 2's.
# The stream is listed under the program's name.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/../audio/pulse_lib.sh"
ANALYSER="$(dirname "$PLAYER_BUILT")/audio_playback"
[ -x "$ANALYSER" ] || fail "no analyser beside the player: $ANALYSER"
MAKE_IMAGE="$(dirname "$PLAYER_BUILT")/plume_make_tone_image"
[ -x "$MAKE_IMAGE" ] || fail "no image maker beside the player: $MAKE_IMAGE"
TONES=440,660,880
PA_PID=""
REC_PID=""
trap '[ -n "$REC_PID" ] && kill -INT "$REC_PID" 2>/dev/null; [ -n "$PA_PID" ] && kill "$PA_PID" 2>/dev/null; cleanup' EXIT

mkdir -p "$WORK/pulse"
start_pulse "$WORK/pulse"
start_x
install_player
record_monitor "$WORK/out.raw"
mkdir -p "$WORK/image"
sheet=$("$MAKE_IMAGE" "$WORK/image" 20 "$TONES") || fail "could not write the disc image"
start_player "image:$sheet"

wid=$(main_window 10)
read -r wx wy _ _ < <(geometry_of "$wid")
click_at() { xdotool mousemove --sync $((wx + $1)) $((wy + $2)) click 1; }
title() { icon_name "$wid"; }

seconds() { title | sed -n 's/.*\]  00:\([0-9][0-9]\)$/\1/p' | sed 's/^0//'; }
wait_for "disc announced" "Audio CD" 10 ui_field noCD text
wait_for "the image's tracks" "1|2|3" 10 ui_field List1 items
wait_disc_known "1|2|3"
click_at 58 107   # 再生
wait_until "track 1 playing two seconds" 15 eval '[[ "$(title)" == "「澄響」   [01]"* ]] && [ "$(seconds)" -ge 2 ]' 
app=$(pactl list sink-inputs | sed -n 's/^[[:space:]]*application.name = "\(.*\)"$/\1/p' | head -n1)
expect_eq "the stream's program name" "plume" "$app"
click_at 158 137  # 次曲
wait_until "track 2 playing two seconds" 15 eval '[[ "$(title)" == "「澄響」   [02]"* ]] && [ "$(seconds)" -ge 2 ]' 
stop_recording
press "$wid" Escape

heard=$("$ANALYSER" tones "$WORK/out.raw" "$TONES")
echo "heard in 100 ms windows: $heard"
# Silence before the first press, then track 1's tone, then track 2's (a moment of silence
# between them is allowed), at least a second of each; track 3's never.
core=$(sed -E 's/^\.+//; s/\.+$//' <<<"$heard")
[[ "$core" =~ ^(1+)\.{0,3}(2+)$ ]] || fail "expected track 1's note, then track 2's: $heard"
[ ${#BASH_REMATCH[1]} -ge 10 ] || fail "track 1 heard only ${#BASH_REMATCH[1]} windows"
[ ${#BASH_REMATCH[2]} -ge 10 ] || fail "track 2 heard only ${#BASH_REMATCH[2]} windows"
pass
