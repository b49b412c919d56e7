#!/usr/bin/env bash
# Builds the fuzz targets and runs the named ones (all when none is named) side by side for
# SECONDS each, on their seeds in fuzz/corpus and what earlier runs found.
#   scripts/fuzz.sh [SECONDS [TARGET...]]      targets: id3 nmea config playlist album_art other_tags
# Inputs found go to build-sanitize/fuzz/found/<target>, failing inputs to
# build-sanitize/fuzz/crashes/, each target's output to build-sanitize/fuzz/logs/<target>.log.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(id3 nmea config playlist album_art other_tags)

scripts/build.sh --sanitize --target "${targets[@]/#/fuzz_}"
source scripts/sanitizer-env.sh
# AddressSanitizer keeps the call stack of every allocation it has seen, and over a long run
# the fuzzed inputs reach so many that their store alone passes the memory limit, a false
# out-of-memory report. Long runs keep none; a saved input replayed by the target alone
# (build-sanitize/fuzz/fuzz_TARGET FILE, after sourcing scripts/sanitizer-env.sh) shows
# the allocation stacks of anything it finds.
export ASAN_OPTIONS="$ASAN_OPTIONS:malloc_context_size=0"
out=build-sanitize/fuzz
mkdir -p "$out/logs" "$out/crashes"
# An input that takes more than 2 s is a stall, as in ctest's runs (fuzz/CMakeLists.txt).
for target in "${targets[@]}"; do
  mkdir -p "$out/found/$target"
  "$out/fuzz_$target" -max_total_time="$seconds" -timeout=2 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$out/crashes/$target-" "$out/found/$target" "fuzz/corpus/$target" \
    > "$out/logs/$target.log" 2>&1 &
done

failed=0
for job in $(jobs -p); do
  wait "$job" || failed=1
done
for target in "${targets[@]}"; do
  echo "$target: $(grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "$out/logs/$target.log" | tr '\n' ' ')"
done
[ $failed -eq 0 ] || { echo "A fuzz target failed; see $out/logs and $out/crashes" >&2; exit 1; }
