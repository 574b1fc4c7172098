#!/usr/bin/env bash
# Builds everything and runs all tests. Usage: ./test.sh [preset]   (default, asan)
set -euo pipefail
cd "$(dirname "$0")"
preset="${1:-default}"
scripts/install-deps.sh
scripts/build.sh "$preset"
ctest --preset "$preset" -j "$(nproc)"
