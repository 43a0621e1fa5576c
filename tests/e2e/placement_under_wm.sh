#!/usr/bin/env bash
# Under a window manager, which puts a frame around the deck, the placement in plume.ini is
# the outer rectangle when it is written and when it is applied: ten starts, each closed
# with Esc, leave the stored placement and the deck's client area as the first start made
# them.
source "$(dirname "$0")/lib.sh"
if ! declare -F start_wm >/dev/null; then
  start_wm() {
    openbox --sm-disable >/dev/null 2>&1 &
    for _ in $(seq 200); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
      sleep 0.05
    done
    fail "no window manager"
  }
fi
start_x
start_wm
install_player

# The frame's thickness the window manager announces: "left, right, top, bottom".
frame_extents() {
  xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/^_NET_FRAME_EXTENTS(CARDINAL) = //p'
}

# The four stored numbers, "X Y XSize YSize".
stored_placement() {
  tr -d '\r' <"$WORK/plume.ini" | awk -F= '
    $1 == "WindowsPos.X" { x = $2 } $1 == "WindowsPos.Y" { y = $2 }
    $1 == "WindowsPos.XSize" { r = $2 } $1 == "WindowsPos.YSize" { b = $2 }
    END { print x, y, r, b }'
}

client_size() {  # window id -> "w h"
  local g
  g=$(geometry_of "$1")
  echo "${g#* * }"
}

first=""
for cycle in $(seq 10); do
  rm -f "$IO/ui.txt"
  start_player "sim"
  wid=$(main_window 10)
  # The deck counts as shown once the window manager has framed it and the program has
  # drawn its controls.
  for _ in $(seq 200); do
    [ -n "$(frame_extents "$wid")" ] && break
    sleep 0.05
  done
  extents=$(frame_extents "$wid")
  [ -n "$extents" ] || fail "cycle $cycle: the window manager did not frame the deck"
  wait_for "track list in cycle $cycle" "1|2|3|4|5|6|7|8|9|10|11|12" 10 ui_field List1 items
  wait_for "deck's client area in cycle $cycle" "482 159" 10 client_size "$wid"
  wait_for "deck's size as the program sees it in cycle $cycle" "482,159" 10 \
    bash -c "awk -F'\t' '\$1 == \"Form1\" { print \$5; exit }' '$IO/ui.txt' | sed 's/^geometry=[-0-9]*,[-0-9]*,//'"
  press "$wid" Escape
  wait_player_exit 10
  now=$(stored_placement)
  if [ -z "$first" ]; then
    # The first close stores the designed place and the framed outer size.
    IFS=', ' read -r fl fr ft fb <<<"$extents"
    expect_eq "outer rectangle stored by the first close" \
      "208 120 $((208 + fl + 482 + fr)) $((120 + ft + 159 + fb))" "$now"
    first=$now
  else
    expect_eq "stored placement after cycle $cycle" "$first" "$now"
  fi
done
pass
