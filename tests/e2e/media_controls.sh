#!/usr/bin/env bash
# The desktop's media controls on a private session bus: playerctl drives the real player as
# its own buttons do (the task-bar text and the widget dump follow each command), status and
# metadata answer what the deck shows, a follower hears every change, a second player on the
# same bus takes an instance name, and Quit saves the placement as the power button does.
source "$(dirname "$0")/lib.sh"
command -v dbus-daemon >/dev/null && command -v playerctl >/dev/null || fail "dbus-daemon and playerctl are needed"

BUS_PID=""
FOLLOW_PID=""
SECOND_PID=""
stop_bus() {
  [ -n "$FOLLOW_PID" ] && kill "$FOLLOW_PID" 2>/dev/null || true
  [ -n "$SECOND_PID" ] && kill "$SECOND_PID" 2>/dev/null || true
  [ -n "$BUS_PID" ] && kill "$BUS_PID" 2>/dev/null || true
  cleanup
}
trap stop_bus EXIT

dbus-daemon --session --print-address=1 --print-pid=2 --fork >"$WORK/bus.addr" 2>"$WORK/bus.pid"
BUS_PID=$(head -n1 "$WORK/bus.pid")
export DBUS_SESSION_BUS_ADDRESS
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$WORK/bus.addr")
[ -n "$DBUS_SESSION_BUS_ADDRESS" ] || fail "no private bus"

start_x
install_player
# Three long tracks, so that nothing ends by itself during the test.
start_player "sim:3:00,4:00,5:00"
wid=$(main_window 10)
title() { icon_name "$wid"; }
ctl() { playerctl -p plume "$@"; }
meta() { ctl metadata --format '{{xesam:trackNumber}}|{{mpris:length}}|{{xesam:title}}|{{mpris:trackid}}' | tr -d "'"; }
names() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.ListNames | sed -n 's/.*string "\(org\.mpris\.[^"]*\)".*/\1/p' | sort
}

wait_for "registered name" "org.mpris.MediaPlayer2.plume" 10 names
wait_for "disc announced" "Audio CD" 10 ui_field noCD text
wait_disc_known "1|2|3"
wait_for "status at start" "Stopped" 10 ctl status
wait_for "metadata at start" "1|180000000|トラック 1|/plume/track/1" 10 meta
expect_eq "identity" "ＣＤデッキ「澄響」" "$(dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.plume \
  /org/mpris/MediaPlayer2 org.freedesktop.DBus.Properties.Get string:org.mpris.MediaPlayer2 string:Identity |
  sed -n 's/.*string "\(.*\)"$/\1/p')"
expect_eq "desktop entry" "plume" "$(dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.plume \
  /org/mpris/MediaPlayer2 org.freedesktop.DBus.Properties.Get string:org.mpris.MediaPlayer2 string:DesktopEntry |
  sed -n 's/.*string "\(.*\)"$/\1/p')"

# Everything that changes from here on is heard by a follower.
playerctl -p plume --follow metadata --format '{{status}} {{xesam:trackNumber}}' >"$IO/follow.txt" 2>&1 &
FOLLOW_PID=$!
wait_for "follower started" "Stopped 1" 10 tail -n1 "$IO/follow.txt"

# play-pause from a stop is the play button: the time runs in the task-bar text.
ctl play-pause
wait_for "status after play-pause" "Playing" 10 ctl status
wait_for "mode after play-pause" "再生" 10 ui_field ModeSong text
wait_for "time running" "「澄響」   [01]  00:02" 10 title
agree() { [ "「澄響」   $(ui_field MainText text)" == "$(title)" ]; }
wait_until "the display agrees with the task bar" 10 agree
wait_for "follower heard play" "Playing 1" 10 tail -n1 "$IO/follow.txt"

ctl next
wait_for "task bar after next" "「澄響」   [02]  00:01" 10 title
wait_for "metadata after next" "2|240000000|トラック 2|/plume/track/2" 10 meta
wait_for "follower heard next" "Playing 2" 10 tail -n1 "$IO/follow.txt"

# play-pause while playing is the pause button: the time stands still.
ctl play-pause
wait_for "status after pause" "Paused" 10 ctl status
wait_for "mode after pause" "一時停止" 10 ui_field ModeSong text
wait_for "follower heard pause" "Paused 2" 10 tail -n1 "$IO/follow.txt"
held=$(title)
wait_for "display agrees while paused" "${held#「澄響」   }" 10 ui_field MainText text

# previous out of a pause is the back button: it cues the track before, stopped.
ctl previous
wait_for "task bar after previous" "「澄響」   [01]  00:00" 10 title
wait_for "metadata after previous" "1|180000000|トラック 1|/plume/track/1" 10 meta
wait_for "mode after previous" "停止" 10 ui_field ModeSong text
wait_for "follower heard previous" "Stopped 1" 10 tail -n1 "$IO/follow.txt"

ctl play-pause
wait_for "status after resume" "Playing" 10 ctl status
wait_for "time running again" "「澄響」   [01]  00:01" 10 title
ctl stop
wait_for "status after stop" "Stopped" 10 ctl status
wait_for "mode after stop" "停止" 10 ui_field ModeSong text
wait_for "follower heard stop" "Stopped 1" 10 tail -n1 "$IO/follow.txt"
# A change of status and track comes as one signal, which playerctl may print as two lines,
# so the follower's story is told as its statuses and its tracks, each in order.
expect_eq "statuses followed" "Stopped|Playing|Paused|Stopped|Playing|Stopped" \
  "$(cut -d' ' -f1 "$IO/follow.txt" | uniq | paste -sd'|')"
expect_eq "tracks followed" "1|2|1" "$(cut -d' ' -f2 "$IO/follow.txt" | uniq | paste -sd'|')"

# A second deck on the same bus takes the instance name; the first keeps its own.
mkdir -m 777 "$WORK/io2"
PLUME_DRIVES=sim PLUME_SIM_DIR="$WORK/io2" "$WORK/plume" >>"$WORK/io2/player.log" 2>&1 &
SECOND_PID=$!
wait_for "instance name" "$(printf 'org.mpris.MediaPlayer2.plume\norg.mpris.MediaPlayer2.plume.instance%s' "$SECOND_PID")" 10 names
dbus-send --session --type=method_call --dest="org.mpris.MediaPlayer2.plume.instance$SECOND_PID" \
  /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Quit
for _ in $(seq 100); do kill -0 "$SECOND_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$SECOND_PID" 2>/dev/null && fail "the second deck did not quit"
wait "$SECOND_PID" 2>/dev/null || true
SECOND_PID=""
expect_eq "the first deck is untouched" "Stopped" "$(ctl status)"

# Quit is the power button: the placement is written and the player ends.
rm -f "$WORK/plume.ini"
xdotool windowmove "$wid" 140 90
wait_for "moved" "140 90 482 159" 10 placement_of "$wid"
read -r fl _ ft _ <<<"$(frame_extents "$wid")"
wait_until "the move reaches the player" 10 \
  eval '[ "$(ui_field_in Form1 Form1 geometry | cut -d, -f1,2)" == "$((140 + fl)),$((90 + ft))" ]'
dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.plume /org/mpris/MediaPlayer2 \
  org.mpris.MediaPlayer2.Quit
wait_player_exit 10
grep -q $'^WindowsPos.X=140\r$' "$WORK/plume.ini" || fail "Quit did not write the placement: $(cat "$WORK/plume.ini" 2>/dev/null)"
wait_for "name released" "" 10 names
pass
