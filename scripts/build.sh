#!/usr/bin/env bash
# Installs what is missing and builds Karvex into build/ (the program lands in build/bin).
# With --sanitize first, builds instead with clang into build-sanitize/, with
# AddressSanitizer and UndefinedBehaviorSanitizer and the fuzz targets.
# Any further arguments go to `cmake --build` (for example --target karvex).
set -euo pipefail
cd "$(dirname "$0")/.."
folder=build
options=()
if [ "${1:-}" = "--sanitize" ]; then
  shift
  folder=build-sanitize
  options=(-DCMAKE_CXX_COMPILER=clang++ -DKARVEX_FUZZ=ON)
fi
scripts/install-deps.sh
cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" > /dev/null
cmake --build "$folder" -j"$(nproc)" "$@"
