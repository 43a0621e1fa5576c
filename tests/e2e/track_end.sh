#!/usr/bin/env bash
# A whole track played to its end moves on to the next by itself.
source "$(dirname "$0")/lib.sh"
start_x
install_player
start_player "sim:0:03,0:05"

wid=$(main_window 10)
read -r wx wy _ _ < <(geometry_of "$wid")
wait_for "disc announced" "Audio CD" 10 ui_field noCD text
wait_disc_known "1|2"
xdotool mousemove --sync $((wx + 58)) $((wy + 107)) click 1
title() { icon_name "$wid"; }
wait_until "first track playing" 10 eval '[[ "$(title)" == "「澄響」   [01]  00:0"[1-3] ]]'
wait_until "second track after the first ended" 10 eval '[[ "$(title)" == "「澄響」   [02]  00:0"[1-5] ]]'
expect_eq "mode" "再生" "$(ui_field ModeSong text)"
wait_for "stopped at the first entry after the last" "「澄響」   [01]  00:00" 15 title
wait_for "mode at the end" "停止" 10 ui_field ModeSong text
press "$wid" Escape
wait_player_exit 10
pass
