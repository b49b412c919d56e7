#!/usr/bin/env bash
# Installs what is missing, builds Karvex and starts it.
#
# Karvex runs only on an 800 x 600 display, the size of the car's screen. On a desktop of
# another size it is started in a nested 800 x 600 X server window (Xephyr); with no
# display at all it runs on a virtual one (Xvfb), a screenshot is saved, and it is closed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh --target karvex x11_close

program="$PWD/build/bin/karvex"
screenshot="$PWD/build/karvex-screenshot.png"

free_display() {
  local n=20
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  echo ":$n"
}

wait_for_display() {
  for _ in $(seq 1 100); do
    DISPLAY="$1" xdpyinfo > /dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "The X server on $1 did not start." >&2
  return 1
}

if [ -n "${DISPLAY:-}" ] && xdpyinfo > /dev/null 2>&1; then
  size=$(xdpyinfo | awk '/dimensions:/ { print $2; exit }')
  if [ "$size" = "800x600" ]; then
    exec "$program"
  fi
  nested=$(free_display)
  echo "This display is $size; starting Karvex in an 800 x 600 window ($nested)."
  Xephyr "$nested" -screen 800x600 -title "Karvex 800x600" -no-host-grab > /dev/null 2>&1 &
  server=$!
  trap 'kill $server 2> /dev/null || true' EXIT
  wait_for_display "$nested"
  DISPLAY="$nested" "$program"
else
  virtual=$(free_display)
  echo "No display found; starting Karvex on a virtual 800 x 600 display ($virtual)."
  Xvfb "$virtual" -screen 0 800x600x24 -nolisten tcp > /dev/null 2>&1 &
  server=$!
  trap 'kill $server 2> /dev/null || true' EXIT
  wait_for_display "$virtual"
  DISPLAY="$virtual" QT_QPA_PLATFORM=xcb "$program" &
  karvex=$!
  for _ in $(seq 1 150); do
    DISPLAY="$virtual" xdotool search --name '^MEDIA$' > /dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  DISPLAY="$virtual" import -window root "$screenshot"
  echo "Karvex started; screenshot saved to $screenshot"
  DISPLAY="$virtual" build/devtools/x11_close MEDIA || kill "$karvex"
  wait "$karvex" || true
fi
