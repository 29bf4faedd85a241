# Helpers of the end-to-end tests: the installed game under Xvfb with a
# window manager, driven by xdotool as a player would.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }
note() { echo "-- $*"; }

# Installs the build into a fresh folder: install_game BUILD DIR
install_game() { cmake --install "$1" --prefix "$2" >/dev/null; }

# The outer half of an end-to-end script: the game installed from BUILD into
# a scratch folder (readable by other users), then the script run again
# inside a virtual X server as `SCRIPT --inside WORK ARGS...`:
#   outside BUILD SERVER_NUMBER SCREEN ARGS...
outside() {
  local build=$1 n=$2 screen=$3
  shift 3
  WORK=$(mktemp -d)
  chmod 755 "$WORK"
  # A failure shows what the game printed last.
  trap 'rc=$?; [ $rc -eq 0 ] || tail -20 "$WORK/game.log" 2>/dev/null | sed "s/^/game: /" >&2; rm -rf "$WORK"' EXIT
  install_game "$build" "$WORK/game"
  [ "${E2E_WM:-}" != kwin-wayland ] || { in_kwin_wayland "$screen" "$@"; return; }
  local session=()
  [ "${E2E_WM:-openbox}" = openbox ] || session=(dbus-run-session --)
  QT_QPA_PLATFORM=xcb xvfb-run -a -n "$n" -s "-screen 0 $screen" "${session[@]}" "$0" --inside "$WORK" "$@"
}

# KDE's Wayland session: KWin on a virtual output of SCREEN's size runs the
# script as its session, the game on its Xwayland. KWin's binary carries a
# file capability that a container may refuse to start: a copy of it runs
# without one. The session's output goes to a file, shown when it ends.
#   in_kwin_wayland SCREEN ARGS...
in_kwin_wayland() {
  local screen=$1 width height rc=0
  shift
  width=${screen%%x*} height=${screen#*x}
  height=${height%%x*}
  cp "$(command -v kwin_wayland)" "$WORK/kwin_wayland"
  mkdir -m 700 "$WORK/run"
  printf '#!/bin/sh\nexec "%s" --inside "%s"%s >"%s/session.log" 2>&1\n' "$0" "$WORK" "$(printf ' "%s"' "$@")" "$WORK" \
    >"$WORK/session"
  chmod +x "$WORK/session"
  XDG_RUNTIME_DIR=$WORK/run QT_QPA_PLATFORM=xcb dbus-run-session -- "$WORK/kwin_wayland" --virtual --xwayland \
    --width "$width" --height "$height" --socket "gravlok-kwin-$$" --exit-with-session "$WORK/session" \
    >"$WORK/wm.log" 2>&1 || rc=$?
  cat "$WORK/session.log" 2>/dev/null
  [ -s "$WORK/session.log" ] || tail -5 "$WORK/wm.log" >&2
  return $rc
}

# Waits up to $2 seconds (default 10) for a command to succeed.
wait_for() {
  local cmd=$1 secs=${2:-10} i
  for ((i = 0; i < secs * 10; i++)); do
    eval "$cmd" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# The ids of the visible windows named like the game.
game_windows() { xdotool search --onlyvisible --name '^Gravlok XII Mirvax$' 2>/dev/null || true; }

# A visible game window other than the main one (a question), or nothing.
question_window() { game_windows | grep -vx "$MAIN" | head -1; }

# The window manager of $E2E_WM (openbox unless said: mutter, kwin, xfwm4,
# kwin-wayland), once it is ready to manage windows; its process in WM_PID
# (none for kwin-wayland's). The desktops' own managers run in a
# session bus of their own (see outside). On a loaded machine one may give
# up before it got hold of the display: it is started again, twice at most.
start_wm() {
  local attempt pid
  for attempt in 1 2 3; do
    case ${E2E_WM:-openbox} in
      openbox) openbox >"$WORK/wm.log" 2>&1 & ;;
      mutter) mutter --x11 --replace --sm-disable >"$WORK/wm.log" 2>&1 & ;;
      kwin) kwin_x11 --replace >"$WORK/wm.log" 2>&1 & ;;
      xfwm4) xfwm4 --replace >"$WORK/wm.log" 2>&1 & ;;
      kwin-wayland)  # the session's compositor manages the X windows too
        wait_for 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' 30 || fail "KWin's Xwayland has no window manager"
        return 0 ;;
      *) fail "no such window manager: $E2E_WM" ;;
    esac
    pid=$!
    wait_for 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" || ! kill -0 '$pid 30 || true
    kill -0 $pid 2>/dev/null && xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" && WM_PID=$pid && return 0
    note "the window manager ${E2E_WM:-openbox} did not start (attempt $attempt): $(tail -2 "$WORK/wm.log" | tr '\n' ' ')"
    kill $pid 2>/dev/null || true
    sleep 1
  done
  fail "the window manager ${E2E_WM:-openbox} did not start"
}

