#!/bin/bash
# Opens both windows under a dark and a light desktop theme, takes
# screenshots and measures every text's contrast against what is behind it
# from the pixels. Two dark themes: GTK's Adwaita dark through Qt's gtk3
# platform theme, and KDE's Breeze Dark colour scheme as Qt reads it from a
# KDE session's settings. The light one is Adwaita, where the About window's
# texts stay black.
source "$(dirname "$0")/lib.sh" "$@"
MEASURE="/usr/bin/python3 $(dirname "$0")/contrast.py"

start_x
prepare_programs

# Breeze Dark's colours, as a KDE session keeps them.
mkdir -p "$SCRATCH/breeze-dark"
cat >"$SCRATCH/breeze-dark/kdeglobals" <<'INI'
[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=252,252,252
[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252
[Colors:View]
BackgroundNormal=35,38,41
ForegroundNormal=252,252,252
ForegroundInactive=161,169,177
[Colors:Window]
BackgroundNormal=49,54,59
ForegroundNormal=252,252,252
ForegroundInactive=161,169,177
INI

# Takes a screenshot of a window once all its texts are drawn.
shoot() {
  local window=$1 kind=$2 image=$3
  import -window "$window" "$image" 2>/dev/null && $MEASURE painted "$kind" "$image"
}

# Runs the program under the theme that the environment ($@) selects, shows
# the detailed view with both file fields filled, then the About window, and
# measures both.
measure_theme() {
  local theme=$1 light=$2
  shift 2
  mkdir -p "$SCRATCH/$theme"
  start_app XDG_CONFIG_HOME="$SCRATCH/$theme" "$@"
  key Tab
  type_text "old.txt"
  key Tab
  type_text "new.txt"
  click_twips "$MAIN_WINDOW" 1252 1672  # Details
  wait_for 10 test "$(window_height "$MAIN_WINDOW")" = 356 || fail "$theme: no detailed view"
  wait_for 10 shoot "$MAIN_WINDOW" main "$SCRATCH/$theme-main.png" ||
    fail "$theme: the main window was not drawn"
  click_twips "$MAIN_WINDOW" 4552 127  # About...
  local about
  about=$(xdotool search --sync --onlyvisible --name '^About Varnel$' | head -n1)
  # With no window manager both windows open at the screen's corner; the
  # About window is moved clear of the main window before it is measured.
  xdotool windowmove --sync "$about" 700 500
  wait_for 10 shoot "$about" about "$SCRATCH/$theme-about.png" ||
    fail "$theme: the About window was not drawn"
  $MEASURE measure "$theme" "$SCRATCH/$theme-main.png" "$SCRATCH/$theme-about.png" $light ||
    fail "$theme: a text is hard to read"
  kill "$APP_PID"
  wait_for 10 bash -c "! kill -0 $APP_PID 2>/dev/null" || fail "$theme: the program did not end"
  APP_PID=""
}

measure_theme adwaita-dark "" QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
measure_theme breeze-dark "" XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5
measure_theme adwaita-light --light QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita
echo "PASS"
