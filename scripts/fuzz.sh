#!/usr/bin/env bash
# Builds the data file fuzzer with clang (its own build folder) and runs it.
#   scripts/fuzz.sh [seconds]       default 60
# FUZZ_BUILD_DIR overrides the build folder (default build-fuzz).
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}

"$root/scripts/install-deps.sh" --fuzz
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DTAPFILL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target storage_fuzzer

# New inputs go to the build folder; the checked-in seeds are only read.
corpus=$build/fuzz-corpus
mkdir -p "$corpus"
cd "$build"
exec "$build/tests/fuzz/storage_fuzzer" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
  "$corpus" "$root/tests/fuzz/seeds"
