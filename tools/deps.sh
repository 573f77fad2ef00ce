#!/bin/sh
# Installs, with apt-get, whatever the build, the tests and the window need and
# this Debian machine lacks. Run as root (or through sudo). Installs nothing
# when everything is present.
set -eu

packages="cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-qpa-plugins libqt6test6
  libgtest-dev libgmock-dev libicu-dev
  clang libclang-rt-14-dev
  libxcb1-dev
  xvfb xdotool xdg-utils x11-utils fontconfig fonts-liberation2 fonts-dejavu-core"

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages:$missing; run this as root (sudo $0)." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
# shellcheck disable=SC2086
apt-get install -y -q --no-install-recommends $missing
