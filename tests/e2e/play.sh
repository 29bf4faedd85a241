#!/usr/bin/env bash
# The installed game started in an empty folder and played with real key
# presses: the default files appear, the keys move the figure, Esc pauses and
# minimises, restoring stays paused, drops fill the well until the game is
# over, a name goes into the table, the new-game question is answered both
# ways, and the files left behind are checked.
#   tests/e2e/play.sh BUILD_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

if [ "${1:-}" != --inside ]; then
  outside "${1:?usage: play.sh BUILD_DIR}" 91 1024x768x24
  exit $?
fi
WORK=$2
GAME=$WORK/game

note "first start in an empty folder"
start_game "$GAME"
wait_for '[ -s "$GAME/GMirvax.ini" ] && [ -s "$GAME/GravlokFathers.txt" ]' || fail "the default files did not appear"
[ "$(cat "$GAME/GravlokFathers.txt")" = "$(printf 'Plumo\r\n0\r')" ] || fail "default table: $(od -c "$GAME/GravlokFathers.txt")"
[ "$(wc -l < "$GAME/GMirvax.ini")" -eq 59 ] || fail "default settings: $(wc -l < "$GAME/GMirvax.ini") lines"
# The default file names the music by "...", the program's own folder.
[ "$(sed -n 14p "$GAME/GMirvax.ini" | tr -d '\r')" = "..." ] || fail "default music path: $(sed -n 14p "$GAME/GMirvax.ini")"

note "the shape lets clicks through its gaps; the caption strip drags the window"
root=$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')
under() { xdotool mousemove $((MX + $1)) $((MY + $2)); eval "$(xdotool getmouselocation --shell)"; echo "$WINDOW"; }
wait_for '[ "$(under 275 300)" -eq $((root)) ]' 10 || fail "the gap between the well and the score panel is not the desktop"
wait_for '[ "$(under 20 540)" -eq $((root)) ]' 10 || fail "the gap left of the control panel is not the desktop"
wait_for '[ "$(under 100 200)" -ne $((root)) ]' 10 || fail "the well is not the game's"
xdotool mousemove $((MX + 150)) $((MY + 12)) mousedown 1 sleep 0.2 mousemove $((MX + 180)) $((MY + 30)) \
  sleep 0.2 mousemove $((MX + 210)) $((MY + 52)) sleep 0.2 mouseup 1
dragged() { eval "$(xdotool getwindowgeometry --shell "$MAIN")"; [ "$X,$Y" = "$((MX + 60)),$((MY + 40))" ]; }
wait_for dragged 10 || fail "dragging the strip moved the window to $X,$Y from $MX,$MY"
MX=$X MY=$Y
xdotool windowactivate --sync "$MAIN" 2>/dev/null || true
grab_well fresh

note "keys move the figure"
key_to_main Left Left Left
wait_for 'grab_well moved; [ "$(differ fresh moved)" -gt 0 ]' 60 || fail "Left did not move the figure"

note "Esc pauses and minimises; restoring stays paused"
grab panel_playing 60 507 145 81
key_to_main Escape
wait_for '[ "$(wm_state)" = Iconic ]' 60 || fail "Esc did not minimise (state $(wm_state))"
xdotool windowmap "$MAIN"
xdotool windowactivate --sync "$MAIN" 2>/dev/null || true
wait_for '[ "$(wm_state)" = Normal ]' 60 || fail "the window did not come back"
# The big red "Pause" in place of the control panel (its buttons take a
# colour of the game's choosing, red too, so the panel's change counts).
paused_label() {
  grab panel 60 507 145 81
  red=$(share_of panel 'rgb(255,0,0)')
  changed=$(differ panel_playing panel)
  awk -v r="$red" -v c="$changed" 'BEGIN { exit !(r > 0.01 && c > 1000) }'
}
wait_for paused_label 60 || fail "no Pause label after restoring (red share $red, $changed pixels changed)"
# The well drawn again after the restore, then watched for two seconds.
drawn_again() { grab_well paused0 && sleep 0.5 && grab_well paused1 && [ "$(differ paused0 paused1)" -eq 0 ]; }
wait_for drawn_again 60 || fail "the well kept changing after the restore"
sleep 2
grab_well paused2
[ "$(differ paused1 paused2)" -eq 0 ] || fail "the figure moved during the pause"

