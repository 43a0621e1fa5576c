#!/usr/bin/env bash
# The player comes up at its designed place with the demo disc listed and the running
# title; Esc ends it and leaves the placement (the outer rectangle, frame included) in
# plume.ini; the next start comes up where the last one was closed.
source "$(dirname "$0")/lib.sh"
start_x
install_player
start_player "sim"

wid=$(main_window 10)
wait_for "task-bar text" "「澄響」   [01]  00:00" 10 icon_name "$wid"
expect_eq "caption" "CDデッキ　「澄響」" "$(window_name "$wid")"
wait_for "placement" "208 120 482 159" 10 placement_of "$wid"
wait_for "disc state" "Audio CD" 10 ui_field noCD text
wait_for "track list" "1|2|3|4|5|6|7|8|9|10|11|12" 10 ui_field List1 items
expect_eq "display" "[01]  00:00" "$(ui_field MainText text)"

# Moved by the user (or the window manager), then closed with Esc.
read -r fl fr ft fb <<<"$(frame_extents "$wid")"
xdotool windowmove "$wid" 300 200
wait_for "moved" "300 200 482 159" 10 placement_of "$wid"
# The player has seen the move once its widget dump has.
wait_until "the move reaches the player" 10 \
  eval '[ "$(ui_field_in Form1 Form1 geometry | cut -d, -f1,2)" == "$((300 + fl)),$((200 + ft))" ]'
press "$wid" Escape
wait_player_exit 10
ini=$(tr -d '\r' <"$WORK/plume.ini")
expected="[Setting]
WindowsPos.Flags=0
WindowsPos.Show=1
WindowsPos.MaxX=-1
WindowsPos.MaxY=-1
WindowsPos.X=300
WindowsPos.Y=200
WindowsPos.XSize=$((300 + fl + 482 + fr))
WindowsPos.YSize=$((200 + ft + 159 + fb))"
expect_eq "plume.ini" "$expected" "$ini"

start_player "sim"
wid=$(main_window 10)
wait_for "placement after restart" "300 200 482 159" 10 placement_of "$wid"
press "$wid" Escape
wait_player_exit 10
pass
