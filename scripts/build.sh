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
# A build directory made by the test command (ZK_DEBUG_INFO=light) keeps only
# the debug information backtraces need, which builds a good deal faster; it
# stays so for that directory.
debug=()
if [ ! -f build/CMakeCache.txt ] && [ "${ZK_DEBUG_INFO:-full}" = light ]; then
    debug=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG")
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZK_BUILD_BENCH="${ZK_BUILD_BENCH:-ON}" \
    "${launcher[@]}" "${debug[@]}" >/dev/null
cmake --build build -j"$(nproc)"
