#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs each for the given
# number of seconds (default 60), one after the other, at the lowest
# priority. New inputs go to build-fuzz/corpus/<target>; a crash leaves its
# input in build-fuzz/findings/ and stops the run.
# Usage: scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
build_dir=${KESLOG_FUZZ_BUILD_DIR:-build-fuzz}
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/keslog-ccache}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DKESLOG_FUZZ=ON -DKESLOG_BUILD_APP=OFF \
  -DKESLOG_BUILD_TESTS=OFF -DKESLOG_BUILD_BENCH=OFF >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=()
  for dir in fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi
cmake --build "$build_dir" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"
mkdir -p "$build_dir/findings"
for target in "${targets[@]}"; do
  echo "== $target: $seconds s"
  mkdir -p "$build_dir/corpus/$target"
  # The seed corpus is only read; what the run learns stays in the build folder.
  nice -n 19 "$build_dir/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$build_dir/findings/$target-" -max_len=65536 \
    "$build_dir/corpus/$target" "fuzz/corpus/$target"
done
