# Shared steps of the end-to-end tests: a private X server, the real player started from a
# folder of the test's own (its settings file lies beside it), and checks that fail loudly.
# Each test script sources this file and is given the built player as its first argument.
set -euo pipefail

PLAYER_BUILT=${1:?usage: $0 path/to/plume}
WORK=$(mktemp -d /tmp/plume-e2e-XXXXXX)
chmod 755 "$WORK"
# What the player writes besides its settings (the drive's state, the widget dump) goes
# here, so a test may make the player's own folder read-only.
IO="$WORK/io"
mkdir -m 777 "$IO"
XVFB_PID=""
WM_PID=""
PLAYER_PID=""

cleanup() {
  [ -n "$PLAYER_PID" ] && kill "$PLAYER_PID" 2>/dev/null || true
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$IO/player.log" ] && { echo "--- player output:" >&2; cat "$IO/player.log" >&2; }
  exit 1
}

expect_eq() {  # what, expected, actual
  [ "$2" == "$3" ] || fail "$1: expected '$2', got '$3'"
}

# A virtual X server of the test's own. Display numbers are drawn from a range of their own,
# away from :0 and the numbers a desktop or another tool would take first, and a number
# whose server does not come up (taken meanwhile by someone else) is given up for another.
# -noreset keeps the server from resetting whenever its last client leaves: a client that
# connects during such a reset (the readiness probe below is one) fails to connect.
start_bare_x() {
  local n
  for _ in $(seq 20); do
    n=$((200 + RANDOM % 700))
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -ac -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 200); do
      kill -0 "$XVFB_PID" 2>/dev/null || break
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.05
    done
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  done
  fail "no virtual X server would start"
}

# A small window manager, as a user has one: frames, focus that follows a newly shown
# window, keys going to the active window. It is ready once it has announced itself on
# the root window.
start_wm() {
  mkdir -p "$WORK/home"
  HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" openbox >"$WORK/wm.log" 2>&1 &
  WM_PID=$!
  for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    kill -0 "$WM_PID" 2>/dev/null || break
    sleep 0.05
  done
  cat "$WORK/wm.log" >&2 || true
  fail "the window manager did not come up"
}

# The X server with its window manager: what every test runs under unless it says otherwise.
start_x() {
  start_bare_x
  start_wm
}

# The player is copied into the test's folder so that its settings file is the test's own.
install_player() {
  cp "$PLAYER_BUILT" "$WORK/plume"
  chmod 755 "$WORK/plume"
}

# Starts the player with the drives given (PLUME_DRIVES format); extra words run it through
# a command first (for instance a lower-privileged user).
start_player() {
  local drives=$1
  shift
  PLUME_DRIVES="$drives" PLUME_SIM_DIR="$IO" PLUME_UI_DUMP="$IO/ui.txt" \
    "$@" "$WORK/plume" >>"$IO/player.log" 2>&1 &
  PLAYER_PID=$!
}

# The deck learns of a disc already in the drive on its poll, a moment after start-up has
# shown the disc's tracks; a press before that may be undone by the announcement (the play
# list is rebuilt, the current track goes back to 1). The announcement also fills the
# play-order editor's numbers, which start-up leaves empty: that is what this waits on.
wait_disc_known() {  # the disc's numbers, as "1|2|3"
  wait_for "the disc announced to the deck" "$1" 10 ui_field_in CDList_Form List1 items
}

