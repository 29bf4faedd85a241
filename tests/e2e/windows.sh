#!/usr/bin/env bash
# Every window where it belongs under a real window manager: three help tours
# clicked at one pointer position see every screen at one place; Auto docks
# by its formulas after the side windows were hidden, shown and moved, twenty
# times; the settings window has a dialog frame (no minimise or maximise,
# off the task bar) and a minimise request to it leaves the game in view; a
# Future window the player closed comes back where it was.
#   tests/e2e/windows.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

if [ "${1:-}" != --inside ]; then
  outside "${1:?usage: windows.sh BUILD_DIR}" 73 1280x1024x24
  exit $?
fi
WORK=$2
GAME=$WORK/game
start_game "$GAME"
# Paused for the whole test (Esc, then the window restored): left to play,
# the game ends within minutes on a loaded machine, and its name question
# then holds every other window.
note "Esc minimises; restored by the player at once, while the game is too busy to hear of it, it stays restored"
# The game marks each request of a window state on its window, right after it.
request_mark() { xprop -id "$MAIN" _WINDOWSTATE_REQUEST 2>/dev/null | sed -n 's/.* = //p'; }
trap 'kill -CONT "$GAME_PID" "$WM_PID" 2>/dev/null || true' EXIT  # nothing is left stopped
keyboard_to_main
# The window manager held until the game has asked, and the game from then
# until the player has undone the answer: the game reads the window's state
# only after both.
before=$(request_mark)
kill -STOP "$WM_PID"
xdotool key Escape
wait_for '[ "$(request_mark)" != "$before" ]' 30 || fail "Esc asked nothing of the window manager"
asked=$(request_mark)
kill -STOP "$GAME_PID"
kill -CONT "$WM_PID"
wait_for '[ "$(wm_state)" = Iconic ]' 15 || fail "Esc did not minimise: $(game_states)"
xdotool windowmap "$MAIN"
wait_for '[ "$(wm_state)" = Normal ]' 15 || fail "the window manager did not restore the game: $(game_states)"
kill -CONT "$GAME_PID"
# The game takes the restore for the player's and asks for it too: its mark
# moves on (a game that missed the answer would ask for the minimise again).
wait_for '[ "$(request_mark)" != "$asked" ]' 30 || fail "the game did not take the player's restore: $(game_states)"
wait_for '[ "$(wm_state)" = Normal ] && [ -n "$(named Future)" ] && [ -n "$(named Statistic)" ]' 20 ||
  fail "the game did not come back: $(game_states)"

note "three help tours clicked at one pointer position: every screen at one place"
for tour in 1 2 3; do
  menu_click 48 $HELP_Y
  n=0
  while wait_for '[ -n "$(named Справка)" ]' 10; do
    H=$(named Справка)
    # Unrolled to its full height, then still.
    wait_for '[ "$(frame_of "$H" | cut -d" " -f4)" -ge 200 ]' 20 || fail "tour $tour screen $n did not unroll: $(frame_of "$H")"
    wait_for 'place=$(still "$H")' 10 || fail "tour $tour screen $n does not keep still"
    echo "$place" >> "$WORK/help-places"
    help_next "$H" "tour $tour screen $n"
    n=$((n + 1))
  done
  [ $n -gt 20 ] || fail "tour $tour ended after $n screens"
done
places=$(sort -u "$WORK/help-places" | wc -l)
[ "$places" -eq 1 ] || fail "the help screens opened at $places places: $(sort "$WORK/help-places" | uniq -c | tr '\n' ';')"
note "$(wc -l < "$WORK/help-places") screens at $(head -1 "$WORK/help-places")"

