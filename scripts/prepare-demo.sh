#!/usr/bin/env bash
# Prepares a demo program folder: the executable, settings that point at the sample shop on
# loopback, and a product file (Windows-1256) waiting in Products/.
# Usage: scripts/prepare-demo.sh FOLDER PORT   (after scripts/build.sh default)
set -euo pipefail
cd "$(dirname "$0")/.."
folder="$1"
port="$2"
build=build/default
mkdir -p "$folder/Products"
cp "$build/src/app/NorvanECommerce" "$folder/"
settings=("$build/tools/settings-tool/norvan-settings" --folder "$folder")
if [ ! -e "$folder/EcomDB.s3db" ]; then
  # The sample shop's keys; over plain HTTP a WooCommerce shop takes OAuth 1.0a consumer keys.
  "${settings[@]}" \
    --user ck_4f1c2d0b8e7a6950c3b2a1d0e9f8a7b6c5d4e3f2 \
    --password cs_9a8b7c6d5e4f30211f2e3d4c5b6a79881a2b3c4d --consumer-keys 1 \
    --product-res products/ --order-res orders/ --item-title line_items \
    --status-from processing --status-to completed --automatic 0 --sleep 5 --interval 5 \
    --order-fields "id;billing.first_name;billing.last_name;billing.address_1;billing.city;total;" \
    --item-fields "sku;name;quantity;price;"
fi
# The shop's address follows the port of this start; the operator's other settings stay.
"${settings[@]}" --ecom-url "http://127.0.0.1:$port/wp-json/wc/v3/"
if ! compgen -G "$folder/Products/*.ecom" >/dev/null; then
  # Written aside and moved in, so the program never sees half a file.
  iconv -f UTF-8 -t WINDOWS-1256 tools/demo/products-sample.txt | sed 's/$/\r/' >"$folder/Products/sample.tmp"
  mv "$folder/Products/sample.tmp" "$folder/Products/P_$(date +%Y%m%d_%H%M).ecom"
fi
