#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Keys this version does not know (a newer Tivren's, or by hand) are kept through a change; a value
# it cannot understand makes it refuse changes, keep a copy, and leave the file as it was.
. "$(dirname "$0")/journey-lib.sh"

write_data_file <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80, "clientName": "Acme Corporation"}],
 "invoices": [{"number": "2026-001", "total": 1234.5, "lines": [1, 2]}]}
JSON
start_answering
ctl_ok start acme
stop_tivren
json_check '(d["activeSession"]["projectID"] == "'$acme_id'" and d["projects"][0].get("clientName") == "Acme Corporation"
    and d.get("invoices") == [{"number": "2026-001", "total": 1234.5, "lines": [1, 2]}])' \
    "the change was not saved, or an unknown key was lost"

# An enum value this version does not know.
write_data_file <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80, "billingRoundingStrategy": "banker"}]}
JSON
cp "$data_file" "$TMPDIR/original.json"
start_answering
ctl_refused start acme
copy=$(grep -o "[^ ]*tivren-data\.json\.unreadable-[^ )\"]*" "$TMPDIR/ctl.err" | head -n 1 | sed 's/[.,;:]$//' || true)
[[ $copy == /* ]] || copy="$data_dir/$copy"
cmp -s "$copy" "$TMPDIR/original.json" || fail "the refusal does not name a copy that holds the file: $(cat "$TMPDIR/ctl.err")"
stop_tivren
cmp -s "$data_file" "$TMPDIR/original.json" || fail "the file that could not be read was changed"
passed
