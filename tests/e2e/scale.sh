#!/usr/bin/env bash
# Window places at a display scale, under a real window manager: at 150 %
# (QT_SCALE_FACTOR) on a screen of one and a half times the size, every
# window stands where it stands at 100 %, scaled: the main and side windows
# at their places, docked by Auto beside the main window, the settings
# window centred on the screen, the help and question windows centred on
# the main window. At 150 % on the smaller screen every window is on it.
#   tests/e2e/scale.sh BUILD_DIR WM
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

if [ "${1:-}" != --inside ]; then
  build=${1:?usage: scale.sh BUILD_DIR WM} E2E_WM=${2:?usage: scale.sh BUILD_DIR WM}
  export E2E_WM
  RESULTS=$(mktemp -d)
  trap 'rm -rf "$RESULTS"' EXIT
  QT_SCALE_FACTOR=1 outside "$build" 76 1280x1024x24 "$RESULTS/100" 1 || exit 1
  QT_SCALE_FACTOR=1.5 outside "$build" 76 1920x1536x24 "$RESULTS/150" 1.5 || exit 1
  QT_SCALE_FACTOR=1.5 outside "$build" 76 1280x1024x24 "$RESULTS/small" 1.5 || exit 1
  # name kind x y w h: a corner is 1.5 times the one at 100 %, a centre or
  # the bottom left corner too (the window manager's frame is not scaled);
  # two display pixels of rounding.
  join <(sort "$RESULTS/100") <(sort "$RESULTS/150") | awk '
    { kind = $2; x1 = $3; y1 = $4; w1 = $5; h1 = $6; x2 = $8; y2 = $9; w2 = $10; h2 = $11
      if (kind == "centre") { x1 += w1 / 2; y1 += h1 / 2; x2 += w2 / 2; y2 += h2 / 2 }
      if (kind == "bottom") { y1 += h1; y2 += h2 }
      dx = x2 - 1.5 * x1; dy = y2 - 1.5 * y1; n++
      if (dx < -2 || dx > 2 || dy < -2 || dy > 2) { print "FAIL: " $1 " " kind " at 150 %: " x2 "," y2 ", at 100 %: " x1 "," y1 " (1.5 times: " 1.5 * x1 "," 1.5 * y1 ")"; bad = 1 } }
    END { if (n < 8) { print "FAIL: only " n " windows compared"; bad = 1 } exit bad }' >&2 || exit 1
  note "at 150 % every window where it is at 100 %, scaled: $(wc -l <"$RESULTS/150") places"
  awk '$3 < 0 || $4 < 0 || $3 + $5 > 1280 || $4 + $6 > 1024 { print "FAIL: off the 1280 x 1024 screen at 150 %: " $0; bad = 1 }
    END { exit bad }' "$RESULTS/small" >&2 || exit 1
  note "at 150 % on a 1280 x 1024 screen every window is on it: $(wc -l <"$RESULTS/small") places"
  exit 0
fi
WORK=$2 OUT=$3 S=$4
GAME=$WORK/game
start_game "$GAME"
# A click at a point of the main window given in the layout's pixels.
click_main() { xdotool mousemove "$(awk -v m="$MX" -v v="$1" -v s="$S" 'BEGIN { printf "%d", m + v * s }')" \
  "$(awk -v m="$MY" -v v="$2" -v s="$S" 'BEGIN { printf "%d", m + v * s }')" click 1; }
toggle() { click_main $((4 + 232 + 8 + $1 + 24)) $((27 + 488 + $2 + 8)); }
# Records a window's frame once it keeps still: place NAME KIND ID
place() {
  local at id=$3
  wait_for 'at=$(still "$id")' 20 || fail "$1 does not keep still"
  echo "$1 $2 $at" >>"$OUT"
}
wait_for '[ -n "$(named Future)" ] && [ -n "$(named Statistic)" ] && [ -n "$(named "The Best Of The Gravlok")" ]' 20 ||
  fail "the side windows did not show: $(game_states)"
place main corner "$MAIN"
place future corner "$(named Future)"
place statistic corner "$(named Statistic)"
place hall corner "$(named "The Best Of The Gravlok")"

# Docked: the future window moved, or it stands (as at 100 %, where it
# starts there) with its left edge at the main window's right edge.
docked() {
  local f m
  f=$(frame_of "$(named Future)") && m=$(frame_of "$MAIN") || return 1
  [ "$f" != "$(grep "^future " "$OUT" | cut -d" " -f3-)" ] && return 0
  read -r fx _ <<<"$f"
  read -r mx _ mw _ <<<"$m"
  [ $((fx - mx - mw)) -ge -3 ] && [ $((fx - mx - mw)) -le 3 ]
}
toggle 0 $TOGGLE_Y  # Auto
wait_for docked 10 || true  # a dock the screen does not hold is checked by the places below
place docked-future corner "$(named Future)"
place docked-statistic corner "$(named Statistic)"
place docked-hall bottom "$(named "The Best Of The Gravlok")"  # level with the main window's

toggle 144 $HELP_Y  # Set
wait_for '[ -n "$(named Settings)" ]' 20 || fail "no settings window"
place settings centre "$(named Settings)"
xdotool windowactivate --sync "$(named Settings)" 2>/dev/null || true
xdotool key Escape
wait_for '[ -z "$(named Settings)" ]' 10 || fail "the settings window did not close"

toggle 48 $HELP_Y  # Help
wait_for '[ -n "$(named Справка)" ]' 20 || fail "no help window"
H=$(named Справка)
wait_for '[ "$(xwininfo -id "$H" | sed -n "s/.*Height: //p")" -ge $(awk -v s="$S" "BEGIN { print int(180 * s) }") ]' 20 ||
  fail "the help screen did not unroll"
place help corner "$H"  # its full height centred
wmctrl -i -c "$H"
wait_for '[ -z "$(named Справка)" ]' 10 || fail "the help window did not close"

Q=$(drop_until_question) || fail "no question window at the game's end"
place question centre "$Q"
note "$(wc -l <"$OUT") places at $S: $(tr '\n' ';' <"$OUT")"
