#!/bin/bash
# The ways in besides typing and browsing: files named on the command line
# (after "--" too, and with names that are not UTF-8), --help and --version,
# a refused command line, and files dragged from a GTK drag source onto the
# fields with real pointer events. What reaches the comparer shows what the
# fields held.
source "$(dirname "$0")/lib.sh" "$@"
DRAG_SOURCE="/usr/bin/python3 $(dirname "$0")/drag_source.py"

start_x
prepare_programs
files=$SCRATCH/files

# --help and --version answer on standard output, need no screen and open no
# window.
for option in --help -h --version; do
  DISPLAY= timeout 20 "$SCRATCH/app/varnel" $option >"$SCRATCH/out" 2>"$SCRATCH/err" ||
    fail "$option ended with status $?: $(cat "$SCRATCH/err")"
  [ ! -s "$SCRATCH/err" ] || fail "$option wrote on standard error: $(cat "$SCRATCH/err")"
done
[ "$(DISPLAY= "$SCRATCH/app/varnel" --version)" = "varnel $VARNEL_VERSION" ] ||
  fail "--version printed: $(DISPLAY= "$SCRATCH/app/varnel" --version)"
DISPLAY= "$SCRATCH/app/varnel" --help | head -n1 | grep -qx 'Usage: varnel \[SOURCE \[TARGET\]\]' ||
  fail "--help printed: $(DISPLAY= "$SCRATCH/app/varnel" --help)"

# A refused command line: the reason on standard error and status 2; with
# standard error in a file, nobody would read it there, so a box tells it too.
refuse() {
  local reason=$1
  shift
  "$SCRATCH/app/varnel" "$@" >/dev/null 2>"$SCRATCH/err" &
  APP_PID=$!
  local box status=0
  box=$(timeout 20 xdotool search --sync --onlyvisible --name '^File Compare$' | head -n1) || true
  [ -n "$box" ] || fail "no box for $*"
  xdotool windowfocus --sync "$box"
  key Return
  wait "$APP_PID" || status=$?
  APP_PID=""
  [ "$status" = 2 ] || fail "$* ended with status $status"
  grep -qF "varnel: $reason" "$SCRATCH/err" || fail "$* explained: $(cat "$SCRATCH/err")"
}
refuse "Unknown option 'bogus'." --bogus
refuse "Too many files: 3 given" a b c
# On a terminal the reason is read there, and no box waits for an answer.
status=0
timeout 20 script -qec "'$SCRATCH/app/varnel' --bogus" /dev/null >"$SCRATCH/out" || status=$?
[ "$status" = 2 ] || fail "--bogus on a terminal ended with status $status: $(cat "$SCRATCH/out")"

# Ends the program, and waits until the X server has taken its window away, so
# that the next start finds its own.
stop_app() {
  kill "$APP_PID"
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
  wait_for 10 sh -c "! xwininfo -id $MAIN_WINDOW >/dev/null 2>&1" || fail "the window stayed"
}

# Named relative to a working folder reached through a link: the paths keep
# the link and the "..", which leads out of where the link points.
mkdir -p "$files/real/deep/sub"
ln -s real/deep/sub "$files/link"
source_file="$files/real/deep/old file.txt"
target_file="$files/real/deep/sub/été.txt"
printf 'alpha\nbeta\n' >"$source_file"
printf 'alpha\nBETA\n' >"$target_file"
cd "$files/link"
start_app -- "../old file.txt" "été.txt"
cd - >/dev/null
key Return  # the focus waits on Compare
wait_for 20 test -s "$SCRATCH/comparer-args" || fail "Enter compared nothing: $(cat "$SCRATCH/app.log")"
[ "$(cat "$SCRATCH/comparer-args")" = "$(printf '%s\n' "$files/link/../old file.txt" "$files/link/été.txt")" ] ||
  fail "the comparer got: $(cat "$SCRATCH/comparer-args")"
stop_app

