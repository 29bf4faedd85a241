#!/usr/bin/env bash
# The Debian package as the players of one computer meet it. The package of
# the commit before the shared table (1.0.0, a table per account) is built
# and installed, one account makes a record with it; this package is built
# from debian/ (lintian and appstreamcli check it) and installed over it.
# Then: that record is in the shared table once; two more accounts, not in
# the group games, end games and both records are in
# /var/games/gravlok/GravlokFathers.txt, the second game reading the table
# the first one wrote; each running game holds the player's own group four
# times; no account can append to the table, remove it or put a file beside
# it; a library preloaded or a plugin folder set by a player gets no group
# and no write but a valid record; the music sounds. A removal keeps the
# table, a purge takes it.
#   tests/e2e/package.sh BUILD_DIR WAVEPEAK
# Runs as root: it installs the packages and makes three accounts, and
# takes both away again.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
# The last commit whose package kept a table per account.
OLD_COMMIT=26206d9
USERS=(gravlok-e2e-a gravlok-e2e-b gravlok-e2e-c)
SHARED=/var/games/gravlok
TABLE=$SHARED/GravlokFathers.txt

[ "$(id -u)" -eq 0 ] || { echo "package.sh: needs root (it installs the package); skipped"; exit 0; }

cleanup() {
  apt-get purge -y -qq gravlok >/dev/null 2>&1 || true
  for u in "${USERS[@]}"; do id "$u" >/dev/null 2>&1 && userdel -r "$u" >/dev/null 2>&1; done
  true
}

