#!/usr/bin/env bash
# Sets up, builds, runs each fuzz target briefly, then runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# The benchmarks are no test: left out unless ZK_BUILD_BENCH=ON.
ZK_BUILD_BENCH="${ZK_BUILD_BENCH:-OFF}" ZK_DEBUG_INFO="${ZK_DEBUG_INFO:-light}" scripts/build.sh
# A short run of every fuzz target catches a parser that crashes at once;
# scripts/fuzz.sh with a larger FUZZ_SECONDS is the longer search.
FUZZ_SECONDS="${FUZZ_SECONDS:-3}" scripts/fuzz.sh
ctest --test-dir build --output-on-failure -j4
