#!/usr/bin/env bash
# Whole-process figures of Karvex in the demo setting on a virtual 800 x 600 display:
#   - start to first painted home screen: from the moment the program is started to the
#     moment its main window's first paint has been flushed (the program reports it when
#     KARVEX_REPORT_FIRST_PAINT is set); the screen is then checked to be the home screen;
#   - the same start of the floor program (bench/floor: an empty 800 x 600 Qt Widgets window
#     started and reported the same way), run right after each Karvex run, and Karvex's
#     start as a ratio to the floor's;
#   - resident memory (VmRSS; the part of it that is the program's own memory rather than
#     mapped library files, RssAnon; and PSS, which counts shared pages by the share of
#     each process that maps them) once the home screen has settled, for both programs;
#   - CPU use at the home screen with every timer running and the NMEA feeder playing the
#     demo drive into the GPS port (with --without-gps the feeder is not started).
# Each run uses a fresh demo folder; the figures are the medians of the runs. With
# --gps-baud N the feeder plays a receiver at N baud and config.ini says GPSBaud=N (N may
# also be AUTO, with the feeder at 9600). With --fit WIDTHxHEIGHT the virtual display has
# that size and config.ini says FitToScreen=TRUE: Karvex fitted to a panel of that size.
#
#   bench/measure-process.sh [--fit WIDTHxHEIGHT] [--without-gps | --gps-baud N] [BUILD_FOLDER [RUNS [IDLE_SECONDS [SETTLE_SECONDS]]]]
#
# BUILD_FOLDER defaults to build and must hold the targets karvex, karvex_floor, make_demo,
# nmea_feeder and x11_close. RUNS defaults to 5, IDLE_SECONDS to 60, SETTLE_SECONDS to 5.
set -euo pipefail
cd "$(dirname "$0")/.."
with_gps=true
gps_baud=""
fit=""
if [ "${1:-}" = --fit ]; then
  fit=$2
  shift 2
fi
if [ "${1:-}" = --without-gps ]; then
  with_gps=false
  shift
elif [ "${1:-}" = --gps-baud ]; then
  gps_baud=$2
  shift 2
fi
build=$(realpath "${1:-build}")
runs=${2:-5}
idle_seconds=${3:-60}
settle_seconds=${4:-5}
for tool in Xvfb xdpyinfo xdotool convert import perl; do
  command -v "$tool" > /dev/null || { echo "$tool is not installed" >&2; exit 1; }
done
. scripts/demo-session.sh
work=$(mktemp -d -t karvex-measure.XXXXXX)
trap 'stop_started; rm -rf "$work"' EXIT
start_virtual_display "${fit:-800x600}"
# Where HOME is drawn: the interface is scaled to fit and centred.
home_crop=$(echo "${fit:-800x600}" | awk -Fx '{ s = ($1 / 800 < $2 / 600) ? $1 / 800 : $2 / 600
  x = ($1 - 800 * s) / 2; y = ($2 - 600 * s) / 2
  printf "%dx%d+%d+%d", 105 * s, 62 * s, x + 13 * s, y + 40 * s }')
ticks_per_second=$(getconf CLK_TCK)

# Perl code that prints the monotonic clock (the clock of the program's report) and then
# becomes the program given as its arguments.
monotonic_launcher='use Time::HiRes qw(clock_gettime CLOCK_MONOTONIC);
printf STDERR "started at %.9f\n", clock_gettime(CLOCK_MONOTONIC); exec @ARGV or die "$!\n"'

# Seconds of CPU (user + system) the process PID has used so far.
cpu_seconds() {
  sed 's/.*) //' "/proc/$1/stat" | awk -v hz="$ticks_per_second" '{ printf "%.2f", ($12 + $13) / hz }'
}

# "VMRSS_KB RSSANON_KB PSS_KB" of the process PID.
resident_kb() {
  local pss
  pss=$(awk '/^Pss:/ { print $2 }' "/proc/$1/smaps_rollup")
  awk -v pss="$pss" '/^VmRSS:/ { total = $2 } /^RssAnon:/ { own = $2 } END { print total, own, pss }' "/proc/$1/status"
}

# Starts PROGRAM on the virtual display through the launcher, with its stderr in LOG, and
# waits for its first-paint report; sets launched_pid and start_ms. start_reported PROGRAM LOG
start_reported() {
  local paint_line start_at
  KARVEX_REPORT_FIRST_PAINT=1 DISPLAY="$virtual_display" QT_QPA_PLATFORM=xcb \
    perl -e "$monotonic_launcher" "$1" > /dev/null 2> "$2" &
  launched_pid=$!
  started+=($launched_pid)
  paint_line=""
  for _ in $(seq 1 300); do
    paint_line=$(grep -m 1 '^first paint at ' "$2" || true)
    [ -n "$paint_line" ] && break
    kill -0 "$launched_pid" 2> /dev/null || break
    sleep 0.05
  done
  if [ -z "$paint_line" ]; then
    echo "$1 did not paint its window:" >&2
    cat "$2" >&2
    return 1
  fi
  start_at=$(awk '/^started at / { print $3; exit }' "$2")
  start_ms=$(awk -v s="$start_at" -v p="${paint_line##* }" 'BEGIN { printf "%.0f", (p - s) * 1000 }')
}

