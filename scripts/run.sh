#!/usr/bin/env bash
# Sets up, builds and starts the program against a chain of three virtual
# mixers on loopback. Choose "Ethernet" in the link choice to reach them; the
# other links work as usual (real hardware). ZKVR340A_NO_SIM=1 skips the
# virtual mixers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh

if [ "${ZKVR340A_NO_SIM:-0}" = 1 ]; then
    exec build/bin/zkvr340a "$@"
fi

ready=$(mktemp)
# The search goes to loopback too: the mixers answer on port 41001 and reply
# to 41002, where the program listens.
build/bin/zkvr340a-sim --mixers 3 --tcp 127.0.0.1:0 --search-port 41001 --reply-port 41002 --address 127.0.0.1 >"$ready" &
sim=$!
trap 'kill $sim 2>/dev/null || true; rm -f "$ready"' EXIT
for _ in $(seq 50); do grep -q '^ready' "$ready" && break; sleep 0.1; done
tcp=$(sed -n 's/^ready.*tcp=\([^ ]*\).*/\1/p' "$ready")
[ -n "$tcp" ] || { echo "the virtual mixer did not start" >&2; exit 1; }
echo "virtual mixers: $tcp"

# The program reads its Ethernet target from ZK-VR340a.ini. The demo keeps its
# configuration (that file and the last settings file name) in a folder of its
# own, so an installation's ~/.config/ZK-VR340a is never touched.
confdir="$PWD/build/demo-config"
mkdir -p "$confdir"
printf '[IP_Setting]\r\nIP_Address=%s\r\nUser_ID=administrator\r\n' "${tcp%:*}" >"$confdir/ZK-VR340a.ini"
echo "demo configuration: $confdir"
echo "user ID for the mixer search: administrator"
ZKVR340A_CONFIG_DIR="$confdir" ZKVR340A_TCP_PORT="${tcp##*:}" ZKVR340A_SEARCH_ADDRESS=127.0.0.1 \
    ZKVR340A_SEARCH_PORT=41001 ZKVR340A_SEARCH_REPLY_PORT=41002 \
    build/bin/zkvr340a "$@"
