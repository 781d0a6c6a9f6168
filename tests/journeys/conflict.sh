#!/usr/bin/env bash
# Another program rewrites the data file while Tivren runs: the next change keeps that version
# aside as tivren-data.json.conflict-<time>, byte for byte, and the data file gets the change.
. "$(dirname "$0")/journey-lib.sh"

write_two_projects
start_tivren
wait_answering
ctl_loaded start acme || fail "could not start Acme: $(cat "$TMPDIR/ctl.err")"

# Say, a sync tool bringing in another machine's version: a third project, nothing running.
cat >"$TMPDIR/outside.json" <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80},
              {"name": "Globex", "id": "$globex_id", "hourlyRate": 95},
              {"name": "Initech", "id": "33333333-4444-5555-6666-777777777777", "hourlyRate": 70}]}
JSON
cp "$TMPDIR/outside.json" "$data_file"

ctl start globex || fail "the change after the outside edit failed: $(cat "$TMPDIR/ctl.err")"
conflicts=("$data_dir"/tivren-data.json.conflict-*)
[ -e "${conflicts[0]}" ] || fail "the version written by the other program was not kept"
[ ${#conflicts[@]} -eq 1 ] || fail "more than one conflict copy: ${conflicts[*]}"
cmp -s "${conflicts[0]}" "$TMPDIR/outside.json" || fail "the conflict copy does not hold the other program's bytes"
json_check 'd["activeSession"]["projectID"] == "'$globex_id'"' "the data file does not hold the change"
stop_tivren
cmp -s "${conflicts[0]}" "$TMPDIR/outside.json" || fail "the conflict copy changed at quit"
json_check 'd["activeSession"]["projectID"] == "'$globex_id'"' "the change was lost at quit"
passed
