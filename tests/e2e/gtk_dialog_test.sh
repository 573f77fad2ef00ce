#!/bin/bash
# Chooses files through the desktop's own file dialog, the GTK one that Qt
# hands the choosers to under the GTK platform theme: Ctrl+L, the full path,
# Enter. Names without an extension must reach the comparer exactly as chosen,
# on either side.
source "$(dirname "$0")/lib.sh" "$@"

start_x
prepare_programs
files=$SCRATCH/files
printf 'one\n' >"$files/README"
printf 'two\n' >"$files/with blank"
printf 'three\n' >"$files/notes.txt"
# The trap the dialog must not fall into: a name with the default extension
# added beside the one chosen.
printf 'wrong\n' >"$files/README.txt"
export QT_QPA_PLATFORMTHEME=gtk3
start_app

choose() {
  local button_x=$1 button_y=$2 title=$3 file=$4
  click_twips "$MAIN_WINDOW" "$button_x" "$button_y"
  local dialog
  dialog=$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -n1) || true
  [ -n "$dialog" ] || fail "the dialog '$title' did not appear"
  xprop -id "$dialog" WM_WINDOW_ROLE | grep -q GtkFileChooserDialog ||
    fail "the dialog '$title' is not the GTK file chooser"
  timeout 10 xdotool windowfocus --sync "$dialog" || fail "the dialog '$title' took no focus"
  key ctrl+l
  type_text "$file"
  key Return
  wait_for 10 sh -c "! xwininfo -id $dialog 2>/dev/null | grep -q 'Map State: IsViewable'" ||
    fail "the dialog '$title' did not close"
}

# Chooses both files and compares them; the comparer must get exactly those.
compare_pair() {
  local source=$1 target=$2
  rm -f "$SCRATCH/comparer-args" "$SCRATCH/viewer-args"
  choose 4140 480 "Source File" "$source"
  choose 4140 1080 "Target File" "$target"
  click_twips "$MAIN_WINDOW" 3540 1657   # Compare
  wait_for 20 test -s "$SCRATCH/viewer-args" ||
    fail "no comparison for '$source' and '$target': $(cat "$SCRATCH/app.log")"
  [ "$(cat "$SCRATCH/comparer-args")" = "$(printf '%s\n' "$source" "$target")" ] ||
    fail "the comparer got: $(cat "$SCRATCH/comparer-args")"
}

compare_pair "$files/README" "$files/with blank"
compare_pair "$files/with blank" "$files/notes.txt"
compare_pair "$files/notes.txt" "$files/README"
echo "PASS"
