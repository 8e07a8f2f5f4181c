#!/bin/sh
# Installs the build into a scratch prefix and uses it as a user would: both
# tools show their manual, and the installed tool reaches a virtual mixer over
# USB through the devbridge of the installed layout (none lies beside it).
set -eu
build=$1
prefix=$(mktemp -d)
usb=$(mktemp -d)
sim_pid=
cleanup() {
    [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
    rm -rf "$prefix" "$usb"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/zkvr340a bin/zkvr340a-ctl bin/zkvr340a-sim \
         share/applications/jp.zk.vr340a.desktop share/metainfo/jp.zk.vr340a.metainfo.xml \
         share/icons/hicolor/scalable/apps/jp.zk.vr340a.svg; do
    [ -e "$prefix/$f" ] || fail "$f not installed"
done
devbridge=$(find "$prefix" -name libdevbridge.so)
[ -n "$devbridge" ] || fail "libdevbridge.so not installed"
[ "$(dirname "$devbridge")" != "$prefix/bin" ] || fail "devbridge lies in bin/"
[ ! -e "$prefix/bin/libdevbridge.so" ] || fail "devbridge in bin/"

for tool in zkvr340a-ctl zkvr340a-sim; do
    manual=$(ZKVR340A_LANGUAGE=en "$prefix/bin/$tool" --help)
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" EXAMPLES; do
        printf '%s\n' "$manual" | grep -qx "$section" || fail "$tool --help lacks $section"
    done
done

# The man page is the English --help: every line of the manual is in it.
page="$prefix/share/man/man1/zkvr340a-ctl.1"
[ -f "$page" ] || fail "zkvr340a-ctl.1 not installed"
manual=$(ZKVR340A_LANGUAGE=en "$prefix/bin/zkvr340a-ctl" --help)
for synopsis in "status [--json]" "load [--dry-run [--json]] [--full] [--yes] [--raw] FILE" "firmware KIND FILE"; do
    printf '%s\n' "$manual" | grep -qF "$synopsis" || fail "--help lacks $synopsis"
    printf '%s\n' "$synopsis" | sed 's/-/\\-/g' | grep -qF -f - "$page" || fail "the man page lacks $synopsis"
done
if command -v man >/dev/null; then
    rendered=$(MANWIDTH=100 man -l "$page" 2>/dev/null | col -b)
    printf '%s\n' "$rendered" | grep -q "zkvr340a-ctl - read and write ZK-VR340a mixers" \
        || fail "man -l zkvr340a-ctl.1 does not show the manual"
fi

# The installed virtual mixer on a USB FIFO pair, the installed tool on --usb.
fifo=$(mktemp -u)
mkfifo "$fifo"
"$prefix/bin/zkvr340a-sim" --usb "$usb" --mixers 2 >"$fifo" &
sim_pid=$!
read -r ready <"$fifo"
rm -f "$fifo"
case "$ready" in ready*) ;; *) fail "virtual mixer did not start: $ready" ;; esac
out=$(cd / && DEVBRIDGE_DEVICE_ROOT="$usb" "$prefix/bin/zkvr340a-ctl" --usb status --json) \
    || fail "installed zkvr340a-ctl --usb status failed"
printf '%s\n' "$out" | grep -q '"mixer_count": 2' || fail "unexpected status: $out"
echo "installed layout works: $devbridge"
