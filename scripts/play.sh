#!/usr/bin/env bash
# Installs what is missing, builds Tarnwick (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
exec build/release/src/tarnwick
