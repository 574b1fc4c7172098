#!/usr/bin/env bash
# The real program, unattended, against the sample shop on loopback, with one product file of
# about N MB waiting in Products/ when it starts: how long until the first product line's answer
# is in the daily log (the first request is sent just before), how long until the file is taken
# whole (kept, then deleted), and the program's peak resident memory (VmHWM) by then.
# Usage: bench/products/big-product-file.sh [MB] [line|batch]   (default 100 MB, line by line;
# after building the default preset)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=build/default
megabytes="${1:-100}"
sending="${2:-line}"
folder="$(mktemp -d)"
shop_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$shop_pid" ] && kill "$shop_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$folder"
}
trap cleanup EXIT

"$build/tools/sample-shop/sample-shop" --port 0 --data tools/sample-shop/seed.json \
  >"$folder/shop.out" &
shop_pid=$!
until grep -q "listening on" "$folder/shop.out" 2>/dev/null; do sleep 0.1; done
base_url="$(sed -n 's/^listening on //p' "$folder/shop.out")"

mkdir -p "$folder/program/Products"
cp "$build/src/app/NorvanECommerce" "$folder/program/"
"$build/tools/settings-tool/norvan-settings" --folder "$folder/program" --ecom-url "$base_url" \
  --user ck_4f1c2d0b8e7a6950c3b2a1d0e9f8a7b6c5d4e3f2 \
  --password cs_9a8b7c6d5e4f30211f2e3d4c5b6a79881a2b3c4d --consumer-keys 1 \
  --product-res products/ --order-res orders/ --item-title line_items \
  --status-from processing --status-to completed --automatic 1 --sleep 60 --interval 5 \
  --batch "$([ "$sending" = batch ] && echo 1 || echo 0)" \
  --order-fields "id;total;" --item-fields "sku;quantity;" >/dev/null

# Lines of about 36 bytes, CR LF, each SKU once; written aside and moved in whole.
awk -v bytes="$((megabytes * 1024 * 1024))" 'BEGIN {
  for (i = 0; written < bytes; ++i) {
    line = sprintf("BIG-%08d;%d;1;0.5;%d;;0\r", i, i % 50, 1000 + i % 9000)
    print line; written += length(line) + 1 } }' >"$folder/P.tmp"
mv "$folder/P.tmp" "$folder/program/Products/P_20240101_0000.ecom"
lines="$(wc -l <"$folder/program/Products/P_20240101_0000.ecom")"

start="$(date +%s.%N)"
QT_QPA_PLATFORM=offscreen "$folder/program/NorvanECommerce" >/dev/null 2>&1 &
program_pid=$!
log="$folder/program/Logs/$(date +%F).log"
first=""
while [ -e "$folder/program/Products/P_20240101_0000.ecom" ]; do
  if [ -z "$first" ] && grep -q "products/unattended mLogs: ---Product not found" "$log" 2>/dev/null; then
    first="$(date +%s.%N)"
  fi
  kill -0 "$program_pid" 2>/dev/null || { echo "the program ended" >&2; exit 1; }
  sleep 0.2
done
taken="$(date +%s.%N)"
peak="$(awk '/VmHWM/ {print $2}' "/proc/$program_pid/status")"
[ -z "$first" ] && first="$taken"
printf '%s lines (%s MB), %s: first answer logged after %.1f s, file taken whole after %.1f s, peak memory %d MB; load average %s\n' \
  "$lines" "$megabytes" "$sending" "$(echo "$first - $start" | bc)" "$(echo "$taken - $start" | bc)" \
  "$((peak / 1024))" "$(cut -d' ' -f1-3 /proc/loadavg)"
