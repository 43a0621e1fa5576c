#!/usr/bin/env bash
# A folder the settings file cannot be written to: closing shows the error box, and once it
# is answered the player ends all the same.
source "$(dirname "$0")/lib.sh"
start_x
install_player
# Root may write anywhere, so the player runs as an unprivileged user in a folder it may
# read but not write.
chmod 555 "$WORK"
start_player "sim" setpriv --reuid=nobody --regid=nogroup --clear-groups --

wid=$(main_window 10)
wait_for "task-bar text" "「澄響」   [01]  00:00" 10 icon_name "$wid"
press "$wid" Escape

box=""
for _ in $(seq 50); do
  box=$(xdotool search --name "^「澄響」" 2>/dev/null | grep -v "^$wid\$" | head -n1 || true)
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "no error box after the close request"
wait_for "error text" "$WORK/plume.ini に書き込めません." 10 ui_field messagebox text
press "$box" Return
wait_player_exit 10
[ ! -e "$WORK/plume.ini" ] || fail "a settings file appeared in a read-only folder"
pass
