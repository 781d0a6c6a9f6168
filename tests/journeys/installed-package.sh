#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The first minutes with a freshly installed Tivren: it starts on a data file with one project,
# tivrenctl starts and stops a timer, the entry is on disk, and SIGTERM quits cleanly.
# scripts/package --check --install runs it on /usr/bin/tivren and /usr/bin/tivrenctl; ctest on the
# build tree's programs.
. "$(dirname "$0")/journey-lib.sh"

write_data_file <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80}]}
JSON
start_answering
ctl_ok start Acme
# Tracking Acme, for a second at least: a timer stopped within its first second leaves no entry.
tracked_a_second() {
    ctl status --json && python3 -c 'import json, sys
s = json.load(open(sys.argv[1]))
sys.exit(not (s["tracking"] is True and s["projectID"] == sys.argv[2] and s["elapsedSeconds"] >= 1))' \
        "$TMPDIR/ctl.out" "$acme_id"
}
wait_until 5 "tivrenctl status --json never said Acme was tracked for a second" tracked_a_second
ctl_ok stop
json_check '[e["projectID"] for e in d.get("entries", [])] == ["'"$acme_id"'"]' \
    "the stopped timer is not the data file's one entry"
stop_tivren
[ ! -s "$TMPDIR/tivren.err" ] || fail "Tivren wrote to stderr: $(head -n 3 "$TMPDIR/tivren.err")"
passed
