#!/usr/bin/env bash
# Sets up, builds, then runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# The benchmarks are no test: left out unless ZK_BUILD_BENCH=ON.
ZK_BUILD_BENCH="${ZK_BUILD_BENCH:-OFF}" ZK_DEBUG_INFO="${ZK_DEBUG_INFO:-light}" scripts/build.sh
# ctest feeds every fuzz target's harness its seeds (fuzz_*_seeds); the
# sanitized libFuzzer runs need a second build with clang: scripts/fuzz.sh
# (ZK_FUZZ=1 adds a short run here).
if [ "${ZK_FUZZ:-0}" = 1 ]; then
    FUZZ_SECONDS="${FUZZ_SECONDS:-3}" scripts/fuzz.sh
fi
# Most tests spend their time waiting for the virtual mixer's replies, not
# computing: eight at once on two cores end well over a minute sooner than
# two would; each test takes a few percent longer for it, none near its
# time-out.
ctest --test-dir build --output-on-failure -j8