# Qt takes its own options before "--", and none after it, where a file
# named -platform is a file; a name that is not UTF-8 keeps its bytes.
cafe="$files/real/caf"$'\xe9'".txt"
printf 'gamma\n' >"$cafe"
printf 'delta\n' >"$files/real/-platform"
cd "$files/real"
start_app -- -platform xcb -- -platform "$(basename "$cafe")"
cd - >/dev/null
rm -f "$SCRATCH/comparer-args"
key Return
wait_for 20 test -s "$SCRATCH/comparer-args" || fail "Enter compared nothing: $(cat "$SCRATCH/app.log")"
[ "$(cat "$SCRATCH/comparer-args")" = "$(printf '%s\n' "$files/real/-platform" "$cafe")" ] ||
  fail "the comparer got: $(cat "$SCRATCH/comparer-args")"
stop_app

# With one file named, the target is typed next (in ASCII: xdotool types
# other letters by remapping keys, which the program may read before the map).
typed_file="$files/real/typed.txt"
printf 'alpha\nbeta\ngamma\n' >"$typed_file"
rm -f "$SCRATCH/comparer-args"
start_app -- "$source_file"
type_text "$typed_file"
key Return
wait_for 20 test -s "$SCRATCH/comparer-args" || fail "no comparison with one file named"
[ "$(cat "$SCRATCH/comparer-args")" = "$(printf '%s\n' "$source_file" "$typed_file")" ] ||
  fail "the comparer got: $(cat "$SCRATCH/comparer-args")"
stop_app

uri() {
  /usr/bin/python3 -c 'import pathlib, sys; print(pathlib.Path(sys.argv[1]).as_uri())' "$1"
}

# Drags the source's button onto a field of the main window, at a point given
# in twips, with the button held down over several steps, and releases it once
# the field has answered. The answer shows at the source only as a change of
# action, so a drag that the field should refuse first passes over the count
# field txtLB, which takes any text; the drag source must offer text then.
# While a comparison runs ("busy") no answer is waited for. Prints how the
# drag ended: "dropped" or "refused".
drag() {
  local x=$1 y=$2 expect=$3
  shift 3
  local result=$SCRATCH/drag-result
  : >"$result"
  $DRAG_SOURCE "$result" "$@" 2>>"$SCRATCH/drag.log" &
  local source_pid=$! window left top
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Drag source$' | head -n1) || true
  [ -n "$window" ] || fail "the drag source did not appear: $(cat "$SCRATCH/drag.log")"
  eval "$(xdotool getwindowgeometry --shell "$window" | sed -n 's/^X=/left=/p; s/^Y=/top=/p')"
  xdotool mousemove --sync $((left + 40)) $((top + 30)) mousedown 1
  for step in 10 30 60 100; do
    xdotool mousemove --sync $((left + 40 - step)) $((top + 30 - step))
  done
  if [ "$expect" = refused ]; then
    xdotool mousemove --sync --window "$MAIN_WINDOW" $((COUNT_FIELD_X / 15)) $((COUNT_FIELD_Y / 15))
    wait_for 20 grep -q '^action [1-9]' "$result" || fail "the count field took no text"
  fi
  xdotool mousemove --sync --window "$MAIN_WINDOW" $((x / 15 + 3)) $((y / 15 + 2))
  xdotool mousemove --sync --window "$MAIN_WINDOW" $((x / 15)) $((y / 15))
  if [ "$expect" = refused ]; then
    wait_for 20 grep -q '^action 0' "$result" || fail "the field did not answer"
  elif [ "$expect" = busy ]; then
    sleep 0.5  # a window that takes no input gives no answer to wait for
  else
    wait_for 20 grep -q '^action [1-9]' "$result" || fail "the field did not answer"
  fi
  xdotool mouseup 1
  wait_for 20 grep -q '^dropped\|^refused' "$result" || fail "the drag did not end"
  kill "$source_pid"
  wait "$source_pid" 2>/dev/null || true
  grep '^dropped\|^refused' "$result"
}
SOURCE_FIELD="2497 480"
TARGET_FIELD="2497 1080"
COUNT_FIELD_X=615
COUNT_FIELD_Y=4672

