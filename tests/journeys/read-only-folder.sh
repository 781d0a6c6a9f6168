#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# An unwritable data folder (a read-only mount, another user's folder) is not taken for a running
# Tivren: it starts read-only, shows its main window (even from the tray) with the reason, refuses
# changes with that reason, and leaves the file alone.
. "$(dirname "$0")/journey-lib.sh"

# expect_read_only FOLDER: Tivren started with FOLDER unwritable works read-only and says why.
expect_read_only() {
    start_read_only "$1"
    wait_answering
    ! grep -q "already running" "$TMPDIR/tivren.err" || fail "an unwritable folder was taken for a running Tivren"
    wait_until 10 "the main window did not open to say why nothing is saved" window_shown Tivren
    ctl_refused start acme
    grep -qF "$data_dir" "$TMPDIR/ctl.err" || fail "the refusal does not name the folder: $(cat "$TMPDIR/ctl.err")"
    grep -qE "Read-only file system|Permission denied" "$TMPDIR/ctl.err" \
        || fail "the refusal does not give the system's reason: $(cat "$TMPDIR/ctl.err")"
    stop_tivren
}

start_notification_server "$TMPDIR/notifications.log" --tray

# The data folder is there, with the data file, but read-only.
write_two_projects
cp "$data_file" "$TMPDIR/original.json"
expect_read_only "$data_dir"
cmp -s "$data_file" "$TMPDIR/original.json" || fail "the data file changed"

# First run, with XDG_DATA_HOME read-only: the data folder cannot even be made.
rm -rf "$data_dir"
expect_read_only "$XDG_DATA_HOME"
[ ! -e "$data_dir" ] || fail "a data folder appeared in a read-only place"
passed
