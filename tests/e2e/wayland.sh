#!/usr/bin/env bash
# The game in a Wayland session (a headless weston with Xwayland, as GNOME
# and Plasma sessions have it): started with WAYLAND_DISPLAY and
# XDG_SESSION_TYPE=wayland, it opens its windows on the X display, the main
# window cut to its shape, and the side windows beside it; ended by the
# session, it writes its settings. Without any display it says so in one
# line and ends with an error code.
#   tests/e2e/wayland.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
build=${1:?usage: wayland.sh BUILD_DIR}
WORK=$(mktemp -d)
install_game "$build" "$WORK/game"
GAME=$WORK/game
export XDG_RUNTIME_DIR=$WORK/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --xwayland --socket=gravlok-wl --idle-time=0 >"$WORK/weston.log" 2>&1 &
weston_pid=$!
trap 'kill $GAME_PID $weston_pid 2>/dev/null; rm -rf "$WORK"' EXIT
wait_for 'grep -q "xserver listening on display" "$WORK/weston.log"' 30 || fail "weston did not start Xwayland: $(tail -5 "$WORK/weston.log")"
xdisplay=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/weston.log" | head -1)

note "started in the Wayland session, the game is on Xwayland ($xdisplay)"
(cd / && exec env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=gravlok-wl XDG_SESSION_TYPE=wayland DISPLAY="$xdisplay" \
  "$GAME/gravlok" >"$WORK/game.log" 2>&1) &
GAME_PID=$!
export DISPLAY=$xdisplay
wait_for '[ "$(game_windows | wc -l)" -ge 1 ]' 30 || fail "no game window on the X display: $(tail -3 "$WORK/game.log")"
MAIN=$(game_windows | head -1)
wait_for 'xdotool search --onlyvisible --name "^Future$"' 20 || fail "the side windows are not on the X display"
xwininfo -shape -id "$MAIN" | grep -q "Window shape extents" || fail "the main window is not cut to its shape"
! xwininfo -shape -id "$(xdotool search --onlyvisible --name '^Future$' | head -1)" | grep -q "Window shape extents" \
  || fail "a side window is shaped too"

note "ended by the session, it writes its settings"
rm -f "$GAME/GMirvax.ini"
kill -TERM "$GAME_PID"
wait_for '! kill -0 $GAME_PID' 20 || fail "SIGTERM did not end the game"
[ "$(wc -l < "$GAME/GMirvax.ini" 2>/dev/null)" -eq 59 ] || fail "no settings written"

note "without any display: one line, an error code"
set +e
msg=$(cd / && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$GAME/gravlok" 2>&1)
code=$?
set -e
[ "$code" -ne 0 ] || fail "no error code without a display"
[ "$(printf '%s\n' "$msg" | wc -l)" -eq 1 ] || fail "more than one line: $msg"
printf '%s' "$msg" | grep -q "нет экрана" && printf '%s' "$msg" | grep -q "no display" || fail "the line: $msg"
note "passed"
