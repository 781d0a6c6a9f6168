#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A full disk (every fsync fails, by strace; detaching is space coming back): a change is not
# confirmed, stays in memory and lands once it can; quitting then says so on stderr, with exit
# status 1 and a dialog (with a display) or a desktop notification (without one).
. "$(dirname "$0")/journey-lib.sh"

full_disk() {
    strace_attach "$tivren_pid" "$TMPDIR/strace-$1" -e trace=fsync -e inject=fsync:error=ENOSPC
}

# expect_one_unsaved_line NAME: the program's stderr ($TMPDIR/NAME.err) holds the one line.
expect_one_unsaved_line() {
    [ "$(grep -c "Tivren could not save" "$TMPDIR/$1.err")" -eq 1 ] \
        && grep -q "Tivren could not save.*$data_file" "$TMPDIR/$1.err" \
        || fail "not one 'Tivren could not save' line naming the data file: $(cat "$TMPDIR/$1.err")"
}

write_two_projects
start_notification_server "$TMPDIR/notifications.log"
start_answering
ctl_ok start acme

full_disk 1
ctl_refused start globex
grep -q "No space left on device" "$TMPDIR/ctl.err" || fail "the refusal does not say why: $(cat "$TMPDIR/ctl.err")"
"$tivrenctl" status | grep -q '^Globex ' || fail "the change did not stay in memory"
running_is "$acme_id" || fail "the file changed while the disk was full"

strace_detach
wait_until 10 "the change was not written after space came back" running_is "$globex_id"

# Quitting while the disk is full, with a display. A second SIGTERM closes the dialog, as a
# session that ends would.
full_disk 2
ctl_refused stop
kill -TERM "$tivren_pid"
wait_until 20 "no dialog said that the changes were not saved" window_shown "Changes not saved"
wait_until 5 "nothing on stderr about the lost changes" grep -q "Tivren could not save" "$TMPDIR/tivren.err"
kill -TERM "$tivren_pid"
wait_exit "$tivren_pid" 20 1
expect_one_unsaved_line tivren
running_is "$globex_id" || fail "the file changed while the disk was full"

# Without a display (offscreen): the desktop notification says it instead.
QT_QPA_PLATFORM=offscreen start_answering offscreen
ctl_ok stop
full_disk 3
ctl_refused start acme
kill -TERM "$tivren_pid"
wait_exit "$tivren_pid" 20 1
expect_one_unsaved_line offscreen
grep -q "Tivren could not save" "$TMPDIR/notifications.log" \
    || fail "no notification about the lost changes: $(cat "$TMPDIR/notifications.log" 2>/dev/null)"
json_check 'd.get("activeSession") is None' "the confirmed stop was lost"
passed
