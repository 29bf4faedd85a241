#!/usr/bin/env bash
# Window places under a real window manager: ten closes and restarts leave
# every window where it was, and the settings window opens centred on the
# screen.
#   tests/e2e/places.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

if [ "${1:-}" != --inside ]; then
  outside "${1:?usage: places.sh BUILD_DIR}" 71 1280x1024x24
  exit $?
fi
WORK=$2
GAME=$WORK/game
start_wm

# All four windows shown: the main one and the three side windows.
all_shown() { [ "$(game_places | wc -l)" -eq 4 ]; }
# The same places twice in a row: the window manager is done placing them.
settled() { local a b; a=$(game_places); sleep 0.3; b=$(game_places); [ "$a" = "$b" ] && [ -n "$a" ] && echo "$a" > "$WORK/now"; }

note "first start"
launch_game "$GAME"
wait_for all_shown 20 || fail "the side windows did not appear: $(game_places)"
wait_for settled 20 || fail "the windows did not settle"
cp "$WORK/now" "$WORK/first"
close_game
ini_first=$(sed -n 1,12p "$GAME/GMirvax.ini")

for i in $(seq 1 10); do
  launch_game "$GAME"
  wait_for all_shown 20 || fail "start $i: the side windows did not appear: $(game_places)"
  wait_for settled 20 || fail "start $i: the windows did not settle"
  diff "$WORK/first" "$WORK/now" >&2 || fail "start $i: the windows moved"
  close_game
  [ "$(sed -n 1,12p "$GAME/GMirvax.ini")" = "$ini_first" ] || fail "start $i: the places written changed"
done
note "ten restarts, nothing moved: $(tr '\n' ';' < "$WORK/first")"

note "the settings window opens centred on the screen"
launch_game "$GAME"
xdotool mousemove $((MX + 4 + 232 + 8 + 144 + 24)) $((MY + 27 + 488 + 8 + 16 + 8)) click 1
wait_for 'xdotool search --onlyvisible --name "^Settings$"' 20 || fail "no settings window"
SET=$(xdotool search --onlyvisible --name "^Settings$" | head -1)
centred() {
  local x y w h
  read -r x y w h < <(frame_of "$SET") || return 1
  local cx=$((x + w / 2)) cy=$((y + h / 2))
  echo "centre $cx,$cy" > "$WORK/centre"
  [ $((cx - 640)) -ge -1 ] && [ $((cx - 640)) -le 1 ] && [ $((cy - 512)) -ge -1 ] && [ $((cy - 512)) -le 1 ]
}
wait_for centred 10 || fail "the settings window is not centred: $(cat "$WORK/centre")"
xdotool windowactivate --sync "$SET" 2>/dev/null || true
xdotool key Escape
wait_for '! xdotool search --onlyvisible --name "^Settings$"' 10 || fail "the settings window did not close"

note "Auto docks after the player closed the future window"
wmctrl -c Future
wait_for '! xdotool search --onlyvisible --name "^Future$"' 10 || fail "the future window did not close"
xdotool mousemove $((MX + 4 + 232 + 8 + 24)) $((MY + 27 + 488 + 56 + 8)) click 1
# Outer left and right edges of a window: its own area less or plus the frame.
edges() {
  local id x y w h
  id=$(xdotool search --onlyvisible --name "^$1\$" | head -1)
  [ -n "$id" ] || return 1
  read -r x y w h < <(frame_of "$id") || return 1
  echo "$x $((x + w))"
}
docked() {
  read -r fl fr < <(edges Future) && read -r sl sr < <(edges Statistic) || return 1
  echo "future $fl..$fr statistic $sl..$sr main right $((MX + 462))" > "$WORK/dock"
  # 20 twips right of the main window, and 40 twips between the two: 1 and 3 pixels.
  [ "$fl" -eq $((MX + 462 + 1)) ] && [ $((sl - fr)) -ge 2 ] && [ $((sl - fr)) -le 3 ]
}
wait_for docked 10 || fail "Auto docked wrongly: $(cat "$WORK/dock")"
note "passed"
