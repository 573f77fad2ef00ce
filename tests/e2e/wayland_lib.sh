# Shared pieces of the Wayland end-to-end tests, on top of lib.sh: a
# throwaway user (sway will not run as root), a private runtime folder, and
# the window program started there as a native Wayland client.
# Usage: source lib.sh <varnel> <fc>; source wayland_lib.sh

WL_USER=""
WL_PIDS=()

stop_wayland() {
  local pid
  for pid in "${WL_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${WL_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  if [ -n "$WL_USER" ]; then userdel "$WL_USER" 2>/dev/null || true; fi
}
trap 'stop_wayland; cleanup' EXIT

# Removes the users that earlier runs, killed before they could, left behind:
# those whose run (the process named in the user's name) is gone and which
# run nothing any more.
remove_stale_users() {
  local name
  for name in $(getent passwd | cut -d: -f1 | grep -x 'varnel-e2e-[0-9]*'); do
    kill -0 "${name#varnel-e2e-}" 2>/dev/null && continue
    stat -c %U /proc/[0-9]* 2>/dev/null | grep -qxF "$name" && continue
    userdel "$name" 2>/dev/null || true
  done
}

# Makes a user for this run alone and hands the scratch folder to it.
make_user() {
  remove_stale_users
  WL_USER="varnel-e2e-$$"
  # Another run may hold the lock on the user database for a moment.
  wait_for 20 useradd --system --no-create-home --home-dir /nonexistent \
    --shell /usr/sbin/nologin "$WL_USER" 2>/dev/null || fail "could not add a user"
  mkdir -p "$SCRATCH/run" "$SCRATCH/home"
  chmod 700 "$SCRATCH/run"
  chown -R "$WL_USER:" "$SCRATCH"
  export XDG_RUNTIME_DIR="$SCRATCH/run"
}

# The command line that runs a command as the throwaway user, in a clean
# environment that holds only what a Wayland session passes on. setpriv and
# env replace themselves with the command, so the process started is the
# command's own. Sway takes even an empty SWAYSOCK as its socket's path, so
# the session's variables are passed only once they are known.
user_command() {
  USER_COMMAND=(setpriv --reuid="$WL_USER" --regid="$WL_USER" --clear-groups
    env -i PATH="$SCRATCH/path:/usr/bin:/bin" HOME="$SCRATCH/home"
    XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" TMPDIR="$SCRATCH/tmp" LANG=C.UTF-8)
  [ -z "${WAYLAND_DISPLAY:-}" ] || USER_COMMAND+=(WAYLAND_DISPLAY="$WAYLAND_DISPLAY")
  [ -z "${SWAYSOCK:-}" ] || USER_COMMAND+=(SWAYSOCK="$SWAYSOCK")
}

as_user() {
  user_command
  "${USER_COMMAND[@]}" "$@"
}

# Starts something that runs until the test ends; its output goes to the
# file $1.
as_user_in_background() {
  local log=$1
  shift
  user_command
  "${USER_COMMAND[@]}" "$@" >"$log" 2>&1 &
  WL_PIDS+=($!)
}

# Starts the window program as a native Wayland client; its messages go to
# app.log, which must stay empty.
start_wayland_app() {
  as_user_in_background "$SCRATCH/app.log" QT_QPA_PLATFORM=wayland "$SCRATCH/app/varnel"
  APP_PID=${WL_PIDS[-1]}
}

expect_quiet_app() {
  [ ! -s "$SCRATCH/app.log" ] || fail "the program complained: $(cat "$SCRATCH/app.log")"
}

# Checks a screenshot of one window's client area: mostly the window face of
# Qt's own style, with text drawn on it.
expect_window_drawn() {
  local image=$1 what=$2
  /usr/bin/python3 - "$image" <<'PY' || fail "the $what does not show in the screenshot"
import sys
from collections import Counter
from PIL import Image
counts = Counter(Image.open(sys.argv[1]).convert("RGB").getdata())
face, covered = counts.most_common(1)[0]
sys.exit(0 if face == (239, 239, 239) and covered * 2 > sum(counts.values()) and len(counts) > 10 else 1)
PY
}
