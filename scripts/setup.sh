#!/usr/bin/env bash
# Installs every Debian 12 package that building, running and testing need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-tools-dev qt6-l10n-tools
    qt6-translations-l10n libgl-dev
    fonts-ipafont-gothic fontconfig
    openssl socat g++-mingw-w64-x86-64-win32 poppler-utils
    desktop-file-utils appstream dpkg-dev librsvg2-bin
    qt6-httpserver-dev qt6-websockets-dev libqrencode-dev
    chromium
    prometheus libsystemd-dev
)
# Developers who build several checkouts side by side (ZK_CCACHE=1) share one
# compiler cache; CI builds once from clean and does without it.
[ "${ZK_CCACHE:-0}" = 1 ] && packages+=(ccache)
# The sanitized libFuzzer runs (scripts/fuzz.sh) build with clang and its runtime.
[ "${ZK_FUZZ:-0}" = 1 ] && packages+=(clang libclang-rt-14-dev)
# Trying the program on a virtual display under a window manager, driven as a
# room's desktop would drive it (ZK_DISPLAY_CHECKS=1); the tests do without.
[ "${ZK_DISPLAY_CHECKS:-0}" = 1 ] && packages+=(xvfb openbox xdotool)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    # Packages with a service (prometheus, which the metrics test runs by
    # itself on loopback) would start it where no service manager runs, as
    # in a container: the policy file says no, for this install only.
    policy=""
    if [ ! -d /run/systemd/system ] && [ ! -e /usr/sbin/policy-rc.d ]; then
        policy=/usr/sbin/policy-rc.d
        trap '$SUDO rm -f "$policy"' EXIT
        printf '#!/bin/sh\nexit 101\n' | $SUDO tee "$policy" >/dev/null
        $SUDO chmod 755 "$policy"
    fi
    # Unpacking without a sync after every file: a machine that loses power
    # meanwhile runs this again.
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
        -o Dpkg::Options::=--force-unsafe-io "${missing[@]}"
fi

# The appearance texts name the Windows Japanese gothic fonts; let fontconfig
# render them with the installed IPA gothic.
fontdir="${XDG_CONFIG_HOME:-$HOME/.config}/fontconfig/conf.d"
mkdir -p "$fontdir"
cp "$(dirname "$0")/60-zkvr340a-fonts.conf" "$fontdir/60-zkvr340a-fonts.conf"
# The font lists are cached per folder and the rules above change no
# folder: only folders new since the last run are read.
fc-cache >/dev/null 2>&1 || true
