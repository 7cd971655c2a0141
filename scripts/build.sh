#!/usr/bin/env bash
# Configures and builds into build/ (or $KESLOG_BUILD_DIR). Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${KESLOG_BUILD_DIR:-build}
export CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/keslog-ccache}
# Checkouts in other folders (clean clones, worktrees) share the cache.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build "$build_dir" -j "$(nproc)"
