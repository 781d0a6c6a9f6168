#!/usr/bin/env bash
# Launching Tivren while the running one is still quitting (its last save on its way to disk):
# the new launch waits for the old one to go, then starts with the saved data, instead of handing
# over to a program that is leaving.
. "$(dirname "$0")/journey-lib.sh"

write_two_projects
start_tivren first
first=$tivren_pid
wait_answering
ctl_loaded start acme || fail "could not start Acme: $(cat "$TMPDIR/ctl.err")"

# A slow disk: every fsync of the first instance takes half a second.
strace_attach "$first" "$TMPDIR/strace" -e trace=fsync -e inject=fsync:delay_enter=500000
"$tivrenctl" start globex 2>/dev/null &
# Quit while that save is being written (its temporary file is there), and launch again at once.
wait_until 5 "the save of the switch to Globex did not begin" \
    bash -c "ls -A '$data_dir' | grep -qvx -e tivren-data.json -e tivren.lock"
kill -TERM "$first"
# Launch again as soon as the first has let go of its bus name, or after half a second at most
# (it is still busy with that save then, whether or not it let go).
for _ in $(seq 10); do
    name_owned org.tivren.Tivren || break
    sleep 0.05
done
start_tivren second
second=$tivren_pid

wait_exit "$first" 30
[ "$exit_status" -eq 0 ] || fail "the first instance exited with $exit_status"
wait_until 30 "the launch made while Tivren was quitting did not start" \
    bash -c "'$tivrenctl' status 2>/dev/null | grep -q '^Globex '"
kill -0 "$second" 2>/dev/null || fail "the second launch is not running"
tivren_pid=$second
stop_tivren
json_check 'd["activeSession"]["projectID"] == "'$globex_id'"' "the switch to Globex was lost"
passed
