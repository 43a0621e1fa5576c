#!/usr/bin/env bash
# Repeat play switched on in the settings window: after the last track of a short disc the
# player starts again at track 01 instead of stopping.
source "$(dirname "$0")/lib.sh"

track() { ui_field MainText text | cut -c1-4; }

# Waits until the display shows the track given; fails after the seconds given.
wait_track() {  # track field, seconds
  for _ in $(seq $(($2 * 20))); do
    [ "$(track)" == "$1" ] && return 0
    sleep 0.05
  done
  fail "the display did not reach $1 within $2 s (it shows '$(ui_field MainText text)')"
}

start_x
install_player
start_player "sim:0:02,0:02"

wid=$(main_window 10)
wait_for "track list" "1|2" 10 ui_field_in Form1 List1 items
wait_disc_known "1|2"
click_control "$wid" Form1 Smb_Setting
wait_for "settings window shown" 1 10 ui_field Setting_Form visible
sid=$(xdotool search --onlyvisible --name "設定　ウィンドウ" | head -n1)
[ -n "$sid" ] || fail "no settings window on the screen"
# The page's controls stand about 25 pixels below the notebook's top edge, under the tabs.
IFS=, read -r bx by _ _ <<<"$(ui_field_in Setting_Form TabbedNotebook1 geometry)"
click_control "$sid" Setting_Form Rep $((bx + 2)) $((by + 25))
wait_for "repeat box" 1 10 ui_field_in Setting_Form Rep checked
# Enter presses OK, the window's default button.
press "$sid" Return
wait_for "settings window hidden" 0 10 ui_field Setting_Form visible
wait_for "REPEAT lamp" "#00ff00" 10 ui_field Label_Rep color
expect_eq "INTRO lamp" "#c0c0c0" "$(ui_field Label_Intro color)"

# A click on the first entry of the track list plays it.
read -r wx wy _ _ <<<"$(geometry_of "$wid")"
IFS=, read -r lx ly _ _ <<<"$(ui_field_in Form1 List1 geometry)"
xdotool mousemove --sync $((wx + lx + 8)) $((wy + ly + 9)) click 1
wait_for "playing" "再生" 10 ui_field ModeSong text
wait_track "[02]" 10
wait_track "[01]" 10
# Still playing: the time moves on in track 01 rather than standing at its start.
wait_until "playing again" 10 eval '[ "$(ui_field MainText text)" == "[01]  00:01" ]' 
expect_eq "mode after the last track" "再生" "$(ui_field ModeSong text)"

press "$wid" Escape
wait_player_exit 10
pass
