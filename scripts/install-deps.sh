#!/usr/bin/env bash
# Installs the Debian packages Karvex needs to build, test and run.
# Packages already present are left alone; apt-get runs only when something is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config clang libclang-rt-14-dev ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libmpv-dev libespeak-ng-dev espeak-ng-data libasound2-dev
  zlib1g-dev libtag1-dev
  libx11-dev xdg-utils fonts-dejavu-core xvfb xserver-xephyr xdotool x11-utils imagemagick sox ffmpeg
  dpkg-dev lintian
  # GPS through gpsd; gpsfake replays captures in the tests
  gpsd gpsd-clients
  # the remote control's session bus; playerctl drives it in the tests
  dbus-daemon dbus-bin playerctl
  # stand-ins for BlueZ and logind on a private bus in the tests
  python3-dbusmock
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
