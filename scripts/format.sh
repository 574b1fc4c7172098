#!/usr/bin/env bash
# Formats every C++ file under src/ tests/ tools/ bench/ with the project's .clang-format.
# Usage: scripts/format.sh [--check]   (--check reports differences and fails, changing nothing)
set -euo pipefail
cd "$(dirname "$0")/.."
mode=(-i)
if [ "${1:-}" = "--check" ]; then
  mode=(--dry-run --Werror)
elif [ $# -gt 0 ]; then
  echo "usage: $0 [--check]" >&2
  exit 2
fi
find src tests tools bench -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.cpp.in' \) -print0 |
  sort -z | xargs -0 clang-format --style=file "${mode[@]}" || {
  echo "$0: formatting differs; run scripts/format.sh" >&2
  exit 1
}
