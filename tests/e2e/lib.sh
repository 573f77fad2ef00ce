# Shared pieces of the end-to-end tests: a private X server, a scratch folder,
# a recording viewer, and a copy of the window program with a recording
# comparer beside it that hands on to the real one.
# Usage: source lib.sh <varnel> <fc>

set -euo pipefail

# The tests read the program's English texts, whatever languages the machine
# prefers; a test of another language names its own.
export LANGUAGE=en

VARNEL_BIN=$1
FC_BIN=$2
SCRATCH=$(mktemp -d)
# A runtime folder of each test's own: the accessibility bus puts its socket
# there, so that tests run side by side do not share, and end, one bus.
mkdir -m 700 "$SCRATCH/runtime"
export XDG_RUNTIME_DIR="$SCRATCH/runtime"
XVFB_PID=""
APP_PID=""

cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$SCRATCH"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Polls until the command succeeds, for at most $1 seconds.
wait_for() {
  local limit=$1
  shift
  local deadline=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# -noreset: without it the server resets whenever its last client leaves, as
# between two starts of the program, and refuses connections meanwhile.
start_x() {
  : >"$SCRATCH/display"
  Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp -noreset 9>"$SCRATCH/display" 2>/dev/null &
  XVFB_PID=$!
  wait_for 20 test -s "$SCRATCH/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$SCRATCH/display")"
}

# The window finds its comparer beside its own executable, so a copy of it in
# the scratch folder runs a comparer that records each call and then runs a
# copy of the real one, $REAL_FC; its translations go beside it as well.
# Everything the program runs is copied into the scratch folder, which
# another user can enter where the build tree may not be.
prepare_programs() {
  mkdir -p "$SCRATCH/app" "$SCRATCH/path" "$SCRATCH/tmp" "$SCRATCH/files" "$SCRATCH/comparer"
  cp "$VARNEL_BIN" "$SCRATCH/app/varnel"
  cp -r "$(dirname "$VARNEL_BIN")/translations" "$SCRATCH/app/"
  REAL_FC="$SCRATCH/comparer/fc"
  cp "$FC_BIN" "$REAL_FC"
  cat >"$SCRATCH/app/fc" <<SH
#!/bin/sh
printf '%s\n' "\$@" >"$SCRATCH/comparer-args"
exec "$REAL_FC" "\$@"
SH
  cat >"$SCRATCH/path/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$@" >"$SCRATCH/viewer-args"
SH
  chmod +x "$SCRATCH/app/fc" "$SCRATCH/path/xdg-open"
}

# Starts the program and waits for its window, titled $MAIN_TITLE where that
# is set; arguments of the form NAME=value are added to its environment, and
# those after "--" go to the program.
start_app() {
  local settings=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do settings+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  TMPDIR="$SCRATCH/tmp" PATH="$SCRATCH/path:$PATH" QT_QPA_PLATFORM=xcb \
    env "${settings[@]}" "$SCRATCH/app/varnel" "$@" >"$SCRATCH/app.log" 2>&1 &
  APP_PID=$!
  MAIN_WINDOW=$(xdotool search --sync --onlyvisible --name "^${MAIN_TITLE:-Varnel File Compare}\$" |
    head -n1)
  [ -n "$MAIN_WINDOW" ] || fail "the main window did not appear"
  xdotool windowfocus --sync "$MAIN_WINDOW"
}

# Types text into whatever has the focus, as key presses.
type_text() {
  xdotool type --delay 5 -- "$1"
}

key() {
  xdotool key --delay 20 "$@"
}

# Clicks at a point of a window given in twips, as the layout gives positions.
click_twips() {
  local window=$1 x=$2 y=$3
  xdotool mousemove --sync --window "$window" $((x / 15)) $((y / 15)) click 1
}

# The client height of a window, in pixels.
window_height() {
  xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p'
}
