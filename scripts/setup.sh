#!/usr/bin/env bash
# Installs what building, running and testing KESLOG need: Debian packages only.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-multimedia-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-dejavu-core
  dpkg-dev file
  desktop-file-utils shared-mime-info libglib2.0-bin  # the package test: desktop-file-validate, update-mime-database, gio
  hamradio-files
  libhamlib-utils  # rigctld: rig control and its tests
  cwdaemon  # the cwdaemon keying device and its tests
  clang libclang-rt-14-dev  # scripts/fuzz.sh: libFuzzer and its sanitizer run-times
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
