#!/usr/bin/env bash
# Renews the window pictures in docs/screenshots. They are no tests: each test
# executable runs, offscreen and in a scratch home, the files listed in
# build/screenshots.txt (those marked PICTURES in CMake) together with their
# picture classes (ZK_PICTURES), with ZKVR340A_SCREENSHOTS naming the folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
out="$PWD/docs/screenshots"
mkdir -p "$out"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
failed=0
while read -r exe file; do
    [ -n "$exe" ] || continue
    scratch="$home/$file"
    mkdir -p "$scratch/runtime" "$scratch/config" "$scratch/data"
    chmod 700 "$scratch/runtime"
    if ! env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/config" \
        XDG_DATA_HOME="$scratch/data" ZKVR340A_BIN_DIR="$PWD/build/bin" ZKVR340A_LANGUAGE=ja \
        ZKVR340A_SCREENSHOTS="$out" "build/bin/$exe" -test "$file" -pictures >"$scratch/log" 2>&1; then
        echo "screenshots: $file failed"
        tail -n 30 "$scratch/log"
        failed=1
    fi
done < build/screenshots.txt
ls "$out"
exit "$failed"
