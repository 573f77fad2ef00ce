#!/bin/bash
# While the comparer runs, and when it fails: with stand-in comparers that
# are slow, die by a signal or hang, and a viewer that fails or is missing.
# Input given during a run is dropped, not delivered afterwards; a run that
# did not finish gives a box naming the report; where the viewer cannot show
# a report (the system's xdg-open with no handler for text, or none at all),
# the program's report window does, and outlives the main window; a report
# it cannot read either gives a box naming it; a close request ends the run
# and the window; and when the program ends, by
# SIGTERM or SIGKILL, no process of its run outlives it by five seconds. A
# long run shows in the task bar how far it has come through its files, below
# full until the comparer's last read even where a late change is found, and
# hides that when it ends. The full-disk case (a 64 KiB tmpfs as the temporary
# folder) needs root. The boxes are read through the accessibility bus, as a
# screen reader reads them, and the task bar's signals from the session bus.
if [ -z "${VARNEL_OWN_SESSION:-}" ]; then
  VARNEL_OWN_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh" "$@"

/usr/libexec/at-spi-bus-launcher --launch-immediately &
BUS_PID=$!
LISTENER_PID=""
stop_helpers() { kill "$BUS_PID" $LISTENER_PID 2>/dev/null || true; }
trap 'stop_helpers; cleanup' EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_x
prepare_programs
/usr/bin/python3 "$(dirname "$0")/task_bar_listener.py" "$SCRATCH/task-bar" "$SCRATCH/listening" &
LISTENER_PID=$!
wait_for 10 test -e "$SCRATCH/listening" || fail "the task-bar listener did not start"
touch "$SCRATCH/task-bar"
printf 'a\n' >"$SCRATCH/files/x.txt"
printf 'b\n' >"$SCRATCH/files/y.txt"

# The window's PATH holds only the scratch folder's programs.
STRACE=$(command -v strace) || fail "strace is needed to slow the comparer down"
# The comparer does as $SCRATCH/mode says: slow, segv, hang, read its two
# files slowly with read() before the real work, the real work slowed from
# outside (each of its reads held up a tenth of a second), or the real work.
cat >"$SCRATCH/app/fc" <<SH
#!/bin/sh
echo "\$\$" >>"$SCRATCH/runs"
printf '%s\n' "\$@" >"$SCRATCH/comparer-args"
read -r mode <"$SCRATCH/mode"
case \$mode in
  slow) /bin/sleep 2 ;;
  segv) echo "Comparing files"; echo "line 1"; kill -SEGV \$\$ ;;
  hang) exec /bin/sleep 600 ;;
  read) exec 3<"\$1" 4<"\$2"
        for _ in 1 2 3 4 5 6 7 8 9 10 11 12; do
          /bin/dd bs=1024 count=1 <&3 >/dev/null 2>&1
          /bin/dd bs=1024 count=1 <&4 >/dev/null 2>&1
          /bin/sleep 0.25
        done ;;
  traced) exec "$STRACE" -qq -o /dev/null -e inject=read,pread64:delay_enter=100000 \
            "$REAL_FC" "\$@" ;;
esac
exec "$REAL_FC" "\$@"
SH
viewer() {
  cat >"$SCRATCH/path/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$1" >>"$SCRATCH/viewer-calls"
exit $1
SH
  chmod +x "$SCRATCH/path/xdg-open"
}
viewer 0
mode() { echo "$1" >"$SCRATCH/mode"; }
count() { if [ -e "$1" ]; then wc -l <"$1"; else echo 0; fi; }
# Conditions for wait_for, which must look again at each try.
lines_above() { [ "$(count "$1")" -gt "$2" ]; }
height_is() { [ "$(window_height "$MAIN_WINDOW")" = "$1" ]; }
sleeping() { [ "$(cut -d' ' -f2 "/proc/$1/stat" 2>/dev/null)" = "(sleep)" ]; }
ended() { [ ! -e "/proc/$1/cmdline" ] || [ -z "$(cat "/proc/$1/cmdline" 2>/dev/null)" ]; }