# Compares what the fields hold, and checks what reached the comparer.
compare_gives() {
  rm -f "$SCRATCH/comparer-args" "$SCRATCH/viewer-args"
  click_twips "$MAIN_WINDOW" 3540 1657  # Compare
  wait_for 20 test -s "$SCRATCH/viewer-args" || fail "no comparison: $(cat "$SCRATCH/app.log")"
  [ "$(cat "$SCRATCH/comparer-args")" = "$(printf '%s\n' "$@")" ] ||
    fail "the comparer got: $(cat "$SCRATCH/comparer-args")"
}

other_file=$typed_file
start_app
click_twips "$MAIN_WINDOW" 1252 1672  # Details, for the count field
wait_for 10 test "$(window_height "$MAIN_WINDOW")" = 356 || fail "no detailed view"
# A file as a URI list, and a file as plain text holding its URI: each
# field gets the plain path.
[ "$(drag $SOURCE_FIELD dropped text/uri-list="$(uri "$source_file")"$'\r\n')" = dropped ] ||
  fail "a URI list of one file was refused"
[ "$(drag $TARGET_FIELD dropped text/plain="$(uri "$target_file")"$'\n')" = dropped ] ||
  fail "plain text holding a file URI was refused"
compare_gives "$source_file" "$target_file"

# Other places are refused, and the fields keep what they held.
[ "$(drag $SOURCE_FIELD refused text/uri-list=$'sftp://host/home/me/old.txt\r\n' \
  text/plain='sftp://host/home/me/old.txt')" = refused ] || fail "an sftp URI was taken"
[ "$(drag $TARGET_FIELD refused \
  text/plain=$'https://example.org/a.txt\nhttps://example.org/b.txt\n')" = refused ] ||
  fail "plain text holding web URIs was taken"
compare_gives "$source_file" "$target_file"

# A dropped name that is not UTF-8 keeps its bytes too.
[ "$(drag $SOURCE_FIELD dropped text/uri-list="$(uri "$cafe")"$'\r\n')" = dropped ] ||
  fail "a file whose name is not UTF-8 was refused"
compare_gives "$cafe" "$target_file"

# Two files at once fill the source, then the target, wherever they land.
[ "$(drag $TARGET_FIELD dropped \
  text/uri-list="$(uri "$target_file")"$'\r\n'"$(uri "$other_file")"$'\r\n')" = dropped ] ||
  fail "two files were refused"
compare_gives "$target_file" "$other_file"

# Plain text that is no URI is dropped as text: into an emptied field, a path.
click_twips "$MAIN_WINDOW" $SOURCE_FIELD
key ctrl+a BackSpace
[ "$(drag $SOURCE_FIELD dropped text/plain="$source_file")" = dropped ] ||
  fail "plain text was refused"
compare_gives "$source_file" "$other_file"

# While a comparison runs the window takes no drop, then or later: the
# comparer here waits until the drag is over.
cat >"$SCRATCH/app/fc-waits" <<SH
#!/bin/sh
printf '%s\n' "\$@" >"$SCRATCH/comparer-args"
while [ ! -e "$SCRATCH/go" ]; do sleep 0.1; done
exec "$REAL_FC" "\$@"
SH
chmod +x "$SCRATCH/app/fc-waits"
mv "$SCRATCH/app/fc" "$SCRATCH/app/fc-quick"
mv "$SCRATCH/app/fc-waits" "$SCRATCH/app/fc"
rm -f "$SCRATCH/comparer-args" "$SCRATCH/viewer-args"
click_twips "$MAIN_WINDOW" 3540 1657  # Compare
wait_for 20 test -s "$SCRATCH/comparer-args" || fail "the comparison did not start"
[ "$(drag $SOURCE_FIELD busy text/uri-list="$(uri "$target_file")"$'\r\n')" = refused ] ||
  fail "a drop was taken during a comparison"
touch "$SCRATCH/go"
wait_for 20 test -s "$SCRATCH/viewer-args" || fail "the comparison did not end"
mv "$SCRATCH/app/fc-quick" "$SCRATCH/app/fc"
compare_gives "$source_file" "$other_file"
echo "PASS"