# The id of the player's main window, waiting up to the seconds given.
main_window() {
  local seconds=${1:-10} id
  for _ in $(seq $((seconds * 10))); do
    id=$(xdotool search --onlyvisible --name "CDデッキ　「澄響」" 2>/dev/null | head -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$PLAYER_PID" 2>/dev/null || fail "the player ended early"
    sleep 0.1
  done
  fail "no main window within $seconds s"
}

icon_name() {  # window id
  xprop -id "$1" _NET_WM_ICON_NAME 2>/dev/null | sed -n 's/^_NET_WM_ICON_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
}

window_name() {
  xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
}

# Waits until a command's output equals the text given; fails after the seconds given.
wait_for() {  # what, expected, seconds, command...
  local what=$1 expected=$2 seconds=$3 got="" deadline
  shift 3
  deadline=$((SECONDS + seconds))
  while :; do
    got=$("$@" 2>/dev/null || true)
    [ "$got" == "$expected" ] && return 0
    [ $SECONDS -lt $deadline ] || break
    sleep 0.05
  done
  fail "$what: expected '$expected' within $seconds s, last saw '$got'"
}

# One line of the player's widget dump: "name key=value ..." for the control named.
ui_line() {
  awk -F'\t' -v n="$1" '$1 == n { print; exit }' "$IO/ui.txt" 2>/dev/null || true
}

ui_field() {  # control, field
  ui_line "$1" | tr '\t' '\n' | sed -n "s/^$2=//p"
}

# One field of a control of the window named, where several windows have controls of the
# same name: the dump lists each window's line (the one with a title) before its controls.
ui_field_in() {  # window, control, field
  awk -F'\t' -v w="$1" -v n="$2" -v f="$3" '
    /\ttitle=/ { inside = ($1 == w) }
    inside && $1 == n { for (i = 2; i <= NF; ++i) if (index($i, f "=") == 1) { print substr($i, length(f) + 2); exit } }
  ' "$IO/ui.txt" 2>/dev/null || true
}

# Clicks the middle of a control: the window's place, any offset of the container the
# control stands in, and the control's place in that container.
click_control() {  # window id, window name, control, x offset, y offset
  local wx wy cx cy cw ch
  read -r wx wy _ _ <<<"$(geometry_of "$1")"
  IFS=, read -r cx cy cw ch <<<"$(ui_field_in "$2" "$3" geometry)"
  [ -n "$ch" ] || fail "no control $3 in $2"
  xdotool mousemove --sync $((wx + ${4:-0} + cx + cw / 2)) $((wy + ${5:-0} + cy + ch / 2)) click 1
}

# (xwininfo, since xdotool counts a reparented window's offset in its frame twice.)
geometry_of() {  # window id -> "x y w h" of the client area, on the screen
  xwininfo -id "$1" | awk -F: '/Absolute upper-left X/{x=$2} /Absolute upper-left Y/{y=$2}
    /^ *Width/{w=$2} /^ *Height/{h=$2} END{print x+0, y+0, w+0, h+0}'
}

# The frame the window manager draws around a window: "left right top bottom", all 0 for a
# window without one.
frame_extents() {  # window id
  local e
  e=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/^_NET_FRAME_EXTENTS(CARDINAL) = //p' | tr -d ' ')
  if [ -n "$e" ]; then echo "${e//,/ }"; else echo "0 0 0 0"; fi
}

# The place of a window as the settings file keeps it: the outer rectangle, frame included,
# as "x y w h".
outer_geometry() {  # window id
  local x y w h l r t b
  read -r x y w h <<<"$(geometry_of "$1")"
  read -r l r t b <<<"$(frame_extents "$1")"
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# "x y" of the outer rectangle and "w h" of the client area: what a window's description
# gives (its place on the screen, and the size of its inside).
placement_of() {  # window id
  local ox oy cw ch
  read -r ox oy _ _ <<<"$(outer_geometry "$1")"
  read -r _ _ cw ch <<<"$(geometry_of "$1")"
  echo "$ox $oy $cw $ch"
}

# Waits until a command's output passes a test; fails after the seconds given.
wait_until() {  # what, seconds, predicate command...
  local what=$1 seconds=$2 deadline
  shift 2
  deadline=$((SECONDS + seconds))
  while :; do
    "$@" 2>/dev/null && return 0
    [ $SECONDS -lt $deadline ] || break
    sleep 0.05
  done
  fail "$what: not within $seconds s"
}

# Real key strokes (through XTEST) to the window, which gets the focus first; events sent
# to a window directly are marked as synthetic and toolkits may ignore them.
press() {  # window id, key
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  sleep 0.1
  xdotool key "$2"
}

wait_player_exit() {  # seconds
  for _ in $(seq $(($1 * 10))); do
    kill -0 "$PLAYER_PID" 2>/dev/null || { wait "$PLAYER_PID" 2>/dev/null || true; PLAYER_PID=""; return 0; }
    sleep 0.1
  done
  fail "the player did not end within $1 s"
}

pass() {
  echo "PASS: $(basename "$0")"
}
