#!/usr/bin/env bash
# The game's windows kept together under the window manager of a desktop
# (openbox, mutter as GNOME has it, KWin with its Breeze frames, xfwm4 as
# Xfce has it): minimised by the strip's button, by Esc, by a minimise
# request to a side window or to the settings window, and brought back
# through _NET_ACTIVE_WINDOW (a task-bar click) on the main window or on a
# side window, or by a map request: every window of the game takes the main
# window's state each time, and after each restore the keys go to the game,
# whichever window the window manager made active. A side window hidden by
# its button stays hidden through a minimise and a restore; a Future window
# closed and made again minimises the game at its first request. The help
# window's client area is the size it is drawn at whatever the frame, its
# "Далее" button is where it is drawn, and every screen opens at one place.
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

# After a restore, whichever window the window manager made active, the
# keyboard is the game's: Esc with no window named goes on playing, a second
# Esc pauses and minimises the game again.
keys_reach_game() {
  wait_for main_has_keyboard 15 ||
    fail "$1: the keyboard stayed with $(xdotool getwindowname "$(xdotool getwindowfocus 2>/dev/null)" 2>/dev/null) (active: $(xdotool getactivewindow 2>/dev/null), main $MAIN)"
  xdotool key Escape Escape
  together Iconic "$1: after Esc Esc"
}

for round in $(seq 1 "$ROUNDS"); do
  strip_minimise
  together Iconic "round $round: after the strip's minimise button"
  wmctrl -i -a "$MAIN"
  together Normal "round $round: after _NET_ACTIVE_WINDOW to the main window"
  keys_reach_game "round $round: restored through the main window"

  wmctrl -i -a "$STAT"
  together Normal "round $round: after _NET_ACTIVE_WINDOW to the statistic window"
  keys_reach_game "round $round: restored through the statistic window"
  if ! mapped "$MAIN"; then
    xdotool windowmap "$MAIN"
    together Normal "round $round: after a map request of the main window"
    keys_reach_game "round $round: restored by a map request"
  fi
  wmctrl -i -a "$HALL"
  together Normal "round $round: after _NET_ACTIVE_WINDOW to the hall of fame"
  keys_reach_game "round $round: restored through the hall of fame"
  wmctrl -i -a "$MAIN"
  together Normal "round $round: after _NET_ACTIVE_WINDOW to the main window"

  xdotool windowminimize "$FUT"
  together Iconic "round $round: after a minimise request to the future window"
  wmctrl -i -a "$FUT"
  together Normal "round $round: after _NET_ACTIVE_WINDOW to the future window"
  keys_reach_game "round $round: restored through the future window"
  wmctrl -i -a "$MAIN"
  together Normal "round $round: after _NET_ACTIVE_WINDOW to the main window"
done
note "$ROUNDS rounds: minimised and restored together every time"

note "a side window hidden by its button stays hidden through a minimise and restore"
# What the window manager says of a hidden window: nothing, or Withdrawn.
hidden() { case $(state_of "$1") in Normal | Iconic) return 1 ;; esac; ! mapped "$1"; }
menu_click 152 $TOGGLE_Y  # Stat
wait_for 'hidden "$STAT"' 30 || fail "Stat did not hide the statistic window: $(game_states)"
shown_in() { local id; for id in $MAIN $FUT $HALL; do [ "$(state_of "$id")" = "$1" ] || return 1; done; }
for way in strip Esc; do
  if [ $way = strip ]; then strip_minimise; else key_to_main Escape Escape; fi
  wait_for 'shown_in Iconic' 15 || fail "the $way's minimise with the statistic hidden: $(game_states)"
  wmctrl -i -a "$MAIN"
  wait_for 'shown_in Normal' 15 || fail "restored after the $way's minimise: $(game_states)"
  # Keys the game takes after the restore: a window it brought back with the
  # restore is mapped by then, and minimised with the game.
  key_to_main Escape Escape
  wait_for 'shown_in Iconic' 15 || fail "Esc Esc after the restore: $(game_states)"
  hidden "$STAT" || fail "the hidden statistic window came back after the $way's minimise and a restore: $(game_states)"
  wmctrl -i -a "$MAIN"
  wait_for 'shown_in Normal' 15 || fail "restored again: $(game_states)"
done
menu_click 152 $TOGGLE_Y  # shown again by one press
wait_for '[ -n "$(named Statistic)" ]' 30 || fail "one press of Stat did not show the statistic window: $(game_states)"
STAT=$(named Statistic)

note "a Future window closed by its close box and made again: its first minimise request minimises the game"
wmctrl -i -c "$FUT"
wait_for '[ -z "$(named Future)" ]' 10 || fail "the future window did not close"
menu_click 56 $TOGGLE_Y
if ! wait_for '[ -n "$(named Future)" ]' 10; then menu_click 56 $TOGGLE_Y; fi
wait_for '[ -n "$(named Future)" ]' 10 || fail "the Future button made no window: $(game_states)"
FUT=$(named Future)
wait_for '[ -n "$(still "$FUT")" ]' 10
xdotool windowminimize "$FUT"
together Iconic "the first minimise request to the Future window made again"
wmctrl -i -a "$MAIN"
together Normal "restored after the remade Future's minimise"

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
