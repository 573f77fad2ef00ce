#!/bin/bash
# Tries the package as a new user gets it. Makes a fresh, minimal Debian root
# from the package mirror that this machine's apt uses, installs the package
# there with apt-get (which has to pull in everything the program needs, so
# recommended packages are left out), then starts the installed window inside
# that root on a private X server outside it, types two file names with blanks
# in them, presses Compare, and checks the report that the installed comparer
# wrote and a stand-in viewer was given.
#
# Too slow for CI (it downloads Qt into the new root); run it by hand, as
# root, from the top of the tree after
#   cmake --build build --target package
# Usage: tools/fresh_root_test.sh [varnel_<version>_<arch>.deb]
#
# mmdebstrap runs the test as a hook while the root's /proc, /sys and /dev are
# mounted, and removes the root and its mounts when the hook has ended.
set -euo pipefail

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
    sleep 0.2
  done
}

# --- inside the hook: $1 is the new root, $2 the package --------------------
scratch=""
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  [ -n "$scratch" ] && rm -rf "$scratch"
}

run_in_root() {
  local root=$1 deb=$2
  scratch=$(mktemp -d)
  trap cleanup EXIT

  echo "== apt-get install ./$(basename "$deb") in the new root"
  mkdir -p "$root/srv/packages"
  cp "$deb" "$root/srv/packages/"
  chmod -R a+rX "$root/srv/packages"
  chroot "$root" /usr/bin/env DEBIAN_FRONTEND=noninteractive /bin/sh -c \
    "cd /srv/packages && apt-get install -y -q --no-install-recommends ./$(basename "$deb")" |
    grep -E '^([0-9]+ upgraded|E:|Setting up (varnel|libqt6(core|gui|widgets)6|qt6-qpa-plugins|xdg-utils|fonts-liberation2)[: ])' || true
  chroot "$root" dpkg-query -W -f='${Package} ${Version} ${db:Status-Abbrev}\n' varnel
  [ -x "$root/usr/bin/varnel" ] || fail "the package did not install /usr/bin/varnel"
  [ -x "$root/usr/libexec/varnel/fc" ] || fail "the package did not install the comparer"

  echo "== two files with blanks in their names, and a stand-in viewer"
  local files="/root/My documents" reports=/tmp/varnel-reports
  mkdir -p "$root$files" "$root$reports" "$root/opt/stand-in"
  printf 'alpha\nbeta\ngamma\n' >"$root$files/old draft.txt"
  printf 'alpha\nBETA\ngamma\n' >"$root$files/new draft.txt"
  # Records the report it is given, in place of the desktop's viewer.
  cat >"$root/opt/stand-in/xdg-open" <<'SH'
#!/bin/sh
printf '%s\n' "$@" >/tmp/viewer-args
SH
  chmod 755 "$root/opt/stand-in/xdg-open"
  rm -f "$root/tmp/viewer-args"

  echo "== the installed window on Xvfb"
  # Xvfb stays outside; the window inside reaches it through the server's
  # abstract socket, which a chroot does not hide.
  Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$scratch/display" 2>/dev/null &
  xvfb_pid=$!
  wait_for 20 test -s "$scratch/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$scratch/display")"

  chroot "$root" /usr/bin/env -i DISPLAY="$DISPLAY" HOME=/root TMPDIR="$reports" \
    PATH=/opt/stand-in:/usr/bin:/bin QT_QPA_PLATFORM=xcb LANG=C.UTF-8 \
    /usr/bin/varnel >"$scratch/app.log" 2>&1 &
  app_pid=$!
  local window
  window=$(xdotool search --sync --onlyvisible --name '^Varnel File Compare$' | head -n1)
  [ -n "$window" ] || fail "the main window did not appear: $(cat "$scratch/app.log")"
  xdotool windowfocus --sync "$window"
  xdotool key --delay 20 Tab  # from the source browse button to the source field
  xdotool type --delay 5 -- "$files/old draft.txt"
  xdotool key --delay 20 Tab
  xdotool type --delay 5 -- "$files/new draft.txt"
  xdotool key --delay 20 Return

  wait_for 30 test -s "$root/tmp/viewer-args" ||
    fail "the viewer was never started: $(cat "$scratch/app.log")"
  local report
  report=$(cat "$root/tmp/viewer-args")
  echo "the viewer was given $report"
  case "$report" in
    "$reports/FC_"*.txt) ;;
    *) fail "'$report' is not a report in the temporary folder" ;;
  esac
  echo "---- report"
  cat "$root$report"
  echo "----"
  grep -q '^Comparing files' "$root$report" || fail "the report holds no comparison"
  grep -qi 'old draft' "$root$report" || fail "the report names no source file"
  grep -q '^BETA$' "$root$report" || fail "the report does not show the changed line"
  kill -0 "$app_pid" || fail "the window program has gone"
  echo "PASS: the installed program compared two files in a fresh root"
}

if [ "${1:-}" = "--in-root" ]; then
  run_in_root "$2" "$3"
  exit
fi

# --- outside: check the tools, then make the root ---------------------------
[ "$(id -u)" -eq 0 ] || fail "run this as root: it makes a chroot"
deb=${1:-}
if [ -z "$deb" ]; then
  shopt -s nullglob
  debs=(build/varnel_*.deb)
  [ ${#debs[@]} -eq 1 ] || fail "give the package, or build exactly one with: cmake --build build --target package"
  deb=${debs[0]}
fi
[ -f "$deb" ] || fail "no package at $deb"
deb=$(realpath "$deb")

missing=""
for tool in mmdebstrap:mmdebstrap Xvfb:xvfb xdotool:xdotool; do
  command -v "${tool%%:*}" >/dev/null || missing="$missing ${tool#*:}"
done
if [ -n "$missing" ]; then
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi

# The same suite and mirror as this machine's own apt.
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
mirrors=()
for sources in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
  [ -f "$sources" ] && grep -q '^[^#]' "$sources" && mirrors+=("$sources")
done

echo "== a fresh $suite root from the package mirror"
started=$SECONDS
mmdebstrap --variant=apt --mode=root --format=null --quiet \
  --customize-hook="\"$(realpath "$0")\" --in-root \"\$1\" \"$deb\"" \
  "$suite" /dev/null "${mirrors[@]}"
echo "== done in $((SECONDS - started)) s"
