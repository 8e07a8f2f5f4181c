#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into ./build-fuzz and runs each one
# for a short while (FUZZ_SECONDS, default 20), starting from the seeds in
# fuzz/seeds/<target> where there are some. FUZZ_TARGETS (space-separated)
# picks targets; a crash leaves its input as build-fuzz/crash-* and fails.
# Longer runs: docs/fuzzing.md.
set -euo pipefail
cd "$(dirname "$0")/.."
ZK_FUZZ=1 scripts/setup.sh
seconds="${FUZZ_SECONDS:-20}"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZK_BUILD_FUZZERS=ON >/dev/null
fuzzers="${FUZZ_TARGETS:-$(tr ';' ' ' < build-fuzz/fuzzers.txt)}"
if [ -z "$fuzzers" ]; then
    echo "fuzz: no targets"
    exit 0
fi
# shellcheck disable=SC2086
cmake --build build-fuzz --target $fuzzers -j"$(nproc)"
passed=0
failed=0
for f in $fuzzers; do
    corpus=$(mktemp -d)
    if [ -d "fuzz/seeds/$f" ]; then
        cp fuzz/seeds/"$f"/* "$corpus"/
    fi
    echo "fuzz: $f for ${seconds}s"
    if QT_QPA_PLATFORM=offscreen "build-fuzz/bin/$f" -max_total_time="$seconds" -rss_limit_mb=4096 \
        -artifact_prefix=build-fuzz/ "$corpus" >"build-fuzz/$f.log" 2>&1; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        tail -n 40 "build-fuzz/$f.log"
    fi
    rm -rf "$corpus"
done
echo "fuzz targets: $passed clean, $failed crashed"
[ "$failed" -eq 0 ]
