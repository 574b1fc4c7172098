#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need; does nothing when all are there.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config clang-format clang-tidy
  qt6-base-dev libgl1-mesa-dev
  libcurl4-openssl-dev libsqlcipher-dev sqlcipher nlohmann-json3-dev libicu-dev
  libgtest-dev libgmock-dev libcpp-httplib-dev libssl-dev
  fonts-noto-core xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
