#!/bin/bash
# Types two real file names, one of them awkward, into the window, presses
# Enter, and checks that the comparer ran on them into a private report that
# the viewer was then given.
source "$(dirname "$0")/lib.sh" "$@"

start_x
prepare_programs
source_file="$SCRATCH/files/old draft's \$(v1).txt"
target_file="$SCRATCH/files/new;draft & co.txt"
printf 'alpha\nbeta\ngamma\n' >"$source_file"
printf 'alpha\nBETA\ngamma\n' >"$target_file"
start_app

key Tab  # from the source browse button to the source field
type_text "$source_file"
key Tab
type_text "$target_file"
key Return

wait_for 20 test -s "$SCRATCH/viewer-args" || fail "the viewer was never started"
report=$(cat "$SCRATCH/viewer-args")
case "$report" in
  "$SCRATCH/tmp/FC_"*.txt) ;;
  *) fail "the viewer got '$report', not a report in the temporary folder" ;;
esac
[ "$(stat -c %a "$report")" = 600 ] || fail "the report is not private to its owner"
grep -q '^Comparing files' "$report" || fail "the report holds no comparison: $(cat "$report")"
grep -q '^BETA$' "$report" || fail "the report does not show the changed line"
diff <(printf '%s\n' "$source_file" "$target_file") "$SCRATCH/comparer-args" ||
  fail "the comparer did not get exactly the two file names"
kill -0 "$APP_PID" || fail "the window program has gone"
echo "PASS"
