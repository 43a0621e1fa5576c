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
expect_eq "main window place" "208 120 482 159" "$(geometry_of "$wid")"
wait_for "hidden at start" 0 3 ui_field VerForm visible
click_control "$wid" Form1 Cmb_Ver
wait_for "version window shown" 1 3 ui_field VerForm visible
vid=$(version_window)
[ -n "$vid" ] || fail "no version window on the screen"
wait_for "version window place" "308 170 403 234" 3 geometry_of "$vid"
expect_eq "version" "ば～じょん　1.00" "$(ui_field_in VerForm Label2 text)"

press "$vid" Return
wait_for "hidden by Enter" 0 3 ui_field VerForm visible

# The main window moved: the version window follows it the next time.
xdotool windowmove --sync "$wid" 300 200
sleep 0.3
click_control "$wid" Form1 Cmb_Ver
wait_for "shown again" 1 3 ui_field VerForm visible
vid=$(version_window)
[ -n "$vid" ] || fail "no version window on the screen the second time"
wait_for "version window place after the move" "400 250 403 234" 3 geometry_of "$vid"

press "$wid" Escape
wait_player_exit 5
pass
