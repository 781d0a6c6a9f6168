#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A question about time away left open when Tivren was killed is asked again at the next start:
# tivrenctl status --json shows it until `tivrenctl away` answers it, once, and the answer is on disk.
# The question is opened by the desktop's idle detectors; here it comes from the data file, as
# after any restart.
. "$(dirname "$0")/journey-lib.sh"

now=$(date +%s)
started=$(iso $((now - 3600)))
since=$(iso $((now - 2400)))
until=$(iso $((now - 600)))
write_data_file <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80}],
 "activeSession": {"projectID": "$acme_id", "startDate": "$started"},
 "awayQuestion": {"since": "$since", "until": "$until"},
 "settings": {"awayQuestionEnabled": true}}
JSON

# asked: status --json carries the question, 30 minutes since $since, once the data file is read
# (status answers from the start, before that).
shows_question() {
    ctl_ok status --json
    json_true 'd["away"] == {"since": "'"$since"'", "minutes": 30} and d["tracking"]' "$TMPDIR/ctl.out"
}
asked() {
    wait_until 10 "status --json does not show the question" shows_question
}

start_answering
asked
kill -9 "$tivren_pid"
wait_exit "$tivren_pid" 10
start_answering
asked

ctl_ok away stop
ctl_ok status --json
json_true '"away" not in d and not d["tracking"]' "$TMPDIR/ctl.out" || fail "still asked: $(cat "$TMPDIR/ctl.out")"
json_check '"awayQuestion" not in d and "activeSession" not in d' "the answer is not on disk"
json_check 'd["entries"][0]["startDate"] == "'"$started"'" and d["entries"][0]["endDate"] == "'"$since"'"' \
    "the entry does not end when idleness began"

ctl_refused away keep
grep -q "No question about time away is open" "$TMPDIR/ctl.err" || fail "unclear refusal: $(cat "$TMPDIR/ctl.err")"
if ctl away later; then fail "away later was taken"; else [ $? -eq 2 ] || fail "away later: not a usage error"; fi
stop_tivren
passed
