#!/usr/bin/env bash
# The version button shows the version window 100 pixels right of and 50 below the main
# window's corner, wherever that stands; Enter (its OK button) hides it again.
source "$(dirname "$0")/lib.sh"

version_window() {
  xdotool search --onlyvisible --name "バージョン情報" 2>/dev/null | head -n1 || true
}

start_x
install_player
start_player "sim"

wid=$(main_window 10)
wait_for "main window place" "208 120 482 159" 10 placement_of "$wid"
wait_for "hidden at start" 0 10 ui_field VerForm visible
click_control "$wid" Form1 Cmb_Ver
wait_for "version window shown" 1 10 ui_field VerForm visible
vid=$(version_window)
[ -n "$vid" ] || fail "no version window on the screen"
wait_for "version window place" "308 170 403 234" 10 placement_of "$vid"
expect_eq "version" "ば～じょん　1.00" "$(ui_field_in VerForm Label2 text)"

press "$vid" Return
wait_for "hidden by Enter" 0 10 ui_field VerForm visible

# The main window moved: the version window follows it the next time.
xdotool windowmove "$wid" 300 200
wait_for "moved" "300 200 482 159" 10 placement_of "$wid"
read -r fl _ ft _ <<<"$(frame_extents "$wid")"
wait_until "the move reaches the player" 10 \
  eval '[ "$(ui_field_in Form1 Form1 geometry | cut -d, -f1,2)" == "$((300 + fl)),$((200 + ft))" ]'
click_control "$wid" Form1 Cmb_Ver
wait_for "shown again" 1 10 ui_field VerForm visible
vid=$(version_window)
[ -n "$vid" ] || fail "no version window on the screen the second time"
wait_for "version window place after the move" "400 250 403 234" 10 placement_of "$vid"

press "$wid" Escape
wait_player_exit 10
pass
