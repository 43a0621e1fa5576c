#!/usr/bin/env bash
# The player comes up at its designed place with the demo disc listed and the running
# title; Esc ends it and leaves the placement in plume.ini; the next start comes up where
# the last one was closed.
source "$(dirname "$0")/lib.sh"
start_x
install_player
start_player "sim"

wid=$(main_window 10)
wait_for "task-bar text within a second" "「澄響」   [01]  00:00" 1 icon_name "$wid"
expect_eq "caption" "CDデッキ　「澄響」" "$(window_name "$wid")"
expect_eq "placement" "208 120 482 159" "$(geometry_of "$wid")"
wait_for "disc state" "Audio CD" 5 ui_field noCD text
wait_for "track list" "1|2|3|4|5|6|7|8|9|10|11|12" 5 ui_field List1 items
expect_eq "display" "[01]  00:00" "$(ui_field MainText text)"

# Moved by the user (or the window manager), then closed with Esc.
xdotool windowmove --sync "$wid" 300 200
sleep 0.3
press "$wid" Escape
wait_player_exit 5
ini=$(tr -d '\r' <"$WORK/plume.ini")
expected="[Setting]
WindowsPos.Flags=0
WindowsPos.Show=1
WindowsPos.MaxX=-1
WindowsPos.MaxY=-1
WindowsPos.X=300
WindowsPos.Y=200
WindowsPos.XSize=782
WindowsPos.YSize=359"
expect_eq "plume.ini" "$expected" "$ini"

start_player "sim"
wid=$(main_window 10)
wait_for "placement after restart" "300 200 482 159" 3 geometry_of "$wid"
press "$wid" Escape
wait_player_exit 5
pass