# Starts the game in FOLDER, from another directory, and waits for its window.
launch_game() {
  (cd / && exec "$1/gravlok" >>"$1.log" 2>&1) &
  GAME_PID=$!
  wait_for '[ -n "$(game_windows)" ]' 30 || fail "the main window did not appear"
  MAIN=$(game_windows | head -1)
  wait_for '[ "$(wm_state)" = Normal ]' 20 || fail "the main window was not mapped"
  eval "$(xdotool getwindowgeometry --shell "$MAIN")"
  MX=$X MY=$Y
}

# Starts the window manager and the game in FOLDER.
start_game() {
  start_wm
  launch_game "$1"
}

# Every visible window of the running game, one "name x y" line each (the
# position of the window's own area on the screen).
game_places() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null); do
    eval "$(xdotool getwindowgeometry --shell "$id")"
    echo "$(xdotool getwindowname "$id") $X $Y"
  done | sort  # by name: the side windows are made in no fixed order
}

# The strip's close button, clicked as a player would; waits for the end.
close_game() {
  xdotool mousemove $((MX + 447)) $((MY + 13)) click 1
  wait_for '! kill -0 $GAME_PID' 30 || fail "the game did not end after its close button"
  wait "$GAME_PID" || fail "the game ended with code $?"
}

# A screenshot of a part of the main window: grab NAME X Y W H (window pixels).
grab() { import -window root -crop "$4x$5+$((MX + $2))+$((MY + $3))" +repage "$WORK/$1.png"; }
# The well picture: the client area starts at (4, 27) of the window.
grab_well() { grab "$1" 20 51 233 433; }
# Number of pixels that differ between two grabs.
differ() { compare -metric AE "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 || true; }
# Share (0 to 1) of pixels of a grab in a colour.
share_of() { convert "$WORK/$1.png" -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:mean]' info:; }

# The outer frame of a window: "x y width height" (frame included).
frame_of() {
  local info l r t b
  info=$(xwininfo -id "$1" 2>/dev/null) || return 1
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d , ; echo 0 0 0 0)
  echo "$info" | awk -v l="${l:-0}" -v r="${r:-0}" -v t="${t:-0}" -v b="${b:-0}" '
    /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF} /Width:/ {w = $NF} /Height:/ {h = $NF}
    END {print x - l, y - t, w + l + r, h + t + b}'
}
# What the window manager says of a window: Normal, Iconic, or nothing.
state_of() { xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }
wm_state() { state_of "$MAIN"; }
# Every window of the game with its state, for a failure's message.
game_states() {
  local id
  for id in $(xdotool search --pid "$GAME_PID" 2>/dev/null | sort -u); do
    [ -n "$(state_of "$id")" ] && printf '%s: %s; ' "$(xdotool getwindowname "$id")" "$(state_of "$id")"
  done
}