if [ "${1:-}" != --inside ]; then
  build=${1:?usage: package.sh BUILD_DIR WAVEPEAK}
  WORK=$(mktemp -d)
  chmod 755 "$WORK"
  trap 'rc=$?; cleanup; [ $rc -eq 0 ] || tail -5 "$WORK"/*.log 2>/dev/null | sed "s/^/log: /" >&2; rm -rf "$WORK"' EXIT
  cleanup
  src=$(cd "$here/../.." && pwd)
  git -C "$src" cat-file -e "$OLD_COMMIT^{commit}" 2>/dev/null || fail "no commit $OLD_COMMIT to build the earlier package from"
  mkdir "$WORK/old"
  git -C "$src" archive "$OLD_COMMIT" | tar -x -C "$WORK/old"
  old=$("$WORK/old/scripts/package" "" "$WORK" 2>"$WORK/old-package.log" | tail -1)
  [ -s "$old" ] || fail "the earlier package was not built"
  new=$("$here/../../scripts/package" "$build" "$WORK" 2>"$WORK/package.log" | tail -1)
  [ -s "$new" ] || fail "no package built"
  note "$(basename "$new"): $(du -k "$new" | cut -f1) kB, over $(basename "$old")"
  lint=$(lintian --fail-on error,warning "$new" 2>&1 | grep -v "root privileges" || true)
  lintian --fail-on error,warning "$new" >/dev/null 2>&1 || fail "lintian: $lint"
  note "lintian: ${lint:-no error, no warning}"
  dpkg -x "$new" "$WORK/unpacked"
  appstreamcli validate --no-net "$WORK"/unpacked/usr/share/metainfo/*.metainfo.xml >/dev/null || fail "appstream metainfo"
  desktop-file-validate "$WORK/unpacked/usr/share/applications/gravlok.desktop" 2>/dev/null || true
  [ "$(stat -c '%a %U %G' "$WORK/unpacked/usr/lib/games/gravlok/gravlok-table")" = "2755 root games" ] ||
    fail "the writer is $(stat -c '%a %U %G' "$WORK/unpacked/usr/lib/games/gravlok/gravlok-table")"
  [ ! -u "$WORK/unpacked/usr/lib/games/gravlok/gravlok" ] && [ ! -g "$WORK/unpacked/usr/lib/games/gravlok/gravlok" ] ||
    fail "the game itself holds a privilege"
  QT_QPA_PLATFORM=xcb xvfb-run -a -n 51 -s "-screen 0 1024x768x24" "$0" --inside "$WORK" "$2" "$old" "$new"
  exit $?
fi
WORK=$2
WAVEPEAK=$3
OLD=$4
NEW=$5
start_wm
cp "${XAUTHORITY:-$HOME/.Xauthority}" "$WORK/xauth" 2>/dev/null && chmod 644 "$WORK/xauth"
for u in "${USERS[@]}"; do useradd -m -U -s /bin/sh "$u" || fail "no account $u"; done
id -nG gravlok-e2e-b | grep -qw games && fail "a player is in the group games"

# Starts the installed game as USER with ENV... set: GAME_PID is the game.
play_as() {
  local user=$1 home
  shift
  home=$(getent passwd "$user" | cut -d: -f6)
  (cd / && exec runuser -u "$user" -- env -i HOME="$home" DISPLAY="$DISPLAY" XAUTHORITY="$WORK/xauth" PATH=/usr/bin:/bin \
    QT_QPA_PLATFORM=xcb "$@" /usr/games/gravlok >>"$WORK/$user.log" 2>&1) &
  wait_for '[ -n "$(game_windows)" ]' 30 || fail "no window for $user: $(tail -3 "$WORK/$user.log")"
  MAIN=$(game_windows | head -1)
  GAME_PID=$(xdotool getwindowpid "$MAIN")
  eval "$(xdotool getwindowgeometry --shell "$MAIN")"
  MX=$X MY=$Y
}
# Plays until the name question, gives NAME, answers No to a new game.
end_game_as() {
  drop_until_question >/dev/null || fail "no end of game after many drops"
  question_active || fail "the name window does not have the keyboard"
  xdotool type --delay 60 "$1"
  xdotool key Return
  wait_for '[ -n "$(question_window)" ]' 30 || fail "no new-game question after the name"
  question_active || fail "the new-game question does not have the keyboard"
  xdotool key Tab Return  # No
  wait_for '! kill -0 '"$GAME_PID" 30 || fail "the game did not end after No"
}
quit_game() {
  xdotool mousemove $((MX + 447)) $((MY + 13)) click 1
  wait_for '! kill -0 '"$GAME_PID" 30 || fail "the game did not end after its close button"
}
rows_named() { iconv -f CP1251 -t UTF-8 "$1" | tr -d '\r' | grep -cx "$2" || true; }
# A table as the game writes it: pairs of lines, every second one a number.
valid_table() { iconv -f CP1251 -t UTF-8 "$1" | tr -d '\r' | awk 'NR % 2 == 0 && $0 !~ /^ *-?[0-9.E+]+ *$/ {bad = 1} END {exit bad || NR % 2}'; }
# The four group ids of a process (real, effective, saved, file system).
groups_of() { sed -n 's/^Gid:\t*//p' "/proc/$1/status" | tr -s '\t ' ' '; }
players_groups() { local g; g=$(id -g "$1"); echo "$g $g $g $g"; }

note "1.0.0: a record in the account's own table"
apt-get install -y -qq "$OLD" >/dev/null 2>&1 || fail "the earlier package did not install"
play_as gravlok-e2e-a
end_game_as Veteran
own=/home/gravlok-e2e-a/.local/share/gravlok/GravlokFathers.txt
[ "$(rows_named "$own" Veteran)" -eq 1 ] || fail "the earlier version kept no record of its own"
cp "$own" "$WORK/own-before"

note "this package over it: the shared folder, the writer"
apt-get install -y -qq "$NEW" >/dev/null 2>&1 || fail "the package did not install over the earlier one"
[ "$(stat -c '%a %U %G' $SHARED)" = "755 root games" ] || fail "the folder is $(stat -c '%a %U %G' $SHARED)"
[ "$(stat -c '%a %U %G' $TABLE)" = "664 root games" ] || fail "the table is $(stat -c '%a %U %G' $TABLE)"

