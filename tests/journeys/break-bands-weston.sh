#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A Pomodoro break under Weston, which has no layer shell: no bands and no window of any kind
# (Qt's windows would land mid-screen); Tivren says so once in its log and keeps running.
. "$(dirname "$0")/journey-lib.sh"
become_desktop_user "$@"

start_weston
write_pomodoro_projects
# Every request Tivren sends to the compositor, to count the surfaces it makes.
export WAYLAND_DEBUG=client
start_answering
ctl_ok start acme
surfaces() {
    grep -c -e "create_surface(" -e "get_toplevel(" "$TMPDIR/tivren.err" || true
}
sleep 1 # the main window is made and shown
before=$(surfaces)
[ "$before" -gt 0 ] || fail "the main window's surface is not in the protocol log"

ctl_ok skip
ctl_ok status
grep -q "Short break" "$TMPDIR/ctl.out" || fail "no short break after skipping work: $(cat "$TMPDIR/ctl.out")"
sleep 1 # longer than any fade-in
[ "$(surfaces)" -eq "$before" ] || fail "the break made surfaces or windows ($before before, $(surfaces) after)"
[ "$(grep -c "Break bands are not shown on this desktop" "$TMPDIR/tivren.err")" -eq 1 ] \
    || fail "the missing layer shell was not logged once"
ctl_ok skip
ctl_ok status
kill -0 "$tivren_pid" || fail "Tivren ended during the break"
passed
