#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Started where there is no graphical session (a bare ssh login, a cron job): one clear line and
# exit status 1, instead of Qt's abort.
. "$(dirname "$0")/journey-lib.sh"

status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$tivren" 2>"$TMPDIR/tivren.err" || status=$?
[ $status -eq 1 ] || fail "Tivren without a display exited with $status: $(head -n 2 "$TMPDIR/tivren.err")"
[ "$(wc -l <"$TMPDIR/tivren.err")" -eq 1 ] || fail "more than one line on stderr: $(cat "$TMPDIR/tivren.err")"
grep -q "DISPLAY" "$TMPDIR/tivren.err" || fail "the message does not say what is missing: $(cat "$TMPDIR/tivren.err")"
grep -q "tivrenctl report" "$TMPDIR/tivren.err" || fail "the message does not say what works instead: $(cat "$TMPDIR/tivren.err")"
# What needs no session at all: the version and the usage, on stdout, with status 0.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$tivren" --version) || fail "tivren --version failed"
[[ $version =~ ^tivren\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "tivren --version said: $version"
env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$tivren" --help | grep -q "tivrenctl" || fail "tivren --help does not name tivrenctl"
passed
