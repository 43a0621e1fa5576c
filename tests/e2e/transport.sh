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

wait_for "disc announced" "Audio CD" 5 ui_field noCD text
play
wait_for "time running" "「澄響」   [01]  00:02" 4 title
expect_eq "mode" "再生" "$(ui_field ModeSong text)"

next
wait_for "next track" "「澄響」   [02]  00:01" 3 title

pause
wait_for "mode after pause" "一時停止" 2 ui_field ModeSong text
held=$(title)
held_seconds=$(seconds)
sleep 1.5
expect_eq "time frozen while paused" "$held" "$(title)"
pause
sleep 1.3
[ "$(seconds)" -gt "$held_seconds" ] || fail "time did not continue after resume: $(title)"

stop
wait_for "mode after stop" "停止" 2 ui_field ModeSong text
sleep 0.3
after=$(title)
case "$after" in
  "「澄響」   [02]  00:0"*) ;;
  *) fail "stop should stand in track 02, got '$after'" ;;
esac

eject
wait_for "door open in the drive's state" "door=open" 3 head -n1 "$IO/D.state"
wait_for "disc state after eject" "CDが入ってません" 3 ui_field noCD text

# Someone closes the door: the drive's control file is replaced whole.
printf 'door=closed\ndisc=0:40,0:40,0:40\n' >"$IO/D.state.new"
mv "$IO/D.state.new" "$IO/D.state"
wait_for "disc back" "Audio CD" 4 ui_field noCD text
wait_for "list refilled" "1|2|3" 4 ui_field List1 items
press "$wid" Escape
wait_player_exit 5
pass
