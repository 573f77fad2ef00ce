#!/bin/bash
# Runs the window program as a native Wayland client under a headless sway,
# with both windows floating as on a desktop: types two file names with a
# virtual keyboard, presses Enter, checks the comparison, then opens About
# from the keyboard and closes it with Escape; where the viewer then fails,
# the report window maps with the report tinted, and Escape closes it. The compositor's window tree
# and screenshots show that each window maps at its size. The program must
# say nothing on the way: the X11-only requests are not made here.
source "$(dirname "$0")/lib.sh" "$@"
source "$(dirname "$0")/wayland_lib.sh"

prepare_programs
source_file="$SCRATCH/files/old draft's \$(v1).txt"
target_file="$SCRATCH/files/new;draft & co.txt"
printf 'alpha\nbeta\ngamma\n' >"$source_file"
printf 'alpha\nBETA\ngamma\n' >"$target_file"
make_user

cat >"$SCRATCH/sway.conf" <<'CONF'
output * resolution 1280x1024
xwayland disable
for_window [title="^Varnel File Compare$"] floating enable
for_window [title="^About Varnel$"] floating enable
CONF
as_user_in_background "$SCRATCH/sway.log" WLR_BACKENDS=headless WLR_RENDERER=pixman \
  WLR_LIBINPUT_NO_DEVICES=1 sway -c "$SCRATCH/sway.conf"
wait_for 20 compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock" >/dev/null ||
  fail "sway did not start: $(cat "$SCRATCH/sway.log")"
SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock")
wait_for 20 compgen -G "$XDG_RUNTIME_DIR/wayland-*[0-9]" >/dev/null || fail "sway has no socket"
WAYLAND_DISPLAY=$(basename "$(compgen -G "$XDG_RUNTIME_DIR/wayland-*[0-9]" | head -n1)")

# The headless seat has no devices, so a client gets no keyboard. A virtual
# keyboard held open for the whole test gives the seat one; each wtype below
# then types through the keyboard that the program already has.
as_user_in_background /dev/null wtype -s 3600000
has_keyboard() { as_user swaymsg -t get_seats | grep -q '"capabilities": [1-9]'; }
wait_for 20 has_keyboard || fail "the seat has no keyboard"

# The floating windows as "title|width x height of the client area|focus",
# and the client area of one window on the screen as grim takes it.
windows() {
  as_user swaymsg -r -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node):
    if node.get("pid"):
        r = node["window_rect"]
        print("%s|%dx%d|%s" % (node["name"], r["width"], r["height"],
                               "focused" if node["focused"] else "-"))
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))'
}
client_area() {
  as_user swaymsg -r -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node):
    if node.get("name") == sys.argv[1] and node.get("pid"):
        r, w = node["rect"], node["window_rect"]
        print("%d,%d %dx%d" % (r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"]))
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        walk(child)
walk(json.load(sys.stdin))' "$1"
}
shown() { windows | grep -qxF "$1"; }
wl_type() { as_user wtype "$@"; }

start_wayland_app
wait_for 20 shown "Varnel File Compare|331x142|focused" ||
  fail "the main window did not map at 331 x 142: $(windows)"
as_user grim -g "$(client_area 'Varnel File Compare')" "$SCRATCH/main.png"
expect_window_drawn "$SCRATCH/main.png" "main window"

wl_type -k Tab  # from the source browse button to the source field
wl_type -- "$source_file"
wl_type -k Tab
wl_type -- "$target_file"
wl_type -k Return
wait_for 20 test -s "$SCRATCH/viewer-args" || fail "the viewer was never started"
report=$(cat "$SCRATCH/viewer-args")
case "$report" in
  "$SCRATCH/tmp/FC_"*.txt) ;;
  *) fail "the viewer got '$report', not a report in the temporary folder" ;;
esac
grep -q '^BETA$' "$report" || fail "the report does not show the changed line"
diff <(printf '%s\n' "$source_file" "$target_file") "$SCRATCH/comparer-args" ||
  fail "the comparer did not get exactly the two file names"

# Back from the target field past the source field and its browse button to
# About, which is last in the tab order.
wl_type -M shift -k Tab -k Tab -k Tab -m shift -k space
wait_for 20 shown "About Varnel|382x209|focused" || fail "About did not map at 382 x 209: $(windows)"
as_user grim -g "$(client_area 'About Varnel')" "$SCRATCH/about.png"
expect_window_drawn "$SCRATCH/about.png" "About window"
wl_type -k Escape
about_gone() { ! windows | grep -q '^About Varnel|'; }
wait_for 20 about_gone || fail "Escape did not close About: $(windows)"
shown "Varnel File Compare|331x142|focused" || fail "the main window is not back: $(windows)"

# Where the desktop has no viewer for text, the report window shows the
# report: from About, Tab wraps round to the source field, where Enter
# compares again.
printf '#!/bin/sh\nexit 3\n' >"$SCRATCH/path/xdg-open"
wl_type -k Tab -k Tab -k Return
report_title="old draft's \$(v1).txt and new;draft & co.txt "
report_shown() { windows | grep -qF "$report_title"; }
wait_for 20 report_shown || fail "no report window mapped: $(windows)"
report_window=$(windows | grep -F "$report_title" | cut -d'|' -f1)
wait_for 10 as_user grim -g "$(client_area "$report_window")" "$SCRATCH/report.png" ||
  fail "the report window cannot be shot"
/usr/bin/python3 - "$SCRATCH/report.png" <<'PY' || fail "the report window shows no tinted report"
import sys
from PIL import Image
pixels = set(Image.open(sys.argv[1]).convert("RGB").getdata())
warm = any(r > b + 20 for r, g, b in pixels)
cool = any(b > r + 20 for r, g, b in pixels)
sys.exit(0 if warm and cool and len(pixels) > 10 else 1)
PY
wl_type -k Escape
report_gone() { ! report_shown; }
wait_for 20 report_gone || fail "Escape did not close the report window: $(windows)"
expect_quiet_app
echo "PASS"