full_disk=""
if [ "$(id -u)" = 0 ]; then
  mount -t tmpfs -o size=64k,mode=700 tmpfs "$SCRATCH/tmp"
  full_disk=1
  trap '[ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true; umount -l "$SCRATCH/tmp"
        stop_helpers; cleanup' EXIT
else
  echo "not root: the full-disk case is skipped, as it needs a tmpfs mounted"
fi

# Clicks a point of the main window given in twips. Unlike click_twips, it
# does not wait for the pointer to move, which never ends when it is there.
click_at() {
  xdotool mousemove --window "$MAIN_WINDOW" $(($1 / 15)) $(($2 / 15)) click 1
}
compare() { click_at 3540 1657; }
enter_files() {
  key Tab  # from the source browse button to the source field
  type_text "$1"
  key Tab
  type_text "$2"
}

# Waits for a box titled "File Compare" that says $1, reads its text into
# BOX_TEXT and closes it.
box_says() {
  local box
  box=$(timeout 20 xdotool search --sync --onlyvisible --name '^File Compare$' | head -n1) ||
    fail "no box appeared for: $1"
  BOX_TEXT=$(/usr/bin/python3 "$(dirname "$0")/accessible_names.py" --texts "File Compare")
  grep -qF -- "$1" <<<"$BOX_TEXT" || fail "the box does not say '$1': $BOX_TEXT"
  xdotool windowfocus --sync "$box"
  key Return
  box_gone() { ! xdotool search --onlyvisible --name '^File Compare$' >/dev/null; }
  wait_for 10 box_gone || fail "the box did not close"
}

# Waits for a report window whose title starts with $1 and reads its texts
# through the accessibility bus into REPORT_TEXT: its title, then each text
# area's name in brackets followed by the text it holds.
report_window_shows() {
  REPORT_WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --name "^$1 " | head -n1) ||
    fail "no report window appeared for $1"
  REPORT_TEXT=$(/usr/bin/python3 "$(dirname "$0")/accessible_names.py" --text "$1 ")
  # With no window manager every window opens at the screen's corner, over
  # the main window.
  xdotool windowmove --sync "$REPORT_WINDOW" 500 300
}

# Closes the report window from the keyboard, as its user would.
close_report_window() {
  xdotool windowfocus --sync "$REPORT_WINDOW"
  key Escape
  report_gone() { ! xdotool search --onlyvisible --name "^x.txt and y.txt " >/dev/null; }
  wait_for 10 report_gone || fail "Escape did not close the report window"
}

# The report that the box names, which must be one of this run's.
named_report() {
  local report
  report=$(sed -n 's/^Report file: //p' <<<"$BOX_TEXT")
  case "$report" in
    "$SCRATCH/tmp/FC_"*.txt) [ -f "$report" ] || fail "the box names no file: $report" ;;
    *) fail "the box names '$report', not a report in the temporary folder" ;;
  esac
  echo "$report"
}

