#!/usr/bin/env bash
# Takes the README's screenshots: starts Karvex in the demo setting on a virtual 800 x 600
# display, taps its way through the screens and saves one PNG per screen.
#
#   scripts/screenshots.sh [OUTPUT_FOLDER [BUILD_FOLDER]]
#
# OUTPUT_FOLDER defaults to docs/screenshots. Without BUILD_FOLDER Karvex is built into
# build/ first; with it, what is built there is used as it is. The demo folder is made
# afresh in a temporary folder, so no settings are changed anywhere. Ends with a non-zero
# code when Karvex did not start or ended before the last screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshots}")
if [ -n "${2:-}" ]; then
  build=$(realpath "$2")
else
  scripts/build.sh --target karvex x11_close nmea_feeder make_demo
  build="$PWD/build"
fi
. scripts/demo-session.sh
demo=$(mktemp -d -t karvex-demo.XXXXXX)
trap 'stop_started; rm -rf "$demo"' EXIT

"$build/devtools/make_demo" "$build/bin" "$demo" > /dev/null
start_virtual_display
start_gps_feeder "$build/devtools" "$demo"
DISPLAY="$virtual_display" QT_QPA_PLATFORM=xcb "$demo/karvex" > "$demo/karvex.log" 2>&1 &
karvex=$!
started+=($karvex)
if ! wait_for_karvex "$virtual_display" "$karvex"; then
  echo "Karvex did not start:" >&2
  cat "$demo/karvex.log" >&2
  exit 1
fi
mkdir -p "$out"

# Taps the screen at X Y and gives Karvex SECONDS (default 1) to answer.
tap() {
  DISPLAY="$virtual_display" xdotool mousemove "$1" "$2" click 1
  sleep "${3:-1}"
}

double_tap() {
  DISPLAY="$virtual_display" xdotool mousemove "$1" "$2" click --repeat 2 --delay 80 1
  sleep "${3:-1}"
}

shot() {
  if ! kill -0 "$karvex" 2> /dev/null; then
    echo "Karvex ended before the screenshot $1:" >&2
    cat "$demo/karvex.log" >&2
    exit 1
  fi
  DISPLAY="$virtual_display" import -window root "$out/$1.png"
  echo "$out/$1.png"
}

# Button centres on the 800 x 600 screen.
home=(65 71) playlist=(65 139) track=(63 207) options=(64 410) system=(64 478)
play=(724 71) stop=(724 139) gps_info=(545 127)
open_playlist=(221 30) add_files=(221 410)
first_saved_playlist=(240 120) open_chosen=(252 516) fourth_entry=(250 160)
options_done=(634 54) system_done=(676 85) gps_done=(646 101)

tap "${playlist[@]}"
tap "${open_playlist[@]}"
tap "${first_saved_playlist[@]}" 0.5
tap "${open_chosen[@]}"
tap "${play[@]}" 3
shot playlist
tap "${track[@]}"
shot track
tap "${home[@]}" 2
shot home
tap "${gps_info[@]}" 2
shot gps
tap "${gps_done[@]}"
tap "${playlist[@]}"
tap "${add_files[@]}"
shot files
tap "${options[@]}"
shot options
tap "${options_done[@]}"
tap "${system[@]}"
shot system
tap "${system_done[@]}"
tap "${playlist[@]}"
double_tap "${fourth_entry[@]}" 3 # the video clip
shot video
tap "${stop[@]}"

DISPLAY="$virtual_display" "$build/devtools/x11_close" MEDIA
for _ in $(seq 1 100); do
  kill -0 "$karvex" 2> /dev/null || break
  sleep 0.1
done
if kill -0 "$karvex" 2> /dev/null; then
  echo "Karvex did not close: a screen was left open." >&2
  exit 1
fi
status=0
wait "$karvex" || status=$?
if [ $status -ne 0 ]; then
  echo "Karvex ended with code $status:" >&2
  cat "$demo/karvex.log" >&2
  exit 1
fi
