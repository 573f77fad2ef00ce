#!/bin/bash
# While the comparer runs, a click on the Details toggle does nothing yet; it
# takes effect once the comparison has ended and the viewer has been started.
source "$(dirname "$0")/lib.sh" "$@"

start_x
prepare_programs
printf 'a\n' >"$SCRATCH/files/x.txt"
printf 'b\n' >"$SCRATCH/files/y.txt"
touch "$SCRATCH/slow"
start_app

key Tab
type_text "$SCRATCH/files/x.txt"
key Tab
type_text "$SCRATCH/files/y.txt"
key Return
wait_for 10 test -s "$SCRATCH/comparer-args" || fail "the comparer never started"

click_twips "$MAIN_WINDOW" 1250 1670   # Details >>>, while the comparer runs
sleep 0.5
[ -e "$SCRATCH/viewer-args" ] && fail "the viewer started while the comparer still ran"
[ "$(window_height "$MAIN_WINDOW")" = 142 ] || fail "the click acted during the comparison"

wait_for 20 test -s "$SCRATCH/viewer-args" || fail "the viewer was never started"
wait_for 10 test "$(window_height "$MAIN_WINDOW")" = 356 ||
  fail "the click given during the comparison was lost"
echo "PASS"
