#!/usr/bin/env bash
# Builds the fuzz targets with clang (their own build folder) and runs each
# in turn: the data file readers, programs.conf, and the key notation with
# the typing of a field's text.
#   scripts/fuzz.sh [seconds] [target...]    default 60 seconds each, every target
# FUZZ_BUILD_DIR overrides the build folder (default build-fuzz).
set -euo pipefail

seconds=${1:-60}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(storage programs_config key_notation)
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}

"$root/scripts/install-deps.sh" --fuzz
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DTAPFILL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/%/_fuzzer}"

cd "$build"
for target in "${targets[@]}"; do
  echo "== ${target}_fuzzer, ${seconds} s"
  # New inputs go to the build folder; the checked-in seeds are only read.
  corpus=$build/fuzz-corpus/$target
  mkdir -p "$corpus"
  "$build/tests/fuzz/${target}_fuzzer" -max_total_time="$seconds" -max_len=65536 -print_final_stats=1 \
    -artifact_prefix="$build/${target}-" "$corpus" "$root/tests/fuzz/seeds/${target//_/-}"
done
