#!/usr/bin/env bash
# "設定" opens the settings window at its place; intro play switched on there with 3 seconds
# and confirmed with OK lights the INTRO lamp, and after "再生" the first track gives way to
# the next one at the first whole second beyond the three, by the deck's own clock.
source "$(dirname "$0")/lib.sh"

start_x
install_player
start_player "sim:0:08,0:08,0:08"

wid=$(main_window 10)
wait_for "track list" "1|2|3" 10 ui_field_in Form1 List1 items
wait_disc_known "1|2|3"
expect_eq "INTRO lamp at start" "#c0c0c0" "$(ui_field Label_Intro color)"

click_control "$wid" Form1 Smb_Setting
wait_for "settings window shown" 1 10 ui_field Setting_Form visible
sid=$(xdotool search --onlyvisible --name "設定　ウィンドウ" | head -n1)
[ -n "$sid" ] || fail "no settings window on the screen"
wait_for "settings window place" "214 324 188 176" 10 placement_of "$sid"

# The controls of a page stand below its tab, about 25 pixels into the notebook; clicking
# the middle of each leaves room for a few pixels either way.
IFS=, read -r bx by _ _ <<<"$(ui_field_in Setting_Form TabbedNotebook1 geometry)"
click_control "$sid" Setting_Form ICheck $((bx + 2)) $((by + 25))
wait_for "intro box" 1 10 ui_field_in Setting_Form ICheck checked
wait_for "seconds field enabled" 1 10 ui_field_in Setting_Form ITime enabled
click_control "$sid" Setting_Form ITime $((bx + 2)) $((by + 25))
xdotool key ctrl+a
xdotool type 3
wait_for "seconds" 3 10 ui_field_in Setting_Form ITime text
click_control "$sid" Setting_Form BitBtn1
wait_for "settings window hidden" 0 10 ui_field Setting_Form visible
wait_for "INTRO lamp" "#00ff00" 10 ui_field Label_Intro color
expect_eq "REPEAT lamp" "#c0c0c0" "$(ui_field Label_Rep color)"

# "再生" plays from the first entry; the middle of the round button is inside its ellipse.
click_control "$wid" Form1 Cmb_Play
wait_for "playing" "再生" 10 ui_field ModeSong text
# The display is followed until track 02 comes; the last time shown for track 01 tells when
# the intro ended, measured by the deck itself rather than by this script's clock.
last01=""
shown=""
for _ in $(seq 600); do
  shown=$(ui_field MainText text)
  case "$shown" in
    "[01]"*) last01=$shown ;;
    "[02]"*) break ;;
  esac
  sleep 0.05
done
[[ "$shown" == "[02]"* ]] || fail "track 02 never came; the display shows '$shown'"
case "$last01" in
  "[01]  00:03" | "[01]  00:04") ;;
  *) fail "track 01 gave way after '$last01', not at the first second beyond three" ;;
esac
title=$(icon_name "$wid")
[[ "$title" == "「澄響」   [02]  "* ]] || fail "task-bar text: expected track 02, got '$title'"
expect_eq "mode" "再生" "$(ui_field ModeSong text)"

press "$wid" Escape
wait_player_exit 10
pass
