#!/usr/bin/env bash
# Installs what is missing, builds Tarnwick with its tests twice (Release, and
# with AddressSanitizer + UndefinedBehaviorSanitizer) and runs every test
# headless. A compiler warning stops the build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --test
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWICK_WERROR=ON
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

# A Debug build, so that the code's own assertions (Q_ASSERT) run as well.
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARNWICK_SANITIZE=ON -DTARNWICK_BENCH=OFF -DTARNWICK_WERROR=ON
cmake --build build/asan -j "$jobs"
# The sanitizer options (LeakSanitizer on, with tests/lsan.supp) are set per
# test by CMake; the end-to-end tests run the program as it is, with the
# suppressions it carries itself.
ctest --test-dir build/asan --output-on-failure -j "$jobs"