note "Auto after hiding, showing and moving the side windows, twenty times"
docked() {
  local fx fy fw fh sx sy sw sh hx hy hw hh
  read -r fx fy fw fh < <(frame_of "$(named Future)") && read -r sx sy sw sh < <(frame_of "$(named Statistic)") &&
    read -r hx hy hw hh < <(frame_of "$(named 'The Best Of The Gravlok')") || return 1
  echo "future $fx,$fy statistic $sx,$sy hall $hx,$((hy + hh)) main $MX..$((MX + 462)),$MY..$((MY + 614))" > "$WORK/dock"
  # 20 twips right of the main window (1 px), 40 twips between Future and
  # Statistic (2 or 3 px), tops level with the main window, the hall of
  # fame's bottom level with its bottom.
  [ "$fx" -eq $((MX + 462 + 1)) ] && [ "$fy" -eq "$MY" ] && [ "$sy" -eq "$MY" ] &&
    [ $((sx - fx - fw)) -ge 2 ] && [ $((sx - fx - fw)) -le 3 ] &&
    [ "$hx" -eq $((MX + 462 + 1)) ] && [ $((hy + hh)) -eq $((MY + 614)) ]
}
toggles=(104 152 56)  # Best, Stat, Future
names=("The Best Of The Gravlok" Statistic Future)
RANDOM=7
for i in $(seq 1 20); do
  k=$((RANDOM % 3))
  menu_click "${toggles[$k]}" $TOGGLE_Y  # hidden
  # A loaded machine takes its time: each step is waited for, generously.
  wait_for '[ -z "$(named "${names[$k]}")" ]' 30 || fail "round $i: ${names[$k]} did not hide: $(game_states)"
  menu_click "${toggles[$k]}" $TOGGLE_Y  # shown again
  wait_for '[ -n "$(named "${names[$k]}")" ]' 30 || fail "round $i: ${names[$k]} did not show: $(game_states)"
  m=$(((k + 1) % 3))
  xdotool windowmove "$(named "${names[$m]}")" $((50 + RANDOM % 700)) $((50 + RANDOM % 500))
  wait_for '[ -n "$(still "$(named "${names[$m]}")")" ]' 30
  menu_click 0 $TOGGLE_Y  # Auto
  wait_for docked 30 || fail "round $i: Auto docked wrongly: $(cat "$WORK/dock")"
done
note "docked twenty times: $(cat "$WORK/dock")"

note "the settings window: a dialog frame, off the task bar, a minimise request leaves the game in view"
menu_click 144 $HELP_Y
wait_for '[ -n "$(named Settings)" ]' 20 || fail "no settings window"
SET=$(named Settings)
wait_for '[ -n "$(still "$SET")" ]' 10
fixed_dialog_frame "$SET" "the settings window"
xprop -id "$SET" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR || fail "the settings window is in the task bar"
SIDES="$(named Future) $(named Statistic) $(named 'The Best Of The Gravlok')"
all_normal() { local id; for id in $MAIN $SET $SIDES; do [ "$(state_of "$id")" = Normal ] || return 1; done; }
xdotool windowminimize "$SET" 2>/dev/null || true
sleep 1  # what the window manager and the game make of it
# The window manager minimises the dialog's group; the game refuses it for
# all of its windows, the side windows included.
wait_for all_normal 10 || fail "after a minimise request to the settings window: $(game_states)"
xdotool windowactivate --sync "$SET" 2>/dev/null || true
xdotool key Escape
wait_for '[ -z "$(named Settings)" ]' 10 || fail "the settings window did not close"

note "a Future window closed by its close box comes back where it was"
wait_for 'F=$(named Future) && [ -n "$F" ]' 10 || fail "no Future window: $(game_states)"
wait_for 'before=$(still "$F")' 10 || fail "the Future window does not keep still: $(frame_of "$F")"
xdotool windowmove "$F" 900 300
wait_for 'was=$(still "$F") && [ "$was" != "$before" ]' 10 || fail "Future did not move from $before"
wmctrl -c Future
wait_for '[ -z "$(named Future)" ]' 10 || fail "the future window did not close"
# The button was still down: the first press lets it up, the second shows
# the window made again.
# Ten seconds for the first press, so a loaded machine's late window is not
# taken for a button only let up (a second press would hide it again).
menu_click 56 $TOGGLE_Y
if ! wait_for '[ -n "$(named Future)" ]' 10; then menu_click 56 $TOGGLE_Y; fi
wait_for '[ -n "$(named Future)" ]' 10 || fail "the Future button made no window: $(game_states)"
wait_for 'now=$(still "$(named Future)")' 10 || fail "the Future window made again does not keep still"
[ "${now% * *}" = "${was% * *}" ] || fail "Future came back at $now, it was at $was"
note "passed"
