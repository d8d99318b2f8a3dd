#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the game and the tests need; only what is missing.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config
  libglfw3-dev libx11-dev libglew-dev libfreetype-dev rapidjson-dev libstb-dev libimgui-dev
  libsdl2-dev libsndfile1-dev googletest libgtest-dev libbenchmark-dev
  xvfb xauth mesa-utils libgl1-mesa-dri
  fonts-bebas-neue fonts-dejavu-core
  # Benchmark-only peers (bench_PeerBench), never linked into the game.
  libbox2d-dev libboost-graph-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
