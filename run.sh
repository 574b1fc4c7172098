#!/usr/bin/env bash
# Builds the program, prepares the demo folder demo/ whose settings point at the sample shop,
# starts the sample shop on loopback and opens the window. Closing the window stops the shop.
# NORVAN_DEMO_PORT chooses the shop's port (default 18080).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh default
port="${NORVAN_DEMO_PORT:-18080}"
scripts/prepare-demo.sh demo "$port"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display found. The demo is ready in demo/; to see the window without a screen run:" >&2
  echo "  xvfb-run -a ./run.sh      (a virtual display; take screenshots with xwd or import)" >&2
  exit 1
fi

exec 3< <(exec build/default/tools/sample-shop/sample-shop --port "$port" --data tools/sample-shop/seed.json)
shop=$!
trap 'kill "$shop" 2>/dev/null || true' EXIT
if ! read -r listening <&3; then
  echo "The sample shop did not start (is port $port taken? set NORVAN_DEMO_PORT)." >&2
  exit 1
fi
echo "Sample shop: ${listening#listening on }"
demo/NorvanECommerce