# True when no live process is left in the process group $1.
group_gone() {
  cat /proc/[0-9]*/stat 2>/dev/null |
    awk -v group="$1" '{ sub(/.*\) /, ""); if ($3 == group && $1 != "Z") alive = 1 }
                       END { exit alive }'
}
gone_within_five_seconds() {
  local deadline=$(($(date +%s%N) + 5000000000))
  until group_gone "$1"; do
    [ "$(date +%s%N)" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}
# Starts a comparison with the hanging comparer; prints its process group.
start_hanging_run() {
  local before pid
  before=$(count "$SCRATCH/runs")
  mode hang
  compare
  wait_for 10 lines_above "$SCRATCH/runs" "$before" || fail "the comparer never started"
  pid=$(tail -n1 "$SCRATCH/runs")
  wait_for 10 sleeping "$pid" || fail "the comparer does not hang"
  sed 's/.*) //' "/proc/$pid/stat" | cut -d' ' -f3
}

# Types the paths $1 and $2 over the texts of the source and target fields.
fill_fields() {
  click_at 2497 480  # the source field
  key ctrl+a
  type_text "$1"
  key Tab ctrl+a
  type_text "$2"
}

# The task bar's signals, "<entry> <progress> <visible>", after the first $1.
signals_since() { tail -n +"$(($1 + 1))" "$SCRATCH/task-bar"; }
shown_since() { signals_since "$1" | grep -q ' true$'; }
hidden_since() { signals_since "$1" | tail -n1 | grep -q ' false$'; }
# Compares $1 and $2, the comparer in mode $3, waits up to $4
# seconds for the report and for the progress to be hidden, and prints the
# progress recorded; $signals is where this run's signals begin.
compare_recording_progress() {
  fill_fields "$1" "$2"
  viewers=$(count "$SCRATCH/viewer-calls")
  signals=$(count "$SCRATCH/task-bar")
  mode "$3"
  compare
  wait_for "$4" lines_above "$SCRATCH/viewer-calls" "$viewers" ||
    fail "the viewer was never started"
  wait_for 10 hidden_since "$signals" || fail "the progress was not hidden after the report"
  echo "recorded:" $(signals_since "$signals" | cut -d' ' -f2-3 | tr ' ' /)
}

# Asks window $1 to close, as a window manager's close button does.
request_close() {
  /usr/bin/python3 - "$1" <<'PY'
import sys
from Xlib import X, display, protocol
d = display.Display()
window = d.create_resource_object("window", int(sys.argv[1]))
window.send_event(protocol.event.ClientMessage(
    window=window, client_type=d.intern_atom("WM_PROTOCOLS"),
    data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
d.flush()
PY
}

# The viewer, and so the system's xdg-open, is found only in $SCRATCH/path.
start_app PATH="$SCRATCH/path"

echo "-- four presses and typing during a slow comparison: one run, one viewer"
mode slow
enter_files "$SCRATCH/files/x.txt" "$SCRATCH/files/y.txt"
key Return
wait_for 10 test -s "$SCRATCH/runs" || fail "the comparer never started"
click_at 1250 1670  # Details >>>
compare
xdotool click --repeat 2 --delay 200 1
type_text "zzz"
wait_for 20 test -s "$SCRATCH/viewer-calls" || fail "the viewer was never started"
[ "$(window_height "$MAIN_WINDOW")" = 142 ] || fail "the Details click acted during the comparison"
# Input is handled in order, so once this click has acted, anything held back
# from the run would have acted before it.
click_at 1250 1670
wait_for 10 height_is 356 ||
  fail "a click given during the comparison acted afterwards"
[ "$(count "$SCRATCH/runs")" = 1 ] || fail "four presses gave $(count "$SCRATCH/runs") comparisons"
[ "$(count "$SCRATCH/viewer-calls")" = 1 ] || fail "four presses gave more than one viewer"
mode real
compare
wait_for 20 lines_above "$SCRATCH/viewer-calls" 1 || fail "the next comparison gave no viewer"
diff <(printf '%s\n' "$SCRATCH/files/x.txt" "$SCRATCH/files/y.txt") "$SCRATCH/comparer-args" ||
  fail "text typed during the comparison reached a field"

echo "-- a comparer that dies by a signal: a box, no viewer"
mode segv
compare
box_says "The comparer was ended by signal SIGSEGV (Segmentation fault)."
grep -qxF "The comparison did not finish, so its report is incomplete." <<<"$BOX_TEXT" ||
  fail "the box does not say that the comparison did not finish: $BOX_TEXT"
[ "$(cat "$(named_report)")" = "$(printf 'Comparing files\nline 1')" ] ||
  fail "the box does not name the partial report"
[ "$(count "$SCRATCH/viewer-calls")" = 2 ] || fail "the viewer was started on a partial report"

echo "-- no viewer for plain text, as on a fresh desktop: the report window shows the report"
mode real
# The system's xdg-open, finding no handler in data folders and a mailcap of
# its own that name none, as on a desktop that has no text editor.
mkdir -p "$SCRATCH/no-handlers"
: >"$SCRATCH/no-handlers/mailcap"
cat >"$SCRATCH/path/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$1" >>"$SCRATCH/viewer-calls"
export XDG_DATA_HOME="$SCRATCH/no-handlers" XDG_DATA_DIRS="$SCRATCH/no-handlers"
export XDG_CONFIG_HOME="$SCRATCH/no-handlers" XDG_CONFIG_DIRS="$SCRATCH/no-handlers"
export MAILCAPS="$SCRATCH/no-handlers/mailcap" PATH=/usr/bin:/bin
unset BROWSER XDG_CURRENT_DESKTOP DESKTOP_SESSION
exec /usr/bin/xdg-open "\$@"
SH
viewers=$(count "$SCRATCH/viewer-calls")
compare
report_window_shows "x.txt and y.txt"
[ "$(count "$SCRATCH/viewer-calls")" = $((viewers + 1)) ] || fail "xdg-open was not tried first"
grep -qx '\[Report\]' <<<"$REPORT_TEXT" || fail "the report's text has no name: $REPORT_TEXT"
for line in "Comparing files $SCRATCH/files/x.txt and $SCRATCH/files/y.txt" \
            "***** $SCRATCH/files/x.txt" a "***** $SCRATCH/files/y.txt" b; do
  grep -qxF -- "$line" <<<"$REPORT_TEXT" || fail "the report window does not show '$line'"
done
report_path=$(grep -x "$SCRATCH/tmp/FC_.*\.txt" <<<"$REPORT_TEXT") ||
  fail "the report window does not name its file: $REPORT_TEXT"
cmp -s <(grep -v '^\[' <<<"$REPORT_TEXT" | sed -n '2,/^$/p') "$report_path" ||
  fail "the report window does not hold what the report file holds"
# The main window can be used at once: the Details button still switches.
click_at 1250 1670
wait_for 10 height_is 142 || fail "the main window does not react beside the report window"
click_at 1250 1670
wait_for 10 height_is 356 || fail "the main window does not react beside the report window"
close_report_window

echo "-- a viewer that is missing: the report window; a report it cannot read: a box"
rm "$SCRATCH/path/xdg-open"
compare
report_window_shows "x.txt and y.txt"
close_report_window
# A viewer that takes the report away before it fails leaves nothing to show.
cat >"$SCRATCH/path/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$1" >>"$SCRATCH/viewer-calls"
/bin/rm -f -- "\$1"
exit 4
SH
chmod +x "$SCRATCH/path/xdg-open"
compare
box_says "The report could not be opened: xdg-open ended with exit status 4 (the action failed)."
grep -qF "Nor could it be read to show it here: No such file or directory." <<<"$BOX_TEXT" ||
  fail "the box does not say why the report window could not show it: $BOX_TEXT"
grep -q "^Report file: $SCRATCH/tmp/FC_.*\.txt$" <<<"$BOX_TEXT" ||
  fail "the box does not name the report"
viewer 0

if [ -n "$full_disk" ]; then
  echo "-- a report that fills the disk: a box, no viewer"
  seq 1 20000 >"$SCRATCH/files/big-old.txt"
  seq 1 20000 | awk 'NR % 4 == 0 { $0 = $0 "x" } { print }' >"$SCRATCH/files/big-new.txt"
  viewers=$(count "$SCRATCH/viewer-calls")
  fill_fields "$SCRATCH/files/big-old.txt" "$SCRATCH/files/big-new.txt"
  compare
  box_says "No space left on device"
  grep -qxF "The comparer wrote:" <<<"$BOX_TEXT" || fail "the box does not quote the comparer"
  named_report >/dev/null
  [ "$(count "$SCRATCH/viewer-calls")" = "$viewers" ] || fail "the viewer was started"
  rm -f "$SCRATCH"/tmp/FC_*
fi

echo "-- a long comparison shows in the task bar how far it has come, then hides it"
seq 1 2400 >"$SCRATCH/files/long-old.txt"
seq 1 2400 | sed 's/00$/00x/' >"$SCRATCH/files/long-new.txt"
compare_recording_progress "$SCRATCH/files/long-old.txt" "$SCRATCH/files/long-new.txt" read 20
signals_since "$signals" | awk '
  $1 != "application://org.example.varnel.desktop" { print "a signal names " $1; bad = 1 }
  $3 == "true" {
    if ($2 < 0 || $2 > 1) { print "a progress out of 0..1: " $2; bad = 1 }
    if (shown && $2 < last) { print "the progress went back from " last " to " $2; bad = 1 }
    if (!shown++) first = $2
    last = $2
  }
  END { if (shown < 2 || last <= first) { print "the progress did not rise"; bad = 1 }; exit bad }' ||
  fail "the task bar did not show the progress as it should"

echo "-- a change near the end: the task bar shows how far the comparer has come, not full"
# The comparer reads each byte once, and its progress is the furthest place it
# has read in each file: with a change at 90%, which used to make it read the
# files again, the task bar stays below full until its last read. Each read
# is held up for a tenth of a second, so the window samples it many times.
# A comparer that read the files again, or kept no offsets, fails here.
seq 1 600000 >"$SCRATCH/files/late-old.txt"
seq 1 600000 | sed '540000s/$/x/' >"$SCRATCH/files/late-new.txt"
compare_recording_progress "$SCRATCH/files/late-old.txt" "$SCRATCH/files/late-new.txt" traced 30
grep -qx '540000x' "$(tail -n1 "$SCRATCH/viewer-calls")" || fail "the report misses the change"
# After its last read the comparer only finds the files' ends and writes the
# report, less than one sampling apart: only the last value shown may be full.
signals_since "$signals" | awk '
  $3 == "true" { shown[++n] = $2 }
  END {
    if (n < 4) { print "only " n + 0 " progress values were shown"; exit 1 }
    highest = 0
    for (k = 1; k < n; ++k) {
      if (shown[k] >= 1) { print "full at value " k " of " n; bad = 1 }
      if (shown[k] > highest) highest = shown[k]
    }
    if (highest < 0.5) { print "the progress stayed at " highest " before the end"; bad = 1 }
    exit bad
  }' || fail "the task bar showed full before the comparer read its last bytes"

echo "-- a close request during a hanging comparison ends the run and the window"
viewers=$(count "$SCRATCH/viewer-calls")
signals=$(count "$SCRATCH/task-bar")
group=$(start_hanging_run)
wait_for 10 shown_since "$signals" || fail "the task bar never showed the hanging comparison"
request_close "$MAIN_WINDOW"
gone_within_five_seconds "$group" || fail "the run outlived the close request by five seconds"
wait_for 10 hidden_since "$signals" || fail "the progress was not hidden after the close"
wait_for 10 ended "$APP_PID" ||
  fail "the program did not end with its window"
[ "$(count "$SCRATCH/viewer-calls")" = "$viewers" ] || fail "the viewer was started"
wait "$APP_PID" 2>/dev/null || true
APP_PID=""

echo "-- closing the main window leaves a report window open; the program ends with the last"
start_app PATH="$SCRATCH/path"
enter_files "$SCRATCH/files/x.txt" "$SCRATCH/files/y.txt"
rm "$SCRATCH/path/xdg-open"
mode real
compare
report_window_shows "x.txt and y.txt"
request_close "$MAIN_WINDOW"
main_gone() { ! xdotool search --onlyvisible --name '^Varnel File Compare$' >/dev/null; }
wait_for 10 main_gone || fail "the main window did not close"
sleep 0.5
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended while its report window was open"
xdotool search --onlyvisible --name "^x.txt and y.txt " >/dev/null ||
  fail "the report window closed with the main window"
xdotool windowfocus --sync "$REPORT_WINDOW"
key ctrl+w
wait_for 10 ended "$APP_PID" || fail "the program did not end with its last window"
wait "$APP_PID" 2>/dev/null || true
APP_PID=""
viewer 0

for signal in TERM KILL; do
  echo "-- SIG$signal to the program during a hanging comparison ends the run"
  start_app PATH="$SCRATCH/path"
  enter_files "$SCRATCH/files/x.txt" "$SCRATCH/files/y.txt"
  group=$(start_hanging_run)
  kill -s "$signal" "$APP_PID"
  gone_within_five_seconds "$group" || fail "the run outlived SIG$signal of the program by five seconds"
  { wait "$APP_PID" || true; } 2>/dev/null
  APP_PID=""
done
echo "PASS"
