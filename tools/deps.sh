#!/bin/sh
# Installs, with apt-get, whatever this Debian machine lacks to build the
# programs and run the window; with --tests, also what only the tests use
# (a private X server, a Wayland compositor, screenshots and their
# measurement, the accessibility bus, a GTK drag source, the package and
# desktop entry checkers, the sanitizer and fuzzer runtimes, strace to slow
# the comparer down from outside, and the locales that the window is tried
# in). Run as root (or through sudo). Installs nothing when everything is
# present.
set -eu

build="cmake ninja-build g++ pkg-config dpkg-dev file
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libqt6test6
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libgtest-dev libgmock-dev libicu-dev libxxhash-dev libxcb1-dev
  xdg-utils fontconfig fonts-liberation2 fonts-dejavu-core"

tests="clang libclang-rt-14-dev
  xvfb xdotool x11-utils imagemagick python3-pil python3-xlib
  weston sway wtype grim qt6-wayland
  dbus-daemon at-spi2-core python3-pyatspi qt6-gtk-platformtheme
  python3-gi gir1.2-gtk-3.0
  lintian appstream desktop-file-utils libglib2.0-bin strace
  python3 locales"

# The locales the tests run the window in, as the system names them.
test_locales="de_DE fr_FR es_ES"

case "${1:-}" in
  "") packages=$build; locales="" ;;
  --tests) packages="$build $tests"; locales=$test_locales ;;
  *) echo "usage: $0 [--tests]" >&2; exit 2 ;;
esac

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
missing_locales=""
for l in $locales; do
  locale -a 2>/dev/null | grep -qx "$l.utf8" || missing_locales="$missing_locales $l"
done
[ -z "$missing$missing_locales" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages:$missing; locales:$missing_locales; run this as root (sudo $0${1:+ $1})." >&2
  exit 1
fi
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  # shellcheck disable=SC2086
  apt-get install -y -q --no-install-recommends $missing
fi
for l in $missing_locales; do
  localedef -i "$l" -c -f UTF-8 -A /usr/share/locale/locale.alias "$l.UTF-8"
done
