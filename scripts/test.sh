#!/usr/bin/env bash
# Installs what is missing, builds Karvex and runs every test; then builds it again with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs every test and, briefly, every
# fuzz target under them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"

scripts/build.sh --sanitize
source scripts/sanitizer-env.sh
ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
