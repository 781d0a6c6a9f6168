#!/usr/bin/env bash
# One instance per user: a second launch hands over to the running one, another login (another
# bus) cannot take the data folder, tivrenctl drives the one process, and SIGTERM quits with the
# data saved and the lock gone.
. "$(dirname "$0")/journey-lib.sh"

write_data_file <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80}]}
JSON
start_tivren
first=$tivren_pid
wait_answering
[ "$("$tivrenctl" status)" = "Not tracking" ] || fail "the first instance does not answer"

# A second launch hands over to the first and leaves.
timeout 10 "$tivren" 2>/dev/null || fail "the second launch did not exit 0"
kill -0 "$first" || fail "the first instance is gone"

# Another bus (another login of the same user) cannot take the data folder; it waits a while for
# the holder to quit, then says why it gives up.
if dbus-run-session -- timeout 40 "$tivren" 2>"$TMPDIR/second.err"; then
    fail "a second instance ran beside the first"
fi
grep -q "already running" "$TMPDIR/second.err" || fail "no clear message for the locked data folder"

# tivrenctl's errors are clear and non-zero.
if ctl start Nothing; then fail "an unknown project was accepted"; fi
grep -q 'No active project is called "Nothing"' "$TMPDIR/ctl.err" || fail "unclear error: $(cat "$TMPDIR/ctl.err")"

# A timer started through the bus is in the file once the program has quit on SIGTERM...
ctl_loaded start acme || fail "could not start Acme: $(cat "$TMPDIR/ctl.err")"
stop_tivren
[ ! -e "$lock_file" ] || fail "the lock was left behind"
json_check 'd["activeSession"]["projectID"] == "'$acme_id'"' "the running timer was not saved"

# ... and after a restart, stopping it records the entry.
start_tivren
wait_until 10 "the restarted Tivren does not show the running timer" \
    bash -c "'$tivrenctl' status 2>/dev/null | grep -q '^Acme '"
sleep 1.1 # one tick of the model's clock, so the entry has a length
ctl stop || fail "could not stop: $(cat "$TMPDIR/ctl.err")"
stop_tivren
json_check 'd.get("activeSession") is None and len(d["entries"]) == 1' "the stopped timer left no entry, or still runs"
passed
