#!/usr/bin/env bash
# Installs what is missing, builds Tarnwick (Release) and makes its Debian
# package in build/package, the only .deb there; prints the package's path.
# Everything else it says goes to stderr, so that
#   deb=$(scripts/package.sh)
# holds the path alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh >&2
rm -rf build/package
cpack -G DEB --config build/release/CPackConfig.cmake -B build/package >&2
debs=(build/package/tarnwick_*.deb)
if [[ ${#debs[@]} -ne 1 || ! -f ${debs[0]} ]]; then
  echo "$0: cpack made no single tarnwick_*.deb in build/package" >&2
  exit 1
fi
printf '%s\n' "$PWD/${debs[0]}"
