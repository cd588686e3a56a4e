#!/usr/bin/env bash
# Installs what is missing, builds Tarnwick (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWICK_TESTS=OFF -DTARNWICK_BENCH=OFF
cmake --build build/release
exec build/release/src/tarnwick
