#!/usr/bin/env bash
# Configures and builds into ./build (Ninja, all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
if [ "${ZK_CCACHE:-0}" = 1 ] && command -v ccache >/dev/null; then
    # Paths are hashed relative to the checkout, so a second worktree reuses
    # the objects of the first; the precompiled test header needs the sloppiness.
    export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
    export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZK_BUILD_BENCH="${ZK_BUILD_BENCH:-ON}" \
    "${launcher[@]}" >/dev/null
cmake --build build -j"$(nproc)"
