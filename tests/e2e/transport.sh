#!/usr/bin/env bash
# The round transport buttons clicked with the mouse: play runs the time in the task-bar
# text, next moves to track 02, pause freezes the time and resume continues it, stop
# returns to the start, eject opens the simulated drive's door, and closing the door from
# outside brings the disc back and refills the list.
source "$(dirname "$0")/lib.sh"
start_x
install_player
start_player "sim:0:40,0:40,0:40"

wid=$(main_window 10)
read -r wx wy _ _ < <(geometry_of "$wid")
click_at() {  # client x, y
  xdotool mousemove --sync $((wx + $1)) $((wy + $2)) click 1
}
play() { click_at 58 107; }
stop() { click_at 129 107; }
pause() { click_at 200 107; }
next() { click_at 158 137; }
eject() { click_at 228 137; }
title() { icon_name "$wid"; }
seconds() { title | sed -n 's/.*\]  00:\([0-9][0-9]\)$/\1/p' | sed 's/^0//'; }

track_of() { title | sed -n 's/^「澄響」   \[\([0-9][0-9]\)\].*/\1/p'; }

wait_for "disc announced" "Audio CD" 10 ui_field noCD text
wait_disc_known "1|2|3"
play
wait_for "mode" "再生" 10 ui_field ModeSong text
wait_until "time running in track 01" 10 eval '[ "$(track_of)" == 01 ] && [ "$(seconds)" -ge 1 ]'

next
wait_until "next track, playing from its start" 10 eval '[ "$(track_of)" == 02 ] && [ "$(seconds)" -ge 1 ]'

pause
wait_for "mode after pause" "一時停止" 10 ui_field ModeSong text
held=$(title)
held_seconds=$(seconds)
# Nothing may move while paused: watched for a second and a half of the deck's refreshes.
sleep 1.5
expect_eq "time frozen while paused" "$held" "$(title)"
pause
wait_for "mode after resume" "再生" 10 ui_field ModeSong text
wait_until "time going on after resume" 10 eval '[ "$(seconds)" -gt "$held_seconds" ]'

stop
wait_for "mode after stop" "停止" 10 ui_field ModeSong text
wait_until "standing in track 02 after stop" 10 eval '[ "$(track_of)" == 02 ]'

eject
wait_for "door open in the drive's state" "door=open" 10 head -n1 "$IO/D.state"
wait_for "disc state after eject" "CDが入ってません" 10 ui_field noCD text

# Someone closes the door: the drive's control file is replaced whole.
printf 'door=closed\ndisc=0:40,0:40,0:40\n' >"$IO/D.state.new"
mv "$IO/D.state.new" "$IO/D.state"
wait_for "disc back" "Audio CD" 10 ui_field noCD text
wait_for "list refilled" "1|2|3" 10 ui_field List1 items
press "$wid" Escape
wait_player_exit 10
pass
