#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Without Tivren, tivrenctl says so in exactly one line, every time: Qt's D-Bus thread must not
# add its own warnings while the program exits (it did in about a quarter of the runs). And a
# panel asking for waybar's line gets it with nothing on stderr.
. "$(dirname "$0")/journey-lib.sh"

for round in $(seq 50); do
    for verb in stop projects; do
        if ctl "$verb"; then fail "tivrenctl $verb succeeded without Tivren"; fi
        [ "$(cat "$TMPDIR/ctl.err")" = "tivrenctl: Tivren is not running" ] \
            || fail "tivrenctl $verb, run $round, wrote on stderr: $(cat "$TMPDIR/ctl.err")"
    done
    ctl status --waybar || fail "status --waybar failed in run $round"
    [ ! -s "$TMPDIR/ctl.err" ] || fail "status --waybar, run $round, wrote on stderr: $(cat "$TMPDIR/ctl.err")"
done
passed
