#!/usr/bin/env bash
# Installs what is needed, builds with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh -DKESLOG_WERROR=ON
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${KESLOG_BUILD_DIR:-build}" -j "$(nproc)" --output-on-failure --timeout 600
