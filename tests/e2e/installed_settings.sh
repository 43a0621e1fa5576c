#!/usr/bin/env bash
# The player installed into a folder its user cannot write: it reads the placement shipped
# beside it, keeps its own in the per-user store, closes without an error box, comes back
# where it was closed, and never touches the file beside the program.
source "$(dirname "$0")/lib.sh"
start_x

PREFIX="$WORK/prefix"
cmake --install "$(dirname "$PLAYER_BUILT")" --prefix "$PREFIX" >/dev/null || fail "the install failed"
beside="$PREFIX/bin/plume.ini"
printf '; shipped with the program\r\n[Setting]\r\nWindowsPos.Flags=0\r\nWindowsPos.Show=1\r\nWindowsPos.MaxX=-1\r\nWindowsPos.MaxY=-1\r\nWindowsPos.X=250\r\nWindowsPos.Y=150\r\nWindowsPos.XSize=732\r\nWindowsPos.YSize=309\r\n' >"$beside"
touch -d '2020-01-01 00:00:00' "$beside"
shipped() { stat -c '%Y %s %a' "$beside"; sha256sum <"$beside"; }
chmod -R a-w "$PREFIX"
before=$(shipped)

# Root may write anywhere, so the player runs as an unprivileged user with a store of its own.
CONFIG="$WORK/config"
mkdir "$CONFIG"
chown nobody:nogroup "$CONFIG"
store="$CONFIG/plume/plume.ini"
run_installed() {
  PLUME_DRIVES=sim PLUME_SIM_DIR="$IO" PLUME_UI_DUMP="$IO/ui.txt" XDG_CONFIG_HOME="$CONFIG" \
    setpriv --reuid=nobody --regid=nogroup --clear-groups -- "$PREFIX/bin/plume" >>"$IO/player.log" 2>&1 &
  PLAYER_PID=$!
}
close_cleanly() {  # window id
  press "$1" Escape
  # An error box would hold the player open.
  wait_player_exit 10
  ! grep -q '^messagebox' "$IO/ui.txt" || fail "an error box appeared: $(grep '^messagebox' "$IO/ui.txt")"
}

run_installed
wid=$(main_window 10)
wait_for "placement read beside the program" "250 150 482 159" 10 placement_of "$wid"
[ ! -e "$store" ] || fail "the store was written before anything changed"
read -r fl _ ft _ <<<"$(frame_extents "$wid")"
xdotool windowmove "$wid" 320 210
wait_for "moved" "320 210 482 159" 10 placement_of "$wid"
# The player has seen the move once its widget dump has.
wait_until "the move reaches the player" 10 \
  eval '[ "$(ui_field_in Form1 Form1 geometry | cut -d, -f1,2)" == "$((320 + fl)),$((210 + ft))" ]'
close_cleanly "$wid"
[ -f "$store" ] || fail "no per-user copy at $store"
grep -q $'^WindowsPos.X=320\r$' "$store" || fail "placement not stored: $(cat "$store")"
grep -q $'^WindowsPos.Y=210\r$' "$store" || fail "placement not stored: $(cat "$store")"
grep -q '^; shipped with the program' "$store" || fail "the copy lost the shipped file's other lines"
expect_eq "the file beside the program" "$before" "$(shipped)"

run_installed
wid=$(main_window 10)
wait_for "placement after restart" "320 210 482 159" 10 placement_of "$wid"
close_cleanly "$wid"
expect_eq "the file beside the program" "$before" "$(shipped)"
expect_eq "the program's folder" "plume plume.ini" "$(ls -A "$PREFIX/bin" | paste -sd' ')"
pass
