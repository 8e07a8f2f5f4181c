#!/bin/sh
# Builds the Debian package from the build folder and checks what it holds.
set -eu
build=$1
command -v dpkg-deb >/dev/null || exit 77
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/*.deb)
list=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/zkvr340a ./usr/bin/zkvr340a-ctl ./usr/bin/zkvr340a-sim \
         ./usr/share/applications/jp.zk.vr340a.desktop \
         ./usr/share/metainfo/jp.zk.vr340a.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/jp.zk.vr340a.svg \
         ./usr/share/icons/hicolor/48x48/apps/jp.zk.vr340a.png \
         ./usr/share/man/man1/zkvr340a-ctl.1; do
    printf '%s\n' "$list" | grep -qx "$f" || fail "$f missing from $(basename "$deb")"
done
printf '%s\n' "$list" | grep -q '^\./usr/lib/.*zkvr340a/libdevbridge\.so$' || fail "devbridge missing"
# Nothing outside /usr, nothing of the build or the tests.
printf '%s\n' "$list" | grep -v '^\./usr/' | grep -vx '\./' && fail "files outside /usr"
printf '%s\n' "$list" | grep -E 'tst_|fuzz_|bench' && fail "test or fuzz files packaged"
[ "$(dpkg-deb -f "$deb" Package)" = zkvr340a ] || fail "package name"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends lacks Qt: $(dpkg-deb -f "$deb" Depends)"
echo "$(basename "$deb"): $(printf '%s\n' "$list" | grep -vc '/$') files"