note "Esc resumes"
# The key goes to the main window once the restored window holds the
# keyboard; a fall step then shows within two steps of 1.5 s, or as long as
# a loaded machine takes.
key_to_main Escape
wait_for 'grab_well running; [ "$(differ paused2 running)" -gt 0 ]' 60 || fail "the figure did not fall after Esc"
[ "$(wm_state)" = Normal ] || fail "resuming minimised the window"

note "drop until the game is over, give a name, play again"
q=$(drop_until_question) || fail "no end of game after many drops"
question_active || fail "the name window does not have the keyboard"
fixed_dialog_frame "$q" "the name window"
# The Cyrillic name is pasted (xdotool types letters outside the keyboard's
# layout by borrowing a key for each, which a loaded machine can lose).
printf 'Игрок' | xclip -selection clipboard
xdotool key ctrl+v
xdotool key Return
wait_for '[ -n "$(question_window)" ] && [ "$(question_window)" != "'"$q"'" ]' 30 || fail "no new-game question"
wait_for 'iconv -f CP1251 -t UTF-8 "$GAME/GravlokFathers.txt" | grep -q "Игрок"' 20 || fail "the name is not in the table: $(od -c "$GAME/GravlokFathers.txt" | head -3)"
head -c 5 "$GAME/GravlokFathers.txt" | cmp -s - <(printf 'Игрок' | iconv -f UTF-8 -t CP1251) \
  || fail "the first row is not the name in Windows-1251: $(head -c 12 "$GAME/GravlokFathers.txt" | od -c)"
question_active || fail "the new-game question does not have the keyboard"
fixed_dialog_frame "$(question_window)" "the new-game question"
xdotool key Return  # Yes: a new game
wait_for '[ -z "$(question_window)" ]' 20 || fail "the question stayed open"
# The new game's well is empty below the first rows.
convert "$WORK/fresh.png" -crop 233x233+0+200 +repage "$WORK/fresh_low.png"
empty_again() {
  grab_well again
  convert "$WORK/again.png" -crop 233x233+0+200 +repage "$WORK/again_low.png"
  [ "$(differ fresh_low again_low)" -eq 0 ]
}
wait_for empty_again 20 || fail "the new game did not start with an empty well"

note "second game over, answered No"
drop_until_question >/dev/null || fail "no second end of game"
question_active || fail "the second name window does not have the keyboard"
xdotool type --delay 60 "Second"
xdotool key Return
wait_for '[ -n "$(question_window)" ]' 30 || fail "no second new-game question"
question_active || fail "the second new-game question does not have the keyboard"
xdotool key Tab Return  # No
wait_for '! kill -0 $GAME_PID' 30 || fail "the game did not end after No"
wait "$GAME_PID" || fail "the game ended with code $?"

note "the files left behind"
table=$(iconv -f CP1251 -t UTF-8 "$GAME/GravlokFathers.txt")
rows=$(tr -cd '\n' < "$GAME/GravlokFathers.txt" | wc -c)
[ "$rows" -eq 6 ] || fail "the table has $rows lines: $table"
printf '%s' "$table" | grep -q "Second" || fail "the second name is missing"
[ "$(tail -2 "$GAME/GravlokFathers.txt" | tr -d '\r' | tr '\n' '|')" = "Plumo| 0 |" ] || fail "the default row is not last"
[ "$(grep -c $'\r$' "$GAME/GravlokFathers.txt")" -eq 6 ] || fail "the table lines do not end in CR LF"
extra=$(ls -A "$GAME" | grep -vxE 'gravlok|gravlok-launcher|gravlok.desktop|gravlok.png|fonts|sound|Sound|GMirvax.ini|GravlokFathers.txt|GravlokFathers.txt.lock' || true)
[ -z "$extra" ] || fail "left in the folder: $extra"
note "passed"
