#!/usr/bin/env bash
# A data folder that cannot be written (a read-only mount, a folder of another user): Tivren does
# not claim to be running already; it starts read-only, shows its main window (even when it lives
# in the tray) with the reason, refuses changes with that reason, and leaves the file alone.
. "$(dirname "$0")/journey-lib.sh"

# run_read_only FOLDER: starts Tivren with FOLDER unwritable. Root writes through any mode, so for
# root the folder becomes a read-only mount in a mount namespace of Tivren's own.
run_read_only() {
    if [ "$(id -u)" -eq 0 ]; then
        unshare -m bash -c 'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && exec "$2"' \
            read-only "$1" "$tivren" 2>"$TMPDIR/tivren.err" &
        tivren_pid=$!
        started_pids+=("$tivren_pid")
    else
        chmod a-w "$1"
        start_tivren
    fi
}

# expect_read_only FOLDER: the running Tivren works read-only and says why, naming FOLDER.
expect_read_only() {
    local folder=$1
    wait_answering
    kill -0 "$tivren_pid" 2>/dev/null || fail "Tivren quit: $(cat "$TMPDIR/tivren.err")"
    ! grep -q "already running" "$TMPDIR/tivren.err" || fail "an unwritable folder was taken for a running Tivren"
    wait_until 10 "the main window did not open to say why nothing is saved" window_shown Tivren
    if ctl_loaded start acme; then fail "a change was accepted that cannot be saved"; fi
    grep -qF "$folder" "$TMPDIR/ctl.err" || fail "the refusal does not name the folder: $(cat "$TMPDIR/ctl.err")"
    grep -qE "Read-only file system|Permission denied" "$TMPDIR/ctl.err" \
        || fail "the refusal does not give the system's reason: $(cat "$TMPDIR/ctl.err")"
}

start_notification_server "$TMPDIR/notifications.log" --tray

# The data folder is there, with the data file, but read-only.
write_two_projects
cp "$data_file" "$TMPDIR/original.json"
run_read_only "$data_dir"
expect_read_only "$data_dir"
stop_tivren
cmp -s "$data_file" "$TMPDIR/original.json" || fail "the data file changed"

# First run, with XDG_DATA_HOME read-only: the data folder cannot even be made.
rm -rf "$data_dir"
run_read_only "$XDG_DATA_HOME"
expect_read_only "$data_dir"
stop_tivren
[ ! -e "$data_dir" ] || fail "a data folder appeared in a read-only place"
passed
