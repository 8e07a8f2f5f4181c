#!/usr/bin/env bash
# Renders the program icon (packaging/jp.zk.vr340a.svg, the one drawing) into
# the PNG sizes the desktop and the program's windows use. Run it after
# changing the drawing and commit the PNGs with it.
set -euo pipefail
cd "$(dirname "$0")/.."
for size in 16 32 48 64 128 256; do
    mkdir -p "packaging/icons/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" packaging/jp.zk.vr340a.svg \
        -o "packaging/icons/${size}x${size}/jp.zk.vr340a.png"
done
