#!/usr/bin/env bash
# Installs what is needed, builds the two programs and makes the Debian
# package keslog_<version>_<arch>.deb in build/package/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build_dir=${KESLOG_BUILD_DIR:-build}
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/keslog-ccache}
# Only what the package holds is built: installing skips the tests and benchmarks.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON "$@"
cmake --build "$build_dir" -j "$(nproc)" --target keslog keslog-cli keslog_data
cpack --config "$build_dir/CPackConfig.cmake" -B "$build_dir/package"
ls "$build_dir"/package/keslog_*.deb
