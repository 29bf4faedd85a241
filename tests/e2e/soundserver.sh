#!/usr/bin/env bash
# The desktop's sound server as a player meets it: started after the game,
# and restarted during it. The effects (the key presses' sounds) and the
# music are heard each time, without starting the game again.
#   tests/e2e/soundserver.sh BUILD_DIR WAVEPEAK
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

if [ "${1:-}" != --inside ]; then
  command -v pulseaudio >/dev/null && command -v parecord >/dev/null || { echo "pulseaudio is missing (scripts/setup)"; exit 1; }
  outside "${1:?usage: soundserver.sh BUILD_DIR WAVEPEAK}" 77 1024x768x24 "${2:?}"
  exit $?
fi
WORK=$2
WAVEPEAK=$3
GAME=$WORK/game
start_wm

# A server of its own on a socket the game is told of; the game's client
# never starts one itself.
mkdir -p "$WORK/pulse/run" "$WORK/pulse/home" && chmod 700 "$WORK/pulse/run"
SOCK=$WORK/pulse/native
printf 'autospawn = no\n' > "$WORK/pulse/client.conf"
export PULSE_SERVER=unix:$SOCK PULSE_CLIENTCONFIG=$WORK/pulse/client.conf ALSOFT_DRIVERS=pulse
server_up() {
  XDG_RUNTIME_DIR=$WORK/pulse/run HOME=$WORK/pulse/home pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --disallow-exit -L "module-null-sink sink_name=out" \
    -L "module-native-protocol-unix socket=$SOCK auth-anonymous=1" >>"$WORK/pulse.log" 2>&1 &
  SERVER=$!
  wait_for 'pactl info' 20 || fail "the sound server did not start: $(tail -3 "$WORK/pulse.log")"
}
# A failed check ends the test with the server still up: it goes too.
trap 'kill "${SERVER:-}" 2>/dev/null || true' EXIT
server_down() {
  kill "$SERVER"
  wait "$SERVER" 2>/dev/null || true
  wait_for '! pactl info' 20 || fail "the sound server did not end"
}
# Whether the game is heard within 40 s (a loaded machine starts a recorder
# slowly): the null sink's monitor recorded in slices of 2 s while `$1` (a
# command: key presses, or nothing) runs.
heard() {
  local i peak
  for i in $(seq 1 20); do
    rm -f "$WORK/rec.wav"
    timeout -s INT 2 parecord -d out.monitor --file-format=wav --rate=44100 --channels=2 "$WORK/rec.wav" &
    local rec=$!
    eval "$1"
    wait "$rec" 2>/dev/null || true
    read -r _ peak < <("$WAVEPEAK" "$WORK/rec.wav")
    awk -v p="$peak" 'BEGIN { exit !(p > 0.01) }' && return 0
  done
  return 1
}
presses() { local k; for k in 1 2 3 4; do xdotool key Left; sleep 0.2; xdotool key Right; sleep 0.2; done; }

note "effects: the server starts after the game, then is restarted during it"
launch_game "$GAME"
close_game
# No music this time: only the effects can be heard.
sed -i '14s|.*|/no/music/here.wav\r|' "$GAME/GMirvax.ini"
launch_game "$GAME"
xdotool key Left Right  # plays with no server: silence, the game goes on
server_up
heard presses || fail "the effects are not heard after the server started"
server_down
server_up
heard presses || fail "the effects are not heard after the server was restarted"
close_game
server_down

note "music: the server starts after the game, then is restarted during it"
sed -i '14s|.*|...\r|' "$GAME/GMirvax.ini"
launch_game "$GAME"
server_up
heard : || fail "the music is not heard after the server started"
# Played through the server's own interface: the game is its client, with
# a stream of its own for the music.
pactl list sink-inputs | grep -q 'application.name = "Gravlok"' || fail "the game is not a client of the server"
pactl list sink-inputs | grep -q 'media.name = "Music"' || fail "no music stream: $(pactl list sink-inputs)"
server_down
server_up
heard : || fail "the music is not heard after the server was restarted"
close_game
server_down
note "passed"
