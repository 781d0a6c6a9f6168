#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop's validators over Tivren's desktop entry and AppStream metainfo; any error or
# warning fails. validate.sh desktop-entry|metainfo FILE
set -euo pipefail
kind=$1
file=$2

case "$kind" in
desktop-entry)
    command -v desktop-file-validate >/dev/null || { echo "desktop-file-validate is missing (desktop-file-utils)" >&2; exit 1; }
    output=$(desktop-file-validate "$file" 2>&1) || true
    echo "$output"
    # SingleMainWindow came with version 1.5 of the desktop entry format; desktop-file-utils learnt
    # it in 0.27 (Debian 12 has 0.26), so older validators take it for an unknown key.
    known='error: file contains key "SingleMainWindow" in group "Desktop Entry", but keys extending the format should start with "X-"'
    remaining=$(grep -vF "$known" <<<"$output" || true)
    [ -z "$remaining" ] || { echo "FAIL: desktop-file-validate reports the above" >&2; exit 1; }
    grep -qx "SingleMainWindow=true" "$file" || { echo "FAIL: no SingleMainWindow=true" >&2; exit 1; }
    ;;
metainfo)
    command -v appstreamcli >/dev/null || { echo "appstreamcli is missing (appstream)" >&2; exit 1; }
    status=0
    output=$(appstreamcli validate --pedantic --no-net "$file" 2>&1) || status=$?
    echo "$output"
    # Notes of the levels info and pedantic are shown, not failed on (the README explains them).
    if [ "$status" -ne 0 ] || grep -qE '^[EW]: ' <<<"$output"; then
        echo "FAIL: appstreamcli reports errors or warnings (status $status)" >&2
        exit 1
    fi
    ;;
*)
    echo "usage: validate.sh desktop-entry|metainfo FILE" >&2
    exit 2
    ;;
esac
