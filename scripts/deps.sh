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
  file # cpack -G DEB finds the program's libraries with it
  git  # the package version counts the commits
)
if [[ "${1:-}" == "--test" ]]; then
  packages+=(xvfb xauth xdotool x11-utils imagemagick python3 libx11-dev desktop-file-utils appstream
             pulseaudio pulseaudio-utils clang-format-14
             dbus-daemon python3-pyatspi) # the accessibility bus and a screen reader's view of it
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
((${#missing[@]})) || exit 0

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    # A bare "sudo: command not found" leaves a new user guessing what to do.
    {
      echo "$0: these packages are missing: ${missing[*]}"
      echo "Installing them needs root, and sudo is not installed."
      echo "Run this as root once, for example:  su -c '$0${1:+ $1}'"
      echo "or install sudo and give $(id -un) sudo rights (as root: apt-get install sudo && adduser $(id -un) sudo,"
      echo "then log in again), and run the command again."
    } >&2
    exit 1
  fi
  as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
