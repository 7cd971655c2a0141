#!/usr/bin/env bash
# Prints the tests' share of all the code (lines of .cpp and .h files in src,
# tools, bench, fuzz and tests) and fails when it is over 35%, so that the
# tests stay lean.
set -euo pipefail
cd "$(dirname "$0")/.."
count() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat | wc -l; }
tests=$(count tests)
total=$((tests + $(count src tools bench fuzz)))
LC_ALL=C awk -v t="$tests" -v n="$total" 'BEGIN {
  s = sprintf("%d", n); for (i = length(s) - 3; i > 0; i -= 3) s = substr(s, 1, i) "," substr(s, i + 1)
  printf "tests: %d%% of %s lines\n", int(100 * t / n), s
  exit (100 * t > 35 * n) ? 1 : 0
}'
