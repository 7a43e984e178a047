#!/usr/bin/env bash
# Installs everything the project needs to build, test, benchmark and fuzz on
# Debian 12. Idempotent: when every package is already present it does nothing.
set -euo pipefail

packages=(
  build-essential g++ cmake ninja-build pkg-config git
  clang libclang-rt-14-dev
  qt6-base-dev
  libjpeg62-turbo-dev
  libgtest-dev libgmock-dev
  libbenchmark-dev
  libgif-dev
  nlohmann-json3-dev
  zlib1g-dev
  fonts-liberation2 fonts-dejavu-core fontconfig
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}" >&2
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
