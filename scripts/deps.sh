#!/usr/bin/env bash
# Installs the Debian packages Tarnwick needs to build, run and test, when any
# is missing. Uses sudo for apt-get unless already root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-multimedia-dev
  libqt6opengl6-dev libgl-dev libxkbcommon-dev qt6-qpa-plugins
  libgtest-dev
  fonts-dejavu-core
)
if [[ "${1:-}" == "--test" ]]; then
  packages+=(xvfb xauth xdotool x11-utils imagemagick python3 libx11-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  as_root=()
  [[ $(id -u) -eq 0 ]] || as_root=(sudo)
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
