#!/usr/bin/env bash
# A record saved while another user holds the shared hall of fame (a flock on
# its folder, which read access allows): the game says so at once, asks past
# its bound, and a retry after the holder let go saves the record. The
# session ending in such a wait with a real SIGTERM: let go within the grace, the record is in the table;
# held on, the record waits in the player's own folder and the next start
# puts it in the table once, also when two copies start together; where the
# data folder cannot take it, the spare folder does and the standard error
# says so.
#   tests/e2e/records.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

if [ "${1:-}" != --inside ]; then
  outside "${1:?usage: records.sh BUILD_DIR}" 93 1024x768x24
  exit $?
fi
WORK=$2
GAME=$WORK/game
export XDG_DATA_HOME=$WORK/data
PENDING=$XDG_DATA_HOME/gravlok/GravlokPending.txt
TABLE=$GAME/GravlokFathers.txt

# The folder held by another user where one can be had, else by this one.
INODE=$(stat -c %i "$GAME")
held() { grep -qE "^[0-9]+: FLOCK +ADVISORY +WRITE +[0-9]+ [0-9a-f]+:[0-9a-f]+:$INODE " /proc/locks; }
hold_folder() {
  local as=()
  if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then as=(runuser -u nobody --); fi
  # In a session of its own, so that letting go ends all of it; its output
  # kept from the test's.
  setsid "${as[@]}" flock -x "$GAME" sleep "$1" </dev/null >/dev/null 2>&1 &
  HOLDER=$!
  wait_for held 10 ||
    fail "the folder could not be held"
}
let_go() {
  kill -TERM -- "-$HOLDER" 2>/dev/null || true
  wait_for '! held' 10 || fail "the folder is still held"
}
rows_named() { iconv -f CP1251 -t UTF-8 "$TABLE" | tr -d '\r' | grep -cx "$1" || true; }

# Plays until the name question, gives NAME while the folder is held for
# SECONDS, and ends the game with SIGTERM half a second into the save's wait.
end_in_the_wait() {
  drop_until_question >/dev/null || fail "no end of game after many drops"
  question_active || fail "the name window does not have the keyboard"
  xdotool type --delay 60 "$1"
  hold_folder "$2"
  xdotool key Return
  wait_for '[ -z "$(question_window)" ]' 20 || fail "the name window stayed open"
  sleep 0.5  # into the wait: the moment the session ends is the case itself
  kill -TERM "$GAME_PID"
}

note "held for 90 s: a note at once, the question past the bound, a retry saves"
start_game "$GAME"
drop_until_question >/dev/null || fail "no end of game after many drops"
question_active || fail "the name window does not have the keyboard"
name_window=$(question_window)
xdotool type --delay 60 Patient
hold_folder 90
xdotool key Return
wait_for '[ -n "$(question_window)" ] && [ "$(question_window)" != "$name_window" ]' 15 ||
  fail "nothing said the hall of fame is busy"
busy_note=$(question_window)
[ "$(rows_named Patient)" -eq 0 ] || fail "the held table was written"
wait_for '[ -n "$(question_window)" ] && [ "$(question_window)" != "$busy_note" ]' 90 || fail "no question past the bound"
let_go
question_active || fail "the retry question does not have the keyboard"
xdotool key Return  # Повторить
wait_for '[ "$(rows_named Patient)" -eq 1 ]' 20 || fail "the retry did not save the record"
wait_for '[ -n "$(question_window)" ]' 20 || fail "no new-game question after the retry"
question_active || fail "the new-game question does not have the keyboard"
xdotool key Tab Return  # No
wait_for '! kill -0 $GAME_PID' 30 || fail "the game did not end after No"

note "SIGTERM 0.5 s into a wait of 3 s: the record is saved before the game ends"
launch_game "$GAME"
end_in_the_wait Early 3
wait_for '! kill -0 $GAME_PID' 20 || fail "the game did not end after SIGTERM"
[ "$(rows_named Early)" -eq 1 ] || fail "the record is not in the table: $(iconv -f CP1251 -t UTF-8 "$TABLE" | tr '\r\n' '  ')"
[ ! -e "$PENDING" ] || fail "a record saved was also kept for later"
let_go

note "SIGTERM into a long wait: the record is kept for the next start"
launch_game "$GAME"
end_in_the_wait Later 600
start=$SECONDS
wait_for '! kill -0 $GAME_PID' 30 || fail "the game did not end after SIGTERM"
((SECONDS - start <= 15)) || fail "the game took $((SECONDS - start)) s to end"
[ -s "$PENDING" ] || fail "no record kept: $(ls -la "$XDG_DATA_HOME/gravlok" 2>&1)"
[ "$(rows_named Later)" -eq 0 ] || fail "the held table was written"
let_go

note "two copies start together: the kept record lands once"
(cd / && exec "$GAME/gravlok" >>"$GAME.log" 2>&1) &
a=$!
(cd / && exec "$GAME/gravlok" >>"$GAME.log" 2>&1) &
b=$!
wait_for '[ ! -e "$PENDING" ] && [ "$(rows_named Later)" -ge 1 ]' 30 || fail "the kept record did not land"
wait_for '[ "$(game_windows | wc -l)" -ge 2 ]' 30 || fail "the two copies did not both start"
[ "$(rows_named Later)" -eq 1 ] || fail "the kept record landed $(rows_named Later) times"
[ "$(rows_named Early)" -eq 1 ] && [ "$(rows_named Patient)" -eq 1 ] || fail "an earlier record went"
kill -TERM $a $b
wait_for '! kill -0 '$a' && ! kill -0 '$b 20 || fail "the two copies did not end"
[ "$(rows_named Later)" -eq 1 ] || fail "the kept record is there $(rows_named Later) times after the ends"
note "SIGTERM into a long wait with no data folder: the record waits in the spare folder, said on stderr"
SPARE=/var/tmp/gravlok-$(id -u)
rm -rf "$SPARE"
rm -rf "$XDG_DATA_HOME/gravlok"
echo "a file where the data folder belongs" >"$XDG_DATA_HOME/gravlok"
launch_game "$GAME"
end_in_the_wait Spare 600
wait_for '! kill -0 $GAME_PID' 30 || fail "the game did not end after SIGTERM"
grep -q "Spare" "$SPARE/GravlokPending.txt" || fail "no record kept in the spare folder: $(ls -la "$SPARE" 2>&1)"
grep -q "рекорд «Spare» (.*) не записан.*$SPARE/GravlokPending.txt" "$GAME.log" || fail "the standard error did not say where the record waits"
let_go
rm "$XDG_DATA_HOME/gravlok"
launch_game "$GAME"
wait_for '[ "$(rows_named Spare)" -eq 1 ]' 30 || fail "the record kept in the spare folder did not land"
[ ! -e "$SPARE/GravlokPending.txt" ] || fail "the spare folder still keeps the record"
kill -TERM "$GAME_PID"
wait_for '! kill -0 $GAME_PID' 20 || fail "the game did not end"
rm -rf "$SPARE"
note "passed"
