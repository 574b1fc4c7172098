#!/usr/bin/env bash
# Runs clang-tidy with the project's .clang-tidy over the .cpp files under src/; fails on any
# finding. Reads build/default/compile_commands.json, so the default preset must have been built
# (the AUTOMOC headers come from the build). Usage: scripts/tidy.sh [jobs]   (default 2)
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/default
jobs="${1:-2}"
if [ ! -f "$build/compile_commands.json" ]; then
  echo "$0: no $build/compile_commands.json; run scripts/build.sh default first" >&2
  exit 2
fi
# clang-tidy counts the warnings it filtered out of Qt's headers for every file; only noise here.
filtered_count='^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$'
set +e
find src -type f -name '*.cpp' -print0 | sort -z |
  xargs -0 -n 1 -P "$jobs" clang-tidy -p "$build" --quiet 2>&1 | grep -Ev "$filtered_count"
tidy_status=${PIPESTATUS[2]}
set -e
if [ "$tidy_status" -ne 0 ]; then
  echo "$0: clang-tidy found something (see above)" >&2
  exit 1
fi
