#!/usr/bin/env bash
# Draws the window's four pages into docs/ (after scripts/build.sh default).
set -euo pipefail
cd "$(dirname "$0")/.."
QT_QPA_PLATFORM=offscreen build/default/tools/screenshots/window-screenshots docs
