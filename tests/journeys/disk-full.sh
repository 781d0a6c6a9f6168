#!/usr/bin/env bash
# A full disk, made by failing every fsync of the running program (strace fault injection; strace
# detaching is the space coming back). A change is not confirmed while it cannot be written, stays
# in memory and lands as soon as it can. Quitting while nothing can be written says so: one line on
# stderr, exit status 1, and a dialog (with a display) or a desktop notification (without one).
. "$(dirname "$0")/journey-lib.sh"

full_disk() {
    strace_attach "$tivren_pid" "$TMPDIR/strace-$1" -e trace=fsync -e inject=fsync:error=ENOSPC
}

# expect_one_unsaved_line NAME: the program's stderr ($TMPDIR/NAME.err) holds the one line.
expect_one_unsaved_line() {
    [ "$(grep -c "Tivren could not save" "$TMPDIR/$1.err")" -eq 1 ] \
        || fail "not one 'Tivren could not save' line on stderr: $(cat "$TMPDIR/$1.err")"
    grep "Tivren could not save" "$TMPDIR/$1.err" | grep -qF "$data_file" \
        || fail "the line does not name the data file: $(cat "$TMPDIR/$1.err")"
}

write_two_projects
start_notification_server "$TMPDIR/notifications.log"
start_tivren
wait_answering
ctl_loaded start acme || fail "could not start Acme: $(cat "$TMPDIR/ctl.err")"

full_disk 1
if ctl start globex; then fail "a change was confirmed while the disk was full"; fi
grep -q "No space left on device" "$TMPDIR/ctl.err" || fail "the refusal does not say why: $(cat "$TMPDIR/ctl.err")"
"$tivrenctl" status | grep -q '^Globex ' || fail "the change did not stay in memory"
json_check 'd["activeSession"]["projectID"] == "'$acme_id'"' "the file changed while the disk was full"

# Space again: the retry writes the change within a few seconds.
strace_detach
wait_until 10 "the change was not written after space came back" \
    json_true 'd["activeSession"]["projectID"] == "'$globex_id'"'

# Quitting while the disk is full, with a display: the line on stderr, a dialog, exit status 1.
# A second SIGTERM closes the dialog, as a session that ends would.
full_disk 2
if ctl stop; then fail "a stop was confirmed while the disk was full"; fi
kill -TERM "$tivren_pid"
wait_until 20 "no dialog said that the changes were not saved" window_shown "Changes not saved"
wait_until 5 "nothing on stderr about the lost changes" grep -q "Tivren could not save" "$TMPDIR/tivren.err"
kill -TERM "$tivren_pid"
wait_exit "$tivren_pid" 20
[ "$exit_status" -eq 1 ] || fail "quitting with unsaved changes exited with $exit_status, not 1"
expect_one_unsaved_line tivren
json_check 'd["activeSession"]["projectID"] == "'$globex_id'"' "the file changed while the disk was full"

# Without a display (offscreen): the desktop notification says it instead.
QT_QPA_PLATFORM=offscreen start_tivren offscreen
wait_answering
ctl_loaded stop || fail "could not stop: $(cat "$TMPDIR/ctl.err")"
full_disk 3
if ctl start acme; then fail "a start was confirmed while the disk was full"; fi
kill -TERM "$tivren_pid"
wait_exit "$tivren_pid" 20
[ "$exit_status" -eq 1 ] || fail "quitting offscreen with unsaved changes exited with $exit_status, not 1"
expect_one_unsaved_line offscreen
grep -q "Tivren could not save" "$TMPDIR/notifications.log" \
    || fail "no notification about the lost changes: $(cat "$TMPDIR/notifications.log" 2>/dev/null)"
json_check 'd.get("activeSession") is None' "the confirmed stop was lost"
passed