# A visible window by its exact title.
named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
# The same frame twice, 0.3 s apart: the window is where it stays.
still() { local a b; a=$(frame_of "$1") && sleep 0.3 && b=$(frame_of "$1") && [ "$a" = "$b" ] && echo "$a"; }
# A click at a toggle of the bottom right panel: menu_click X Y (its rows:
# HELP_Y for the menu, TOGGLE_Y for the window toggles).
menu_click() { xdotool mousemove $((MX + 4 + 232 + 8 + $1 + 24)) $((MY + 27 + 488 + $2 + 8)) click 1; }
HELP_Y=24 TOGGLE_Y=56
# Clicks where the first help screen's "Далее" is (the pointer's place kept
# in PX, PY), then waits for the screen to go: help_next ID WHAT
help_next() {
  local h=$1
  if [ -z "${PX:-}" ]; then
    xdotool mousemove --window "$h" 180 168
    eval "$(xdotool getmouselocation --shell)"
    PX=$X PY=$Y
  fi
  xdotool mousemove "$PX" "$PY" click 1
  wait_for "[ \"\$(named Справка)\" != $h ] || [ \"\$(xwininfo -id $h | sed -n 's/.*Height: //p')\" -lt 100 ]" 10 ||
    fail "$2: the click at the first screen's Далее missed ($(frame_of "$h"), first $(head -1 "$WORK/help-places"))"
}
# The caption strip's minimise button, clicked.
strip_minimise() { xdotool mousemove $((MX + 424)) $((MY + 13)) click 1; }

# A fixed dialog's frame: no maximise offered, none asked for, and no
# minimise asked for (Motif hints: functions, then decorations; minimise 8
# and 32, maximise 16 and 64); a close box. Some window managers keep
# minimise for every dialog whatever it asks: that is theirs.
fixed_dialog_frame() {
  local id=$1 what=$2 functions decorations actions
  read -r _ functions decorations _ < <(xprop -id "$id" _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
  (( (functions & 24) == 0 && (decorations & 96) == 0 && (functions & 32) )) ||
    fail "$what asks for functions $functions, decorations $decorations"
  actions=$(xprop -id "$id" _NET_WM_ALLOWED_ACTIONS)
  case $actions in *MAXIMIZE*) fail "$what offers: $actions" ;; esac
  case $actions in *CLOSE*) ;; *) fail "$what has no close box: $actions" ;; esac
}

# Waits until the question window has the keyboard.
question_active() { wait_for '[ -n "$(question_window)" ] && [ "$(xdotool getactivewindow 2>/dev/null)" = "$(question_window)" ]' 20; }

# Whether the main window holds the keyboard: it has the X input focus
# (the key goes there), or the window manager calls it active.
main_has_keyboard() {
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$MAIN" ] || [ "$(xdotool getactivewindow 2>/dev/null)" = "$MAIN" ]
}
# Asks for the keyboard for the main window: through the window manager, or
# straight from the X server where none runs.
ask_keyboard() { xdotool windowactivate "$MAIN" 2>/dev/null || xdotool windowfocus "$MAIN" 2>/dev/null || true; }
# Waits until the main window holds the keyboard, asking for it while it
# does not.
keyboard_to_main() {
  wait_for 'main_has_keyboard || { ask_keyboard; false; }' 60 ||
    fail "the main window does not get the keyboard (focus: $(xdotool getwindowfocus 2>/dev/null))"
}
# Sends KEYS once the main window holds the keyboard: a key is never sent
# blind, however slow the machine.
key_to_main() {
  keyboard_to_main
  xdotool key "$@"
}

# Presses Down until a question window opens (two minutes at most, for a
# loaded machine); prints its id. Each press goes to the main window while
# it holds the keyboard.
drop_until_question() {
  local q end=$((SECONDS + 120))
  while ((SECONDS < end)); do
    main_has_keyboard || ask_keyboard
    xdotool key Down
    sleep 0.35
    q=$(question_window)
    if [ -n "$q" ]; then echo "$q"; return 0; fi
  done
  return 1
}
