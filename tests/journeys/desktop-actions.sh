#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop entry's actions, `tivren --stop-timer` and `tivren --new-project`: with Tivren running
# the launch hands over and leaves; without it, the launch becomes Tivren and acts once the data
# file is read. Every window carries the application id in WM_CLASS, as StartupWMClass says.
. "$(dirname "$0")/journey-lib.sh"

new_project_shown() {
    [ -n "$(xdotool search --onlyvisible --name '^New Project$' 2>/dev/null)" ]
}

acme_running_an_hour() {
    write_data_file <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80}],
 "activeSession": {"projectID": "$acme_id", "startDate": "$(date -u -d "-1 hour" +%Y-%m-%dT%H:%M:%SZ)"}}
JSON
}

one_entry_stopped() {
    json_true 'd.get("activeSession") is None and len(d.get("entries", [])) == 1'
}

# Without a running Tivren: the timer the file restores is stopped, and the entry saved.
acme_running_an_hour
start_with() {
    "$tivren" "$1" 2>"$TMPDIR/tivren.err" &
    tivren_pid=$!
    started_pids+=("$tivren_pid")
}
start_with --stop-timer
wait_until 15 "--stop-timer did not stop the restored timer" one_entry_stopped
wait_answering
[ "$("$tivrenctl" status)" = "Not tracking" ] || fail "Tivren still tracks after --stop-timer"
stop_tivren

# Without a running Tivren: the New Project window opens, once the projects are read.
start_with --new-project
wait_until 15 "--new-project did not open the New Project window" new_project_shown
for window in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    xprop -id "$window" WM_CLASS | grep -qx 'WM_CLASS(STRING) = "org.tivren.Tivren", "Tivren"' \
        || fail "a window's class is not the application id: $(xprop -id "$window" WM_CLASS WM_NAME)"
done
stop_tivren

# With Tivren running (in the tray): both launches hand over and leave at once.
acme_running_an_hour
start_notification_server "$TMPDIR/notifications.log" --tray
start_answering
! new_project_shown || fail "the New Project window opened on a plain start"
timeout 10 "$tivren" --stop-timer 2>"$TMPDIR/second.err" || fail "--stop-timer did not hand over: $(cat "$TMPDIR/second.err")"
one_entry_stopped || fail "--stop-timer returned before the stopped entry was on disk"
timeout 10 "$tivren" --new-project 2>"$TMPDIR/second.err" || fail "--new-project did not hand over"
wait_until 10 "the running Tivren did not open the New Project window" new_project_shown
kill -0 "$tivren_pid" || fail "the running Tivren is gone"
stop_tivren

# A running Tivren that cannot save refuses to stop the timer: the launch says why in one line, at once.
acme_running_an_hour
start_read_only "$data_dir"
wait_answering
status=0
timeout 10 "$tivren" --stop-timer 2>"$TMPDIR/second.err" || status=$?
[ "$status" -eq 1 ] || fail "--stop-timer on a read-only Tivren ended with $status instead of 1"
[ "$(wc -l <"$TMPDIR/second.err")" -eq 1 ] && grep -qF "$data_dir" "$TMPDIR/second.err" \
    || fail "the refusal is not one line naming the folder: $(cat "$TMPDIR/second.err")"
running_is "$acme_id" || fail "the read-only Tivren's data file changed"
stop_tivren
chmod u+w "$data_dir"
passed
