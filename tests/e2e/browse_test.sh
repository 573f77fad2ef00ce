#!/bin/bash
# Chooses both files through the real file dialog, typing their names into
# its name box, then presses Compare with the mouse.
source "$(dirname "$0")/lib.sh" "$@"

start_x
prepare_programs
printf 'same\n' >"$SCRATCH/files/left.txt"
printf 'same\n' >"$SCRATCH/files/right.txt"
start_app

choose() {
  local button_x=$1 button_y=$2 title=$3 file=$4
  click_twips "$MAIN_WINDOW" "$button_x" "$button_y"
  local dialog
  dialog=$(xdotool search --sync --onlyvisible --name "^$title\$" | head -n1)
  [ -n "$dialog" ] || fail "the dialog '$title' did not appear"
  xdotool windowfocus --sync "$dialog"
  type_text "$file"
  key Return
  wait_for 10 sh -c "! xdotool search --onlyvisible --name '^$title\$' >/dev/null" ||
    fail "the dialog '$title' did not close"
}

choose 4140 480 "Source File" "$SCRATCH/files/left.txt"
choose 4140 1080 "Target File" "$SCRATCH/files/right.txt"
click_twips "$MAIN_WINDOW" 3540 1657   # Compare

wait_for 20 test -s "$SCRATCH/viewer-args" || fail "the viewer was never started"
expected=$(printf '%s\n' "$SCRATCH/files/left.txt" "$SCRATCH/files/right.txt")
[ "$(cat "$SCRATCH/comparer-args")" = "$expected" ] ||
  fail "the comparer got: $(cat "$SCRATCH/comparer-args")"
grep -q '^FC: no differences encountered$' "$(cat "$SCRATCH/viewer-args")" ||
  fail "the report does not say the files are the same"
echo "PASS"
