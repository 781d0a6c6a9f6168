#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One instance per user: a second launch hands over, another login cannot take the data folder,
# and SIGTERM quits with the data saved and the lock gone.
. "$(dirname "$0")/journey-lib.sh"

write_two_projects
start_answering
[ "$("$tivrenctl" status)" = "Not tracking" ] || fail "the first instance does not answer"

timeout 10 "$tivren" 2>/dev/null || fail "the second launch did not hand over and exit 0"
kill -0 "$tivren_pid" || fail "the first instance is gone"

# Another login of the same user waits a while for the holder to quit, then says why it gives up.
if dbus-run-session -- timeout 40 "$tivren" 2>"$TMPDIR/second.err"; then
    fail "a second instance ran beside the first"
fi
grep -q "already running" "$TMPDIR/second.err" || fail "no clear message for the locked data folder"

ctl_refused start Nothing
grep -q 'No active project is called "Nothing"' "$TMPDIR/ctl.err" || fail "unclear error: $(cat "$TMPDIR/ctl.err")"

# A timer started through the bus is in the file once the program has quit on SIGTERM...
ctl_ok start acme
stop_tivren
[ ! -e "$lock_file" ] || fail "the lock was left behind"
running_is "$acme_id" || fail "the running timer was not saved"

# ... and after a restart, stopping it records the entry.
start_tivren
wait_until 10 "the restarted Tivren does not show the running timer" \
    bash -c "'$tivrenctl' status 2>/dev/null | grep -q '^Acme '"
sleep 1.1 # one tick of the model's clock, so the entry has a length
ctl_ok stop
stop_tivren
json_check 'd.get("activeSession") is None and len(d["entries"]) == 1' "the stopped timer left no entry, or still runs"
passed
