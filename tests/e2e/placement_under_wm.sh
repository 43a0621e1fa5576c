#!/usr/bin/env bash
# Under a window manager, which puts a frame around the deck, the placement in plume.ini is
# the outer rectangle when it is written and when it is applied: ten starts, each closed
# with Esc, leave the stored placement and the deck's client area as the first start made
# them.
source "$(dirname "$0")/lib.sh"
start_x
install_player

# The four stored numbers, "X Y XSize YSize".
stored_placement() {
  tr -d '\r' <"$WORK/plume.ini" | awk -F= '
    $1 == "WindowsPos.X" { x = $2 } $1 == "WindowsPos.Y" { y = $2 }
    $1 == "WindowsPos.XSize" { r = $2 } $1 == "WindowsPos.YSize" { b = $2 }
    END { print x, y, r, b }'
}

# The size of the deck's client area in the player's own widget dump.
dumped_size() {
  ui_field_in Form1 Form1 geometry | cut -d, -f3,4
}

framed() {  # window id
  [ "$(frame_extents "$1")" != "0 0 0 0" ]
}

first=""
for cycle in $(seq 10); do
  rm -f "$IO/ui.txt"
  start_player "sim"
  wid=$(main_window 10)
  wait_until "the window manager frames the deck in cycle $cycle" 10 framed "$wid"
  read -r fl fr ft fb <<<"$(frame_extents "$wid")"
  wait_for "track list in cycle $cycle" "1|2|3|4|5|6|7|8|9|10|11|12" 10 ui_field List1 items
  wait_for "the deck's place and client area in cycle $cycle" "208 120 482 159" 10 placement_of "$wid"
  wait_for "the deck's size as the player sees it in cycle $cycle" "482,159" 10 dumped_size
  press "$wid" Escape
  wait_player_exit 10
  now=$(stored_placement)
  if [ -z "$first" ]; then
    # The first close stores the designed place and the framed outer size.
    expect_eq "outer rectangle stored by the first close" \
      "208 120 $((208 + fl + 482 + fr)) $((120 + ft + 159 + fb))" "$now"
    first=$now
  else
    expect_eq "stored placement after cycle $cycle" "$first" "$now"
  fi
done
pass
