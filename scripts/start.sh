#!/usr/bin/env bash
# Installs what is needed, builds and starts the logger with the shipped
# default files (the program folder is build/bin).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh -DKESLOG_BUILD_TESTS=OFF -DKESLOG_BUILD_BENCH=OFF
logger=${KESLOG_BUILD_DIR:-build}/bin/keslog
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting KESLOG on a virtual X display (xvfb-run)." >&2
  exec xvfb-run -a -s "-screen 0 1280x800x24" "$logger" "$@"
fi
exec "$logger" "$@"
