#!/usr/bin/env bash
# The game's windows kept together under the window manager of a desktop
# (openbox, mutter as GNOME has it, KWin with its Breeze frames, xfwm4 as
# Xfce has it): minimised by the strip's button, by Esc, by a minimise
# request to a side window or to the settings window, and brought back
# through _NET_ACTIVE_WINDOW (a task-bar click) on the main window or on a
# side window, or by a map request: every window of the game takes the main
# window's state each time. The help window's client area is the size it is
# drawn at whatever the frame, its "Далее" button is where it is drawn, and
# every screen opens at one place.
#   tests/e2e/desktops.sh BUILD_DIR WM [ROUNDS]
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

if [ "${1:-}" != --inside ]; then
  export E2E_WM=${2:?usage: desktops.sh BUILD_DIR WM [ROUNDS]}
  outside "${1:?usage: desktops.sh BUILD_DIR WM [ROUNDS]}" 74 1280x1024x24 "${3:-3}"
  exit $?
fi
WORK=$2 ROUNDS=$3
GAME=$WORK/game
start_game "$GAME"
wait_for '[ -n "$(named Future)" ] && [ -n "$(named Statistic)" ] && [ -n "$(named "The Best Of The Gravlok")" ]' 20 ||
  fail "the side windows did not show: $(game_states)"
FUT=$(named Future) STAT=$(named Statistic) HALL=$(named "The Best Of The Gravlok")
note "under $E2E_WM: main $MAIN, side windows $FUT $STAT $HALL"

# Every window of the game in one state: all_in Normal|Iconic.
all_in() { local id; for id in $MAIN $FUT $STAT $HALL; do [ "$(state_of "$id")" = "$1" ] || return 1; done; }
together() { wait_for "all_in $1" 15 || fail "$2: $(game_states)"; }
# A map request restores only where the window manager unmaps a minimised
# window (some keep it mapped, out of view: a map is nothing there).
mapped() { xwininfo -id "$1" | grep -q IsViewable; }

for round in $(seq 1 "$ROUNDS"); do
  strip_minimise
  together Iconic "round $round: after the strip's minimise button"
  wmctrl -i -a "$MAIN"
  together Normal "round $round: after _NET_ACTIVE_WINDOW to the main window"

  # The game stays paused after a restore: the first Esc goes on playing,
  # the second pauses and minimises.
  xdotool key Escape Escape
  together Iconic "round $round: after Esc"
  if mapped "$MAIN"; then
    wmctrl -i -a "$STAT"
    together Normal "round $round: after _NET_ACTIVE_WINDOW to the statistic window"
  else
    xdotool windowmap "$MAIN"
    together Normal "round $round: after a map request of the main window"
  fi

  xdotool windowminimize "$FUT"
  together Iconic "round $round: after a minimise request to the future window"
  wmctrl -i -a "$FUT"
  together Normal "round $round: after _NET_ACTIVE_WINDOW to the future window"
done
note "$ROUNDS rounds: minimised and restored together every time"

note "the settings window: a minimise request leaves every window in view"
menu_click 144 $HELP_Y
wait_for '[ -n "$(named Settings)" ]' 20 || fail "no settings window"
SET=$(named Settings)
wait_for '[ -n "$(still "$SET")" ]' 10
fixed_dialog_frame "$SET" "the settings window"
for i in 1 2 3; do
  xdotool windowminimize "$SET" 2>/dev/null || true
  sleep 1  # a refused or ignored request leaves no state to wait for
  wait_for '[ "$(state_of "$SET")" = Normal ] && all_in Normal' 15 ||
    fail "request $i: after a minimise request to the settings window: $(game_states) settings $(state_of "$SET")"
done
xdotool windowactivate --sync "$SET" 2>/dev/null || true
xdotool key Escape
wait_for '[ -z "$(named Settings)" ]' 10 || fail "the settings window did not close"

note "help screens: drawn whole, at one place, the Далее button where it is drawn"
menu_click 48 $HELP_Y
: >"$WORK/help-places"
n=0
while [ $n -lt 6 ] && wait_for '[ -n "$(named Справка)" ]' 10; do
  H=$(named Справка)
  wait_for '[ "$(xwininfo -id "$H" | sed -n "s/.*Height: //p")" -ge 180 ]' 20 ||
    fail "screen $n did not unroll: $(xwininfo -id "$H" | grep -E 'Width|Height' | tr -d '\n')"
  wait_for 'place=$(still "$H")' 10 || fail "screen $n does not keep still"
  size=$(xwininfo -id "$H" | awk '/Width:/ {w = $NF} /Height:/ {h = $NF} END {print w "x" h}')
  [ "$size" = 232x180 ] || fail "screen $n: client area $size, drawn at 232x180 (frame: $(frame_of "$H"))"
  [ $n -gt 0 ] || fixed_dialog_frame "$H" "the help window"
  echo "$place" >>"$WORK/help-places"
  help_next "$H" "screen $n"
  n=$((n + 1))
done
[ $n -eq 6 ] || fail "the tour ended after $n screens"
places=$(sort -u "$WORK/help-places" | wc -l)
[ "$places" -eq 1 ] || fail "the help screens opened at $places places: $(sort "$WORK/help-places" | uniq -c | tr '\n' ';')"
wait_for '[ -n "$(named Справка)" ]' 10 || fail "no seventh help screen"
H=$(named Справка)
wait_for '[ -n "$(still "$H")" ]' 10
xdotool mousemove --window "$H" 60 168 click 1  # Закрыть
wait_for '[ -z "$(named Справка)" ]' 10 || fail "Закрыть did not end the tour"
note "passed under $E2E_WM"
