#!/bin/bash
# Opens the details, ticks options and sets a count with the mouse and the
# keyboard, compares two real files, and checks the switches the comparer got
# and the report the viewer was given; then opens About and closes it with
# Escape.
source "$(dirname "$0")/lib.sh" "$@"

start_x
prepare_programs
printf 'one\ntwo\nthree\n' >"$SCRATCH/files/a.txt"
printf 'one\nTWO\nthree\nfour\n' >"$SCRATCH/files/b.txt"
start_app

key Tab
type_text "$SCRATCH/files/a.txt"
key Tab
type_text "$SCRATCH/files/b.txt"

click_twips "$MAIN_WINDOW" 1250 1670   # Details >>>
click_twips "$MAIN_WINDOW" 450 3356    # Display line numbers
click_twips "$MAIN_WINDOW" 450 3688    # Do not expand tabs
click_twips "$MAIN_WINDOW" 600 4670    # the mismatch count field
key ctrl+a
type_text "7"
key Return

wait_for 20 test -s "$SCRATCH/viewer-args" || fail "the viewer was never started"
expected=$(printf '%s\n' /N /T /LB7 "$SCRATCH/files/a.txt" "$SCRATCH/files/b.txt")
[ "$(cat "$SCRATCH/comparer-args")" = "$expected" ] ||
  fail "the comparer got: $(cat "$SCRATCH/comparer-args")"
report=$(cat "$SCRATCH/viewer-args")
grep -q '^ *2:  TWO$' "$report" || fail "the report shows no numbered line: $(cat "$report")"

click_twips "$MAIN_WINDOW" 4550 120    # About...
about=$(xdotool search --sync --onlyvisible --name '^About Varnel$' | head -n1)
[ -n "$about" ] || fail "the About window did not appear"
xdotool windowfocus --sync "$about"
key Escape
wait_for 10 sh -c "! xdotool search --onlyvisible --name '^About Varnel\$' >/dev/null" ||
  fail "Escape did not close the About window"
kill -0 "$APP_PID" || fail "the window program has gone"
echo "PASS"
