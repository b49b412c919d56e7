# Shell functions for starting Karvex in the demo setting on an X display; sourced by
# run.sh and screenshots.sh. Processes started here are listed in `started` and ended by
# stop_started.

started=()

stop_started() {
  local pid
  for pid in "${started[@]}"; do
    kill "$pid" 2> /dev/null || true
  done
  for pid in "${started[@]}"; do
    wait "$pid" 2> /dev/null || true
  done
  started=()
}

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

# A virtual 800 x 600 display (Xvfb), or one of the size given as WIDTHxHEIGHT, kept in
# virtual_display. It does not reset when its last client leaves: the check that it is up
# is such a client, and a program connecting during the reset would be refused. Each
# script takes a display number of its own: one whose lock file names the Xvfb it started
# (Xvfb's own choice with -displayfd takes no lock, so two started side by side could end
# up sharing a number).
start_virtual_display() {
  local number pid
  for ((number = 100 + $$ % 400; number < 1000; number += 7)); do
    [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
    Xvfb ":$number" -screen 0 "${1:-800x600}x24" -nolisten tcp -noreset > /dev/null 2>&1 &
    pid=$!
    started+=($pid)
    virtual_display=":$number"
    if wait_for_display "$virtual_display" && [ "$(tr -d ' \n' < "/tmp/.X$number-lock" 2> /dev/null)" = "$pid" ]; then
      return 0
    fi
    kill "$pid" 2> /dev/null || true
    wait "$pid" 2> /dev/null || true
  done
  echo "No virtual display could be started." >&2
  return 1
}

# Plays the demo folder's drive into the pseudo-terminal that its config.ini names as
# GPSPort: start_gps_feeder DEVTOOLS_FOLDER DEMO_FOLDER [FEEDER_OPTION...]
start_gps_feeder() {
  "$1/nmea_feeder" --link "$2/gps-receiver" "${@:3}" "$2/demo-drive.nmea" > /dev/null 2>&1 &
  started+=($!)
  for _ in $(seq 1 50); do
    [ -e "$2/gps-receiver" ] && return 0
    sleep 0.1
  done
  echo "The NMEA feeder did not start." >&2
  return 1
}

# True when the HOME button on DISPLAY is outlined lime: the home screen is shown.
# home_outlined DISPLAY [CROP]: CROP is where HOME is on the screen (ImageMagick geometry)
home_outlined() {
  DISPLAY="$1" import -window root png:- \
    | convert png:- -crop "${2:-105x62+13+40}" +repage txt:- | grep -i '#00FF00' > /dev/null
}

# Waits until Karvex (process PID) has painted its home screen on DISPLAY, so that it
# answers taps; fails when it ends first or takes longer than 60 s (a loaded machine, a
# sanitizer build): wait_for_karvex DISPLAY PID
wait_for_karvex() {
  for _ in $(seq 1 300); do
    kill -0 "$2" 2> /dev/null || return 1
    if DISPLAY="$1" xdotool search --onlyvisible --name '^MEDIA$' > /dev/null 2>&1 && home_outlined "$1"; then
      return 0
    fi
    sleep 0.2
  done
  return 1
}
