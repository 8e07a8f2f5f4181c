#!/usr/bin/env bash
# Sets up, builds, runs each fuzz target briefly, then runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
scripts/fuzz.sh
ctest --test-dir build --output-on-failure -j2
