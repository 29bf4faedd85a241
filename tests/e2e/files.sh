#!/usr/bin/env bash
# The player's files under the real program: every way the desktop ends the
# game writes the settings; an install the player cannot write keeps his
# files in his own data folder (run as a second user); a program folder whose
# name Windows-1251 cannot spell sounds at every start.
#   tests/e2e/files.sh BUILD_DIR WAVEPEAK
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

if [ "${1:-}" != --inside ]; then
  outside "${1:?usage: files.sh BUILD_DIR WAVEPEAK}" 61 1024x768x24 "$2"
  exit $?
fi
WORK=$2
WAVEPEAK=$3
GAME=$WORK/game
start_wm

for way in TERM HUP INT wm-close; do
  launch_game "$GAME"
  rm -f "$GAME/GMirvax.ini"
  case $way in
    wm-close) wmctrl -i -c "$MAIN" ;;
    *) kill -s "$way" "$GAME_PID" ;;
  esac
  wait_for '! kill -0 $GAME_PID' 20 || fail "SIG$way did not end the game"
  wait "$GAME_PID" || true
  [ "$(wc -l < "$GAME/GMirvax.ini" 2>/dev/null)" -eq 59 ] || fail "ended by $way: no settings written"
done
note "SIGTERM, SIGHUP, SIGINT and the window manager's close write the settings"

if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
  note "an install the player cannot write (a second user)"
  ro=$WORK/opt/gravlok
  mkdir -p "$WORK/opt" && cp -a "$GAME" "$ro"
  rm -f "$ro/GMirvax.ini" "$ro/GravlokFathers.txt.lock"
  printf 'Ace\r\n5000\r\nPlumo\r\n0\r\n' > "$ro/GravlokFathers.txt"
  chown -R root:root "$ro" && chmod -R go-w "$ro"
  home=$WORK/home
  mkdir -p "$home" && chown nobody "$home"
  # The X server's cookie, for the second user too.
  cp "${XAUTHORITY:-$HOME/.Xauthority}" "$WORK/xauth" 2>/dev/null || true
  chmod 644 "$WORK/xauth" 2>/dev/null || true
  (cd / && exec runuser -u nobody -- env HOME="$home" DISPLAY="$DISPLAY" XAUTHORITY="$WORK/xauth" QT_QPA_PLATFORM=xcb \
    "$ro/gravlok" >"$WORK/ro.log" 2>&1) &
  GAME_PID=$!
  data=$home/.local/share/gravlok
  wait_for '[ -s "$data/GravlokFathers.txt" ] && [ -s "$data/GMirvax.ini" ]' 30 || fail "no files in the player's data folder: $(ls -la "$home" 2>&1; cat "$WORK/ro.log")"

  grep -q '^Ace' "$data/GravlokFathers.txt" || fail "the program folder's table was not the starting table"
  wait_for '[ -n "$(game_windows)" ]' 20 || fail "no window as the second user"
  pkill -TERM -u nobody -x gravlok
  wait_for '! pgrep -u nobody -x gravlok' 20 || fail "the second user's game did not end"
  [ "$(stat -c %U "$data/GMirvax.ini")" = nobody ] || fail "settings not the player's own"
  [ ! -e "$ro/GMirvax.ini" ] || fail "wrote into the program folder"
  note "files in $data"
fi

note "a program folder named outside Windows-1251, started twice, sounds both times"
odd="$WORK/Téléchargements/ゲーム"
mkdir -p "$(dirname "$odd")" && cp -a "$GAME" "$odd"
rm -f "$odd/GMirvax.ini"
for start in 1 2; do
  printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$WORK/out$start.wav" > "$WORK/alsoft.conf"
  ALSOFT_CONF=$WORK/alsoft.conf launch_game "$odd"
  # About two seconds of sound at least.
  wait_for '[ "$(stat -c %s "$WORK/out'$start'.wav" 2>/dev/null || echo 0)" -gt 400000 ]' 30 || fail "start $start: no sound written"
  close_game
  read -r frames peak < <("$WAVEPEAK" "$WORK/out$start.wav") || fail "start $start: no sound output"
  awk -v p="$peak" 'BEGIN { exit !(p > 0.01) }' || fail "start $start: silent (peak $peak)"
done
music=$(sed -n 14p "$odd/GMirvax.ini" | tr -d '\r')
[ "$music" = $'\xef\xbb\xbf'"$odd/Sound/bkgmusic.WAV" ] || fail "music path stored as: $(printf '%s' "$music" | od -c | head -3)"
note "passed"
