#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Another program rewrites the data file while Tivren runs: the next change keeps that version
# aside as tivren-data.json.conflict-<time>, byte for byte, and the data file gets the change.
. "$(dirname "$0")/journey-lib.sh"

write_two_projects
start_answering
ctl_ok start acme

# Say, a sync tool bringing in another machine's version: a third project, nothing running.
cat >"$TMPDIR/outside.json" <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80},
              {"name": "Globex", "id": "$globex_id", "hourlyRate": 95},
              {"name": "Initech", "id": "33333333-4444-5555-6666-777777777777", "hourlyRate": 70}]}
JSON
cp "$TMPDIR/outside.json" "$data_file"

ctl_ok start globex
conflicts=("$data_dir"/tivren-data.json.conflict-*)
[ ${#conflicts[@]} -eq 1 ] || fail "not one conflict copy: ${conflicts[*]}"
cmp -s "${conflicts[0]}" "$TMPDIR/outside.json" || fail "the conflict copy does not hold the other program's bytes"
running_is "$globex_id" || fail "the data file does not hold the change"
stop_tivren
cmp -s "${conflicts[0]}" "$TMPDIR/outside.json" || fail "the conflict copy changed at quit"
running_is "$globex_id" || fail "the change was lost at quit"
passed
