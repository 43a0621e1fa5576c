#!/usr/bin/env bash
# "再生順序" opens the play-order editor; double-clicks on the disc's numbers build the
# program 3, 3, 7, and "登録" makes it the main window's list, lights PROGRAM and hides the
# editor; "解除" goes back to disc order.
source "$(dirname "$0")/lib.sh"

start_x
install_player
start_player "sim"

wid=$(main_window 10)
wait_for "track list" "1|2|3|4|5|6|7|8|9|10|11|12" 10 ui_field_in Form1 List1 items
wait_disc_known "1|2|3|4|5|6|7|8|9|10|11|12"
click_control "$wid" Form1 Cmb_List
wait_for "editor shown" 1 10 ui_field CDList_Form visible
eid=$(xdotool search --onlyvisible --name "再生順序　作成ウィンドウ" | head -n1)
[ -n "$eid" ] || fail "no editor on the screen"
wait_for "editor place" "263 292 340 214" 10 placement_of "$eid"
wait_for "available numbers" "1|2|3|4|5|6|7|8|9|10|11|12" 10 ui_field_in CDList_Form List1 items

# Rows of 16 pixels inside the list's 2-pixel edge; the first column holds 1 to 7.
read -r ex ey _ _ <<<"$(geometry_of "$eid")"
IFS=, read -r lx ly _ _ <<<"$(ui_field_in CDList_Form List1 geometry)"
# (A move with --sync to where the pointer already is would wait for a motion that never
# comes, so the pointer steps aside between the rows.)
program=""
for track in 3 3 7; do
  program=${program:+$program|}$track
  xdotool mousemove --sync $((ex + 170)) $((ey + 10))
  xdotool mousemove --sync $((ex + lx + 10)) $((ey + ly + 2 + 16 * (track - 1) + 8)) click --repeat 2 --delay 80 1
  wait_for "program so far" "$program" 10 ui_field_in CDList_Form List2 items
done
wait_for "program" "3|3|7" 10 ui_field_in CDList_Form List2 items

click_control "$eid" CDList_Form Song_Ok
wait_for "editor hidden" 0 10 ui_field CDList_Form visible
wait_for "main list" "3|3|7" 10 ui_field_in Form1 List1 items
wait_for "PROGRAM lamp" "#00ff00" 10 ui_field Label_Prg color
wait_for "cued at the program's first entry" "[03]  00:00" 10 ui_field MainText text

click_control "$wid" Form1 Cmb_List
wait_for "editor shown again" 1 10 ui_field CDList_Form visible
expect_eq "program kept" "3|3|7" "$(ui_field_in CDList_Form List2 items)"
click_control "$eid" CDList_Form Song_ReLoad
wait_for "editor closed" 0 10 ui_field CDList_Form visible
wait_for "disc order" "1|2|3|4|5|6|7|8|9|10|11|12" 10 ui_field_in Form1 List1 items
wait_for "PROGRAM lamp off" "#c0c0c0" 10 ui_field Label_Prg color

press "$wid" Escape
wait_player_exit 10
pass
