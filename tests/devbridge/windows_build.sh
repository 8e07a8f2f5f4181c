#!/usr/bin/env bash
# Cross-compiles the Windows devbridge with mingw-w64 and checks what it
# exports and imports. Exit 77 (skipped) when the cross compiler is missing.
# usage: windows_build.sh <source root> <output folder>
set -euo pipefail
src=$1
out=$2
cxx=${MINGW_CXX:-x86_64-w64-mingw32-g++}
objdump=${MINGW_OBJDUMP:-x86_64-w64-mingw32-objdump}
if ! command -v "$cxx" >/dev/null 2>&1; then
    echo "no $cxx: skipped"
    exit 77
fi
mkdir -p "$out"
dll=$out/devbridge.dll
rm -f "$dll"
"$cxx" -std=c++17 -O2 -Wall -Wextra -Werror -I"$src" -shared \
    -static-libgcc -static-libstdc++ -Wl,--enable-stdcall-fixup \
    -o "$dll" "$src/devbridge/devbridge_win.cpp" "$src/devbridge/devbridge.def" -lsetupapi
echo "built $dll"
if ! command -v "$objdump" >/dev/null 2>&1; then
    echo "no $objdump: exports not checked"
    exit 0
fi
dump=$("$objdump" -p "$dll")

# Exports: exactly the five names, undecorated, ordinals in alphabetical order.
exports=$(printf '%s\n' "$dump" | awk '
    /^\[Ordinal\/Name Pointer\] Table/ { inTable = 1; next }
    inTable && /^[[:space:]]*$/ { inTable = 0 }
    inTable { gsub(/[\[\]]/, " "); print $1 + 1, $2 }')
expected=$'1 USBDrv_Close\n2 USBDrv_Init\n3 USBDrv_Open\n4 USBDrv_Read\n5 USBDrv_Write'
if [[ "$exports" != "$expected" ]]; then
    echo "unexpected exports:"; printf '%s\n' "$exports"
    exit 1
fi

# Imports: system libraries only, so the DLL runs without a compiler runtime.
imports=$(printf '%s\n' "$dump" | awk '/DLL Name:/ { print toupper($3) }' | sort -u)
for dllName in $imports; do
    case $dllName in
        KERNEL32.DLL|SETUPAPI.DLL|MSVCRT.DLL|API-MS-WIN-*|UCRTBASE.DLL) ;;
        *) echo "unexpected import $dllName"; exit 1 ;;
    esac
done
echo "exports and imports as expected"
