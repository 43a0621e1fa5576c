#!/usr/bin/env bash
# "設定" opens the settings window at its place; intro play switched on there with 3 seconds
# and confirmed with OK lights the INTRO lamp, and after "再生" the first track gives way to
# the next one after about four seconds (the first whole second beyond the three).
source "$(dirname "$0")/lib.sh"

start_x
install_player
start_player "sim:0:08,0:08,0:08"

wid=$(main_window 10)
wait_for "track list" "1|2|3" 5 ui_field_in Form1 List1 items
expect_eq "INTRO lamp at start" "#c0c0c0" "$(ui_field Label_Intro color)"

click_control "$wid" Form1 Smb_Setting
wait_for "settings window shown" 1 3 ui_field Setting_Form visible
sid=$(xdotool search --onlyvisible --name "設定　ウィンドウ" | head -n1)
[ -n "$sid" ] || fail "no settings window on the screen"
expect_eq "settings window place" "214 324 188 176" "$(geometry_of "$sid")"

# The controls of a page stand below its tab, about 25 pixels into the notebook; clicking
# the middle of each leaves room for a few pixels either way.
IFS=, read -r bx by _ _ <<<"$(ui_field_in Setting_Form TabbedNotebook1 geometry)"
click_control "$sid" Setting_Form ICheck $((bx + 2)) $((by + 25))
wait_for "intro box" 1 3 ui_field_in Setting_Form ICheck checked
wait_for "seconds field enabled" 1 3 ui_field_in Setting_Form ITime enabled
click_control "$sid" Setting_Form ITime $((bx + 2)) $((by + 25))
xdotool key ctrl+a
xdotool type 3
wait_for "seconds" 3 3 ui_field_in Setting_Form ITime text
click_control "$sid" Setting_Form BitBtn1
wait_for "settings window hidden" 0 3 ui_field Setting_Form visible
wait_for "INTRO lamp" "#00ff00" 3 ui_field Label_Intro color
expect_eq "REPEAT lamp" "#c0c0c0" "$(ui_field Label_Rep color)"

# "再生" plays from the first entry; the middle of the round button is inside its ellipse.
started=$(date +%s%N)
click_control "$wid" Form1 Cmb_Play
wait_for "playing" "再生" 3 ui_field ModeSong text
sleep 2.5
expect_eq "track after 2.5 s" "[01]" "$(ui_field MainText text | cut -c1-4)"
for _ in $(seq 60); do
  [ "$(ui_field MainText text | cut -c1-4)" == "[02]" ] && break
  sleep 0.05
done
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
expect_eq "track after the intro" "[02]" "$(ui_field MainText text | cut -c1-4)"
[ "$elapsed_ms" -ge 3500 ] && [ "$elapsed_ms" -le 5500 ] || fail "the next track came after $elapsed_ms ms, not about 4 s"
title=$(icon_name "$wid")
[[ "$title" == "「澄響」   [02]  "* ]] || fail "task-bar text: expected track 02, got '$title'"
expect_eq "mode" "再生" "$(ui_field ModeSong text)"

press "$wid" Escape
wait_player_exit 5
pass
