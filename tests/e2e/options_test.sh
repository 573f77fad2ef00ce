#!/bin/bash
# Opens the details, ticks options and sets a count with the mouse and the
# keyboard, compares two real files, and checks the switches the comparer got
# and the report the viewer was given; holds Enter down; then opens About and
# closes it with Escape.
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

# A held key repeats: the count field takes every repeat of a held "1". A
# held Enter still compares once, and the next press once more, and so does
# Space held on Compare; each comparison leaves one report.
reports() { find "$SCRATCH/tmp" -name 'FC_*' | wc -l; }
hold() {
  xdotool keydown "$1"
  sleep 1.5  # past the server's delay before it repeats a key
  xdotool keyup "$1"
}
click_twips "$MAIN_WINDOW" 600 4670    # the mismatch count field
key ctrl+a
hold 1
hold Return
key Return
wait_for 20 test "$(reports)" -ge 3 || fail "Enter held and pressed again compared $(reports) times"
[ "$(reports)" = 3 ] || fail "Enter held and pressed again gave $(($(reports) - 1)) comparisons"
grep -q '^/LB111' "$SCRATCH/comparer-args" || fail "the held 1 did not repeat: $(cat "$SCRATCH/comparer-args")"
click_twips "$MAIN_WINDOW" 2497 1080   # the target field, then Tab to Compare
key Tab
hold space
key Return
wait_for 20 test "$(reports)" -ge 5 || fail "Space held and Enter compared $(($(reports) - 3)) times"
[ "$(reports)" = 5 ] || fail "Space held and Enter gave $(($(reports) - 3)) comparisons"

click_twips "$MAIN_WINDOW" 4550 120    # About...
about=$(xdotool search --sync --onlyvisible --name '^About Varnel$' | head -n1)
[ -n "$about" ] || fail "the About window did not appear"
xdotool windowfocus --sync "$about"
key Escape
wait_for 10 sh -c "! xdotool search --onlyvisible --name '^About Varnel\$' >/dev/null" ||
  fail "Escape did not close the About window"
kill -0 "$APP_PID" || fail "the window program has gone"
echo "PASS"
