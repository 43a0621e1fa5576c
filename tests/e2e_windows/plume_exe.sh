#!/usr/bin/env bash
# plume.exe under wine64 on a private X server with a window manager, on a simulated drive:
# the main window is found by its caption, its Japanese captions and round buttons are
# there, play runs the time, the window's name on the X side (what a task bar shows) is the
# caption the widget dump reports, a picture of the deck is kept for a look, and Esc from the
# keyboard ends the program.
# Arguments: plume.exe, the picture to write. WINEPREFIX names a prefix whose server runs.
PLAYER_EXE=${1:?usage: $0 plume.exe picture.png}
SHOT=${2:?usage: $0 plume.exe picture.png}
source "$(dirname "$0")/../e2e/lib.sh" "$PLAYER_EXE"
WINE=/usr/lib/wine/wine64

# The faces the window descriptions name, replaced by the IPA faces of the same metrics.
"$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f </dev/null >/dev/null 2>&1
"$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐ明朝' /d IPAPMincho /f </dev/null >/dev/null 2>&1

start_x
cp "$PLAYER_EXE" "$WORK/plume"
chmod 755 "$WORK/plume"
start_player "sim:0:40,0:40,0:40" "$WINE"

wid=$(main_window 30)
wait_for "caption in the dump" "CDデッキ　「澄響」" 20 ui_field Form1 title
expect_eq "the window's name as the task bar shows it" "$(ui_field Form1 title)" "$(window_name "$wid")"
wait_for "disc announced" "Audio CD" 10 ui_field noCD text
wait_for "tracks listed" "1|2|3" 10 ui_field_in Form1 List1 items
wait_for "stopped" "停止" 10 ui_field ModeSong text
expect_eq "round play button is a drawn control" "Win32Custom" "$(ui_field Cmb_Play class)"
# The secondary windows are made at the start and stay hidden until asked for: on the X
# side only the deck is in sight.
for form in CDList_Form VerForm Setting_Form; do
  expect_eq "$form hidden" 0 "$(ui_field "$form" visible)"
done
expect_eq "one window in sight" 1 "$(xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l)"

click_control "$wid" Form1 Cmb_Play
wait_for "mode" "再生" 10 ui_field ModeSong text
seconds() { ui_field MainText text | sed -n 's/^\[01\]  00:\([0-9][0-9]\)$/\1/p' | sed 's/^0//'; }
wait_until "time running in track 01" 10 eval '[ "$(seconds)" -ge 1 ]'
# The application's title (the original's task-bar text) follows the display.
wait_until "task-bar title follows the time" 5 eval \
  '[ "$(ui_field application title)" == "「澄響」   $(ui_field MainText text)" ]'

read -r x y w h <<<"$(outer_geometry "$wid")"
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$SHOT"
[ -s "$SHOT" ] || fail "no picture written"

# Esc is the deck's cancel key, as on Linux: it stops the disc and ends the program.
press "$wid" Escape
wait_player_exit 20
pass
