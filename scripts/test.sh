#!/usr/bin/env bash
# Sets up, builds and runs every test through ctest, then runs each fuzz
# target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j2
scripts/fuzz.sh
