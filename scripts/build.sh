#!/usr/bin/env bash
# Installs what is missing and builds Tarnwick (Release) in build/release,
# for scripts/play.sh and scripts/package.sh. Configuring every time reads
# the package version anew.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWICK_TESTS=OFF -DTARNWICK_BENCH=OFF
cmake --build build/release