note "the earlier record joins the shared table once"
play_as gravlok-e2e-a
wait_for '[ "$(rows_named $TABLE Veteran)" -eq 1 ]' 30 || fail "the earlier record did not join: $(cat -v $TABLE)"
quit_game
play_as gravlok-e2e-a
quit_game
[ "$(rows_named $TABLE Veteran)" -eq 1 ] || fail "the earlier record is there $(rows_named $TABLE Veteran) times"
cmp -s "$own" "$WORK/own-before" || fail "the account's own table was changed"

note "two accounts end games; the second reads the first's record; their own groups only"
printf '[general]\ndrivers = wave\n[wave]\nfile = %s\n' "$WORK/out.wav" > "$WORK/alsoft.conf"
chmod 644 "$WORK/alsoft.conf"; touch "$WORK/out.wav"; chmod 666 "$WORK/out.wav"
play_as gravlok-e2e-b ALSOFT_CONF="$WORK/alsoft.conf"
[ "$(groups_of "$GAME_PID")" = "$(players_groups gravlok-e2e-b)" ] || fail "the game holds the groups $(groups_of "$GAME_PID")"
wait_for '[ "$(stat -c %s "$WORK/out.wav")" -gt 400000 ]' 30 || fail "no sound written"
end_game_as Bravo
[ "$(rows_named $TABLE Bravo)" -eq 1 ] || fail "Bravo's record is not in the shared table"
wait_for 'read -r f p < <("$WAVEPEAK" "$WORK/out.wav") && awk -v p="$p" "BEGIN { exit !(p > 0.01) }"' 10 || fail "the package's game is silent"
# The second game, traced where the system lets a tracer run: it reads the
# shared table, with Bravo's record in it, and no table of its own.
traced=()
if strace -qq -o /dev/null true 2>/dev/null; then traced=(strace -f -qq -e trace=openat -o "$WORK/trace"); fi
(cd / && exec "${traced[@]}" runuser -u gravlok-e2e-c -- env -i HOME=/home/gravlok-e2e-c DISPLAY="$DISPLAY" \
  XAUTHORITY="$WORK/xauth" PATH=/usr/bin:/bin QT_QPA_PLATFORM=xcb /usr/games/gravlok >>"$WORK/gravlok-e2e-c.log" 2>&1) &
