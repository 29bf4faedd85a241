#!/usr/bin/env bash
# The Debian package: built from the build folder, checked by lintian and
# appstreamcli, unpacked into a scratch root and played from its command by a
# player who cannot write the program folder: the windows come up, the music
# sounds, the player's files go to his data folder.
#   tests/e2e/package.sh BUILD_DIR WAVEPEAK
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

if [ "${1:-}" != --inside ]; then
  build=${1:?usage: package.sh BUILD_DIR WAVEPEAK}
  WORK=$(mktemp -d)
  chmod 755 "$WORK"
  trap 'rm -rf "$WORK"' EXIT
  deb=$("$here/../../scripts/package" "$build" "$WORK" 2>/dev/null | tail -1)
  [ -s "$deb" ] || fail "no package built"
  note "$(basename "$deb"): $(du -k "$deb" | cut -f1) kB"
  lint=$(lintian --fail-on error "$deb" 2>&1 | grep -v "root privileges" || true)
  lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian: $lint"
  note "lintian: ${lint:-clean}"
  dpkg -x "$deb" "$WORK/root"
  appstreamcli validate --no-net "$WORK"/root/usr/share/metainfo/*.metainfo.xml >/dev/null || fail "appstream metainfo"
  [ -L "$WORK/root/usr/games/gravlok" ] && [ -x "$WORK/root/usr/lib/games/gravlok/gravlok" ] || fail "no command"
  [ -s "$WORK/root/usr/share/icons/hicolor/256x256/apps/gravlok.png" ] || fail "no icon"
  desktop-file-validate "$WORK/root/usr/share/applications/gravlok.desktop" 2>/dev/null || true
  # The fonts the package depends on, where an install would have them.
  mkdir -p "$WORK/root/usr/share/wine" && ln -s /usr/share/wine/fonts "$WORK/root/usr/share/wine/fonts"
  [ -r "$WORK/root/usr/lib/games/gravlok/fonts/tahoma.ttf" ] || fail "the fonts link leads nowhere"
  chmod -R go-w "$WORK/root"
  QT_QPA_PLATFORM=xcb xvfb-run -a -n 51 -s "-screen 0 1024x768x24" "$0" --inside "$WORK" "$2"
  exit $?
fi
WORK=$2
WAVEPEAK=$3
start_wm
home=$WORK/home
mkdir -p "$home"
player=()
cp "${XAUTHORITY:-$HOME/.Xauthority}" "$WORK/xauth" 2>/dev/null && chmod 644 "$WORK/xauth"
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
  player=(runuser -u nobody --)  # root may write anywhere: play as somebody else
  chown nobody "$home"
fi
printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$WORK/out.wav" > "$WORK/alsoft.conf"
chmod 644 "$WORK/alsoft.conf"; touch "$WORK/out.wav"; chmod 666 "$WORK/out.wav"
(cd / && exec "${player[@]}" env HOME="$home" XDG_DATA_HOME= DISPLAY="$DISPLAY" XAUTHORITY="$WORK/xauth" QT_QPA_PLATFORM=xcb \
  ALSOFT_CONF="$WORK/alsoft.conf" "$WORK/root/usr/games/gravlok" >"$WORK/game.log" 2>&1) &
wait_for '[ -n "$(game_windows)" ]' 30 || fail "no window from the package's command: $(tail -3 "$WORK/game.log")"
data=$home/.local/share/gravlok
wait_for '[ -s "$data/GravlokFathers.txt" ] && [ -s "$data/GMirvax.ini" ]' 30 || fail "no files in the player's data folder"
[ ! -e "$WORK/root/usr/lib/games/gravlok/GMirvax.ini" ] || fail "wrote into the program folder"
wait_for '[ "$(stat -c %s "$WORK/out.wav")" -gt 400000 ]' 30 || fail "no sound written"
MAIN=$(game_windows | head -1)
eval "$(xdotool getwindowgeometry --shell "$MAIN")"
MX=$X MY=$Y
xdotool mousemove $((MX + 447)) $((MY + 13)) click 1
wait_for '[ -z "$(game_windows)" ]' 30 || fail "the close button did not end the game"
wait_for 'read -r f p < <("$WAVEPEAK" "$WORK/out.wav") && awk -v p="$p" "BEGIN { exit !(p > 0.01) }"' 10 || fail "the package's game is silent"
grep -q "$WORK/root/usr/lib/games/gravlok/Sound/bkgmusic.WAV" "$data/GMirvax.ini" || fail "the music is not the package's"
note "passed"
