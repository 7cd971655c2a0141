#!/usr/bin/env bash
# Seeded mutants of the core code: how many small faults do the tests catch?
# For example: scripts/mutants.sh --seed 1 --count 150 (see --help).
set -euo pipefail
exec python3 "$(dirname "$0")/mutants.py" "$@"
