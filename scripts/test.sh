#!/usr/bin/env bash
# Sets up, builds, then runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# The benchmarks are no test: left out unless ZK_BUILD_BENCH=ON.
ZK_BUILD_BENCH="${ZK_BUILD_BENCH:-OFF}" ZK_DEBUG_INFO="${ZK_DEBUG_INFO:-light}" scripts/build.sh
# The fuzz targets need a second, sanitized build with clang: scripts/fuzz.sh
# runs them (ZK_FUZZ=1 adds a short run here), which keeps this command
# within CI's time now that the browser test's packages are installed too.
if [ "${ZK_FUZZ:-0}" = 1 ]; then
    FUZZ_SECONDS="${FUZZ_SECONDS:-3}" scripts/fuzz.sh
fi
ctest --test-dir build --output-on-failure -j4
