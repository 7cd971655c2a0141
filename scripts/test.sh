#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors and runs every
# test; then builds the tests again with AddressSanitizer and
# UndefinedBehaviorSanitizer (into build-asan/, or $KESLOG_SANITIZE_BUILD_DIR)
# and runs them there too. KESLOG_SANITIZE=0 leaves the second run out.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# The tests stay a lean share of the code.
bash scripts/test-share.sh
bash scripts/build.sh -DKESLOG_WERROR=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${KESLOG_BUILD_DIR:-build}" -j "$(nproc)" --output-on-failure --timeout 600

if [ "${KESLOG_SANITIZE:-1}" = 0 ]; then exit 0; fi
# Set before building: the test lists are read from the built programs.
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
sanitize_dir=${KESLOG_SANITIZE_BUILD_DIR:-build-asan}
# Warnings are the ordinary build's business: with the sanitizers gcc warns
# of values "maybe used uninitialized" that are not.
KESLOG_BUILD_DIR=$sanitize_dir bash scripts/build.sh -DKESLOG_SANITIZE=ON -DKESLOG_BUILD_BENCH=OFF
ctest --test-dir "$sanitize_dir" -j "$(nproc)" --output-on-failure --timeout 1200
