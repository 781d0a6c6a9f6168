#!/usr/bin/env bash
# SIGHUP (the terminal closed, or the session ends) while a save is being written: Tivren quits as
# on SIGTERM, the save lands, and the lock goes.
. "$(dirname "$0")/journey-lib.sh"

write_two_projects
start_tivren
wait_answering
ctl_loaded start acme || fail "could not start Acme: $(cat "$TMPDIR/ctl.err")"

# A slow disk: every fsync takes half a second, so the next save is caught in the middle.
strace_attach "$tivren_pid" "$TMPDIR/strace" -e trace=fsync -e inject=fsync:delay_enter=500000
"$tivrenctl" start globex 2>/dev/null &
wait_until 5 "the save of the switch to Globex did not begin" \
    bash -c "ls -A '$data_dir' | grep -qvx -e tivren-data.json -e tivren.lock"
kill -HUP "$tivren_pid"
wait_exit "$tivren_pid" 20
[ "$exit_status" -eq 0 ] || fail "SIGHUP ended Tivren with status $exit_status instead of quitting cleanly"
[ ! -e "$lock_file" ] || fail "the lock was left behind"
json_check 'd["activeSession"]["projectID"] == "'$globex_id'"' "the save under way when SIGHUP came was lost"
passed
