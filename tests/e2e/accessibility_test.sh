#!/bin/bash
# Reads both windows through the accessibility bus, as a screen reader does:
# every control must be announced by a name of its own, fields by their
# labels' texts and with their tooltips as descriptions. Then reads the main
# window and a prompt box of the program started on a German desktop.
if [ -z "${VARNEL_OWN_SESSION:-}" ]; then
  VARNEL_OWN_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh" "$@"

/usr/libexec/at-spi-bus-launcher --launch-immediately &
BUS_PID=$!
trap 'kill "$BUS_PID" 2>/dev/null || true; cleanup' EXIT

start_x
prepare_programs
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_app

read_window() {
  /usr/bin/python3 "$(dirname "$0")/accessible_names.py" "$1" ||
    fail "the window '$1' does not read as it should"
}

read_window "Varnel File Compare"
click_twips "$MAIN_WINDOW" 4552 127   # About...
read_window "About Varnel"

kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
MAIN_TITLE="Varnel Dateivergleich" start_app LANGUAGE= LC_ALL= LC_MESSAGES= LANG=de_DE.UTF-8
read_window "Varnel Dateivergleich"
click_twips "$MAIN_WINDOW" 3540 1657   # Compare, with both fields empty
timeout 20 xdotool search --sync --onlyvisible --name '^Dateivergleich$' >/dev/null ||
  fail "no prompt box titled in German"
prompt=$(/usr/bin/python3 "$(dirname "$0")/accessible_names.py" --texts "Dateivergleich")
[ "$prompt" = "Bitte geben Sie eine Quelldatei an" ] || fail "the prompt box read: $prompt"
echo "PASS"
