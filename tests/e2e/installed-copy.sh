#!/usr/bin/env bash
# The installed folder copied to another place runs from there: its own
# sounds play (heard through OpenAL's wave-file output), and its two files
# are written beside it, naming its own folder.
#   tests/e2e/installed-copy.sh BUILD_DIR WAVEPEAK
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

if [ "${1:-}" != --inside ]; then
  build=${1:?usage: installed-copy.sh BUILD_DIR WAVEPEAK}
  WORK=$(mktemp -d)
  trap 'rm -rf "$WORK"' EXIT
  install_game "$build" "$WORK/installed"
  mkdir -p "$WORK/elsewhere"
  cp -a "$WORK/installed" "$WORK/elsewhere/game"
  QT_QPA_PLATFORM=xcb xvfb-run -a -n 81 -s "-screen 0 1024x768x24" "$0" --inside "$WORK" "$2"
  exit $?
fi
WORK=$2
WAVEPEAK=$3
GAME=$WORK/elsewhere/game

note "the launcher names the copy"
"$GAME/gravlok-launcher"
grep -qx "Exec=\"$GAME/gravlok\"" "$GAME/gravlok.desktop" || fail "launcher: $(cat "$GAME/gravlok.desktop")"
grep -qx "Icon=$GAME/gravlok.png" "$GAME/gravlok.desktop" || fail "launcher icon"
[ -s "$GAME/gravlok.png" ] || fail "no icon"

note "the copy plays its sounds"
printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$WORK/out.wav" > "$WORK/alsoft.conf"
export ALSOFT_CONF=$WORK/alsoft.conf
(cd / && exec "$GAME/gravlok" >"$WORK/game.log" 2>&1) &
GAME_PID=$!
wait_for '[ -n "$(game_windows)" ]' 15 || fail "the window did not appear"
MAIN=$(game_windows | head -1)
key_to_main Left Right Up
# Some three seconds of sound written (the output runs at the sound's pace).
wait_for '[ "$(stat -c %s "$WORK/out.wav" 2>/dev/null || echo 0)" -gt 1100000 ]' 30 || fail "no sound written"
eval "$(xdotool getwindowgeometry --shell "$MAIN")"
xdotool mousemove $((X + WIDTH - 14)) $((Y + 13)) click 1  # the caption strip's close button
wait_for '! kill -0 $GAME_PID' 10 || fail "the close button did not end the game"
wait "$GAME_PID" || fail "the game ended with code $?"

read -r frames peak < <("$WAVEPEAK" "$WORK/out.wav") || fail "no sound output written"
[ "$frames" -gt 88200 ] || fail "only $frames frames of sound"
awk -v p="$peak" 'BEGIN { exit !(p > 0.01) }' || fail "the sound output is silent (peak $peak)"

note "its two files lie beside it and name its folder"
[ -s "$GAME/GravlokFathers.txt" ] || fail "no table beside the copy"
[ -s "$GAME/GMirvax.ini" ] || fail "no settings beside the copy"
[ ! -e "$WORK/installed/GMirvax.ini" ] && [ ! -e "$WORK/installed/GravlokFathers.txt" ] || fail "the copy wrote into the installed folder"
[ "$(sed -n 14p "$GAME/GMirvax.ini" | tr -d '\r')" = "$GAME/Sound/bkgmusic.WAV" ] || fail "music path: $(sed -n 14p "$GAME/GMirvax.ini")"
[ "$(grep -c "^$GAME/sound/.*\.WAV"$'\r$' "$GAME/GMirvax.ini")" -eq 10 ] || fail "effect paths: $(grep -a WAV "$GAME/GMirvax.ini")"
note "passed"
