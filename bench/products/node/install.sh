#!/usr/bin/env bash
# Installs the official WooCommerce Node client into node_modules/ beside this script, as the
# lock file pins it, for the Node side of products_bench. Needs Node.js and npm; the build and
# the tests never need them.
set -euo pipefail
cd "$(dirname "$0")"
npm ci --no-audit --no-fund