wait_for '[ -n "$(game_windows)" ]' 60 || fail "no window for the second game"
MAIN=$(game_windows | head -1)
GAME_PID=$(xdotool getwindowpid "$MAIN")
eval "$(xdotool getwindowgeometry --shell "$MAIN")"
MX=$X MY=$Y
if [ ${#traced[@]} -gt 0 ]; then
  grep -q "\"$TABLE\", O_RDONLY" "$WORK/trace" || fail "the second game did not read the shared table"
  grep -q "/home/gravlok-e2e-c/.local/share/gravlok/GravlokFathers.txt\"" "$WORK/trace" &&
    fail "the second game read a table of its own"
else
  note "no tracer here: which table the second game read is not traced"
fi
[ "$(groups_of "$GAME_PID")" = "$(players_groups gravlok-e2e-c)" ] || fail "the game holds the groups $(groups_of "$GAME_PID")"
end_game_as Charlie
[ "$(rows_named $TABLE Bravo)" -eq 1 ] && [ "$(rows_named $TABLE Charlie)" -eq 1 ] &&
  [ "$(rows_named $TABLE Veteran)" -eq 1 ] || fail "a record is missing: $(iconv -f CP1251 -t UTF-8 $TABLE | tr '\r\n' '  ')"
[ ! -e /home/gravlok-e2e-b/.local/share/gravlok/GravlokFathers.txt ] || fail "a table of the player's own was written"

note "no account changes the table but through a game's save"
as_b() { runuser -u gravlok-e2e-b -- sh -c "$1" 2>/dev/null; }
before=$(md5sum < $TABLE)
as_b "echo Forged >> $TABLE" && fail "an account appended to the table"
as_b "rm -f $TABLE; test ! -e $TABLE" && fail "an account removed the table"
as_b "touch $SHARED/planted" && fail "an account put a file beside the table"
as_b "printf 'Forged\n1\n' > $SHARED/x; mv $SHARED/x $TABLE" && fail "an account replaced the table"
[ "$(md5sum < $TABLE)" = "$before" ] || fail "the table changed"

note "a preloaded library and a plugin folder get no group and no write but a valid record"
mkdir -p "$WORK/evil/platforms"
cat > "$WORK/evil.c" <<EOF
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>
__attribute__((constructor)) static void evil(void) {
  FILE* log = fopen("$WORK/evil/said", "a");
  if (!log) return;
  int fd = open("$TABLE", O_WRONLY | O_APPEND);
  fprintf(log, "egid %d append %s create %s\n", (int)getegid(), fd >= 0 && write(fd, "Evil\r\n", 6) == 6 ? "WROTE" : "refused",
          open("$SHARED/evil", O_CREAT | O_WRONLY, 0666) >= 0 ? "MADE" : "refused");
  unsetenv("LD_PRELOAD");
  int junk = system("printf 'Evil\\\\t\\\\n1\\\\n' | /usr/lib/games/gravlok/gravlok-table >/dev/null");
  fprintf(log, "junk record %s\n", junk == 0 ? "SAVED" : "refused");
  fclose(log);
}
EOF
cc -shared -fPIC -o "$WORK/evil/libevil.so" "$WORK/evil.c" || fail "the test library did not build"
cp "$WORK/evil/libevil.so" "$WORK/evil/platforms/libqevil.so"
touch "$WORK/evil/said"
chmod -R a+rwX "$WORK/evil"
games=$(getent group games | cut -d: -f3)
runuser -u gravlok-e2e-b -- env LD_PRELOAD="$WORK/evil/libevil.so" /usr/lib/games/gravlok/gravlok-table <<<$'Preload\n5' >/dev/null ||
  fail "the writer refused a valid record with a library preloaded"
grep -q "egid $games" "$WORK/evil/said" 2>/dev/null && fail "a preloaded library ran in the writer with the group"
[ "$(rows_named $TABLE Preload)" -eq 1 ] || fail "the valid record was not written"
: > "$WORK/evil/said"
chmod 666 "$WORK/evil/said"
play_as gravlok-e2e-b LD_PRELOAD="$WORK/evil/libevil.so" QT_PLUGIN_PATH="$WORK/evil"
[ "$(groups_of "$GAME_PID")" = "$(players_groups gravlok-e2e-b)" ] || fail "the game holds the groups $(groups_of "$GAME_PID")"
quit_game
grep -q "egid $(id -g gravlok-e2e-b) append refused create refused" "$WORK/evil/said" ||
  fail "the preloaded library in the game: $(cat "$WORK/evil/said")"
grep -q "junk record refused" "$WORK/evil/said" || fail "the writer took a junk record: $(cat "$WORK/evil/said")"
grep -q "WROTE\|MADE\|SAVED" "$WORK/evil/said" && fail "the preloaded library wrote: $(cat "$WORK/evil/said")"
[ ! -e "$SHARED/evil" ] && [ ! -e "$SHARED/planted" ] || fail "a file was put beside the table"
valid_table $TABLE || fail "the table is no longer a valid table: $(cat -v $TABLE)"

note "remove keeps the table, purge takes it"
apt-get remove -y -qq gravlok >/dev/null 2>&1 || fail "remove failed"
[ "$(rows_named $TABLE Charlie)" -eq 1 ] || fail "remove took the table"
apt-get purge -y -qq gravlok >/dev/null 2>&1 || fail "purge failed"
[ ! -e $SHARED ] || fail "purge left $SHARED"
note "passed"
