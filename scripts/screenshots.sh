#!/usr/bin/env bash
# Renews the window pictures in docs/screenshots: the window tests take them
# offscreen when ZKVR340A_SCREENSHOTS names a folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
out="$PWD/docs/screenshots"
mkdir -p "$out"
ZKVR340A_SCREENSHOTS="$out" ctest --test-dir build --output-on-failure \
    -R '^(tst_appwindows|tst_jobwindows|tst_ipsettings|tst_directaccess|tst_ethersetting|tst_panelwindow|tst_designer|tst_panelsurface|tst_buttontable|tst_frmmixer|tst_editoraccess|tst_printform|tst_editordialogs|tst_firmwarewire|tst_loadcompare|tst_offlineengineering|tst_activitywindow|tst_panelaccess|tst_remoteserver|tst_remotebrowser|tst_operatorlock)$'
ls "$out"