# The floor program's run, after the Karvex run in DEMO: adds "START_MS RSS_KB RSSANON_KB
# PSS_KB" to RESULTS.
measure_floor() {
  local demo=$1 results=$2 started_before=("${started[@]}") rss
  start_reported "$build/devtools/karvex_floor" "$demo/floor.log"
  sleep "$settle_seconds"
  rss=$(resident_kb "$launched_pid")
  DISPLAY="$virtual_display" "$build/devtools/x11_close" MEDIA || kill "$launched_pid"
  wait "$launched_pid" || true
  started=("${started_before[@]}")
  echo "$start_ms $rss" >> "$results"
}

median() {
  sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# One run in the fresh demo folder DEMO: adds "START_MS RSS_KB RSSANON_KB PSS_KB
# CPU_PERCENT" to RESULTS.
measure_once() {
  local demo=$1 results=$2 started_before=("${started[@]}") feeder karvex karvex_ms rss before after
  "$build/devtools/make_demo" "$build/bin" "$demo" > "$demo.log" 2>&1 || { cat "$demo.log" >&2; return 1; }
  [ -n "$fit" ] && printf 'FitToScreen=TRUE\r\n' >> "$demo/config.ini"
  if [ -n "$gps_baud" ]; then
    printf 'GPSBaud=%s\r\n' "$gps_baud" >> "$demo/config.ini"
    start_gps_feeder "$build/devtools" "$demo" --baud "$([ "$gps_baud" = AUTO ] && echo 9600 || echo "$gps_baud")"
    feeder=${started[-1]}
  elif $with_gps; then
    start_gps_feeder "$build/devtools" "$demo"
    feeder=${started[-1]}
  fi
  start_reported "$demo/karvex" "$demo/karvex.log"
  karvex=$launched_pid
  karvex_ms=$start_ms
  if ! home_outlined "$virtual_display" "$home_crop"; then
    echo "The first painted screen is not the home screen." >&2
    return 1
  fi
  sleep "$settle_seconds"
  rss=$(resident_kb "$karvex")
  before=$(cpu_seconds "$karvex")
  sleep "$idle_seconds"
  after=$(cpu_seconds "$karvex")
  DISPLAY="$virtual_display" "$build/devtools/x11_close" MEDIA || kill "$karvex"
  wait "$karvex" || true
  if $with_gps; then
    kill "$feeder" 2> /dev/null || true
    wait "$feeder" 2> /dev/null || true
  fi
  started=("${started_before[@]}")
  awk -v ms="$karvex_ms" -v rss="$rss" -v b="$before" -v a="$after" -v t="$idle_seconds" \
    'BEGIN { printf "%s %s %.3f\n", ms, rss, (a - b) / t * 100 }' >> "$results"
}

echo "run  program  start-to-first-paint-ms  rss-kB  rss-anon-kB  pss-kB  cpu-%-of-a-core-over-${idle_seconds}s"
results="$work/results"
floor_results="$work/floor-results"
for run in $(seq 1 "$runs"); do
  measure_once "$work/demo-$run" "$results"
  echo "$run  karvex  $(tail -n 1 "$results")"
  measure_floor "$work/demo-$run" "$floor_results"
  echo "$run  floor   $(tail -n 1 "$floor_results")"
done
karvex_start=$(awk '{ print $1 }' "$results" | median)
floor_start=$(awk '{ print $1 }' "$floor_results" | median)
echo "median start to first painted home screen: $karvex_start ms; the empty window's: $floor_start ms;" \
  "ratio $(awk -v k="$karvex_start" -v f="$floor_start" 'BEGIN { printf "%.2f", k / f }')"
for program in karvex floor; do
  file=$([ $program = karvex ] && echo "$results" || echo "$floor_results")
  echo "median resident memory after start ($program): $(awk '{ print $2 }' "$file" | median) kB," \
    "of it the program's own: $(awk '{ print $3 }' "$file" | median) kB; PSS $(awk '{ print $4 }' "$file" | median) kB"
done
echo "median CPU at the home screen: $(awk '{ print $5 }' "$results" | median) % of one core" \
  "($($with_gps && echo "GPS fed by the NMEA feeder${gps_baud:+ at $gps_baud baud}" || echo "no GPS data"))"
