#!/usr/bin/env bash
# The Linux library exports exactly the five functions.
# usage: linux_exports.sh <path of libdevbridge.so>
set -euo pipefail
lib=$1
defined=$(nm -D --defined-only "$lib" | awk '$2 == "T" || $2 == "W" || $2 == "D" || $2 == "B" { print $3 }' | sort)
expected=$'USBDrv_Close\nUSBDrv_Init\nUSBDrv_Open\nUSBDrv_Read\nUSBDrv_Write'
if [[ "$defined" != "$expected" ]]; then
    echo "unexpected exports:"; printf '%s\n' "$defined"
    exit 1
fi
echo "exports as expected"
