#!/usr/bin/env bash
# Installs what is missing, builds Karvex and starts it in the demo setting.
#
# The demo setting is a program folder of its own, build/demo: a copy of the program with
# generated media, a saved playlist, and a config.ini that reads GPS from a stand-in
# receiver (the NMEA feeder, started here before Karvex and stopped after it) playing a
# generated drive. Neither build/bin nor an installed Karvex is touched.
#
# Karvex runs only on an 800 x 600 display, the size of the car's screen. On a desktop of
# another size it is started in a nested 800 x 600 X server window (Xephyr); with no
# display at all it runs on a virtual one (Xvfb), a screenshot is saved, and it is closed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh --target karvex x11_close karvex_demo
. scripts/demo-session.sh
trap stop_started EXIT

demo="$PWD/build/demo"
program="$demo/karvex"
screenshot="$PWD/build/karvex-screenshot.png"
start_gps_feeder build/devtools "$demo"

if [ -n "${DISPLAY:-}" ] && xdpyinfo > /dev/null 2>&1; then
  size=$(xdpyinfo | awk '/dimensions:/ { print $2; exit }')
  if [ "$size" = "800x600" ]; then
    "$program"
    exit
  fi
  nested=$(free_display)
  echo "This display is $size; starting Karvex in an 800 x 600 window ($nested)."
  Xephyr "$nested" -screen 800x600 -title "Karvex 800x600" -no-host-grab -noreset > /dev/null 2>&1 &
  started+=($!)
  wait_for_display "$nested"
  DISPLAY="$nested" "$program"
else
  start_virtual_display
  echo "No display found; starting Karvex on a virtual 800 x 600 display ($virtual_display)."
  DISPLAY="$virtual_display" QT_QPA_PLATFORM=xcb "$program" &
  karvex=$!
  started+=($karvex)
  if ! wait_for_karvex "$virtual_display" "$karvex"; then
    echo "Karvex did not start." >&2
    exit 1
  fi
  sleep 5 # a few fixes from the drive reach the speedometer
  DISPLAY="$virtual_display" import -window root "$screenshot"
  echo "Karvex started; screenshot saved to $screenshot"
  DISPLAY="$virtual_display" build/devtools/x11_close MEDIA || kill "$karvex"
  wait "$karvex" || true
fi
