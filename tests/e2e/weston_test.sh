#!/bin/bash
# Starts the window program as a native Wayland client under a headless
# weston. Weston, like GNOME, leaves the window frame to the program, so Qt
# draws its own title bar and border around the client area. The program's
# Wayland requests show the title and the frame's size, a screenshot shows
# the window drawn, and the program must print nothing of its own.
source "$(dirname "$0")/lib.sh" "$@"
source "$(dirname "$0")/wayland_lib.sh"

prepare_programs
mkdir -p "$SCRATCH/run"
chmod 700 "$SCRATCH/run"
export XDG_RUNTIME_DIR="$SCRATCH/run" WAYLAND_DISPLAY=wayland-e2e
# --debug offers the screenshot protocol; --use-pixman draws what it shows.
weston --backend=headless-backend.so --use-pixman --debug --idle-time=0 --width=1280 \
  --height=1024 --socket="$WAYLAND_DISPLAY" >"$SCRATCH/weston.log" 2>&1 &
WL_PIDS+=($!)
wait_for 20 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ||
  fail "weston did not start: $(cat "$SCRATCH/weston.log")"

TMPDIR="$SCRATCH/tmp" PATH="$SCRATCH/path:$PATH" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client \
  "$SCRATCH/app/varnel" >"$SCRATCH/app.log" 2>&1 &
APP_PID=$!
WL_PIDS+=("$APP_PID")

# The frame's size, as "width height", once the window has answered the
# compositor's first configure.
frame_size() {
  sed -n 's/.*-> xdg_surface@[0-9]*\.set_window_geometry(0, 0, \([0-9]*\), \([0-9]*\))/\1 \2/p' \
    "$SCRATCH/app.log" | tail -n1
}
mapped() { [ -n "$(frame_size)" ]; }
wait_for 20 mapped || fail "the main window did not map"
grep -q 'set_title("Varnel File Compare")' "$SCRATCH/app.log" || fail "the window has no title"
read -r width height <<<"$(frame_size)"
# Qt's frame adds a few pixels at the sides and a title bar at the top.
((width >= 331 && width <= 331 + 20 && height >= 142 + 20 && height <= 142 + 60)) ||
  fail "the window maps at ${width} x ${height}, not at 331 x 142 inside a frame"

# Takes a screenshot and looks for the window face in it, over at least half
# of the client area (the fields and buttons take the rest).
window_in_screenshot() {
  rm -f "$SCRATCH"/wayland-screenshot*.png
  (cd "$SCRATCH" && weston-screenshooter >/dev/null 2>&1) || return 1
  /usr/bin/python3 - "$SCRATCH"/wayland-screenshot*.png <<'PY'
import sys
from PIL import Image
face = sum(1 for p in Image.open(sys.argv[1]).convert("RGB").getdata() if p == (239, 239, 239))
sys.exit(0 if face >= 331 * 142 // 2 else 1)
PY
}
wait_for 20 window_in_screenshot || fail "the screenshot does not show the window"
own=$(grep -v '^\[' "$SCRATCH/app.log" || true)
[ -z "$own" ] || fail "the program complained: $own"
echo "PASS"
