#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and benchmarking Lumora needs.
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache pkg-config python3
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libsqlite3-dev libjpeg62-turbo-dev libjpeg-turbo-progs zlib1g-dev libsodium-dev
  libavformat-dev libavcodec-dev libswscale-dev libavutil-dev
  libical-dev libbenchmark-dev clang libclang-rt-14-dev exiv2
  fonts-noto-cjk xvfb xauth
  dpkg-dev file desktop-file-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
