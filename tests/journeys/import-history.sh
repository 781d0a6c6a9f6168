#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Bringing history from other trackers: a Toggl Track and a Clockify CSV export, a Timewarrior
# export and Watson's frames, each previewed (nothing changes), imported through the running Tivren
# and checked entry by entry; importing any of them again adds nothing.
. "$(dirname "$0")/journey-lib.sh"

fixtures="$(dirname "$0")/../data/import"

# The data file's entries as "project|start|end|notes" lines, by start.
entries() {
    python3 -c 'import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
names = {p["id"]: p["name"] for p in d["projects"]}
for e in sorted(d.get("entries", []), key=lambda e: (e["startDate"], e["endDate"])):
    print("%s|%s|%s|%s" % (names.get(e["projectID"], "?"), e["startDate"], e["endDate"], e.get("notes", "").replace("\n", "\\n")))' \
        "$data_file"
}

# import_ok FILE EXPECTED_SUMMARY_LINE: preview (no change), then import.
import_ok() {
    local before
    before=$(sha256sum "$data_file")
    ctl_ok import "$fixtures/$1"
    grep -qF "$2" "$TMPDIR/ctl.out" || fail "preview of $1: $(cat "$TMPDIR/ctl.out")"
    grep -q "Nothing was changed" "$TMPDIR/ctl.out" || fail "the preview of $1 does not say nothing changed"
    [ "$(sha256sum "$data_file")" = "$before" ] || fail "the preview of $1 changed the data file"
    ctl_ok import --yes "$fixtures/$1"
    grep -qF "$(sed 's/to add/added/; s/to skip/skipped/' <<<"$2")" "$TMPDIR/ctl.out" \
        || fail "import of $1: $(cat "$TMPDIR/ctl.out")"
}

entries_are() {
    diff <(entries) - >"$TMPDIR/entries.diff" || fail "entries after $1 differ (< file, > expected): $(cat "$TMPDIR/entries.diff")"
}

write_data_file <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80}]}
JSON
start_answering

import_ok toggl-detailed.csv "Toggl Track CSV: 3 entries to add, 0 duplicates to skip, 1 record rejected."
grep -q "line 6: it has no end" "$TMPDIR/ctl.out" || fail "the running entry's rejection: $(cat "$TMPDIR/ctl.out")"
grep -qx "New projects: No Project, Globex Redesign" "$TMPDIR/ctl.out" || fail "new projects: $(cat "$TMPDIR/ctl.out")"
# Across the spring change (23:00 CET to 04:00 CEST is four hours) and the autumn one (02:30 on
# the night the clocks go back is its first occurrence, in summer time).
entries_are "Toggl" <<'EXPECTED'
Acme|2026-03-14T08:00:00Z|2026-03-14T09:30:00Z|Kick-off call, "urgent" #client #phone
No Project|2026-03-28T22:00:00Z|2026-03-29T02:00:00Z|Notes over\ntwo lines
Globex Redesign|2026-10-24T20:30:00Z|2026-10-25T00:30:00Z|Wireframes #design
EXPECTED

import_ok clockify-detailed.csv "Clockify CSV: 2 entries to add, 0 duplicates to skip, 1 record rejected."
grep -q "line 4: its end is not after its start" "$TMPDIR/ctl.out" || fail "$(cat "$TMPDIR/ctl.out")"
import_ok timewarrior-export.json "Timewarrior export: 1 entry to add, 1 duplicate to skip, 1 record rejected."
grep -q "line 4: it has no end" "$TMPDIR/ctl.out" || fail "$(cat "$TMPDIR/ctl.out")"
import_ok watson-frames.json "Watson frames: 2 entries to add, 0 duplicates to skip, 1 record rejected."
entries_are "all four" <<'EXPECTED'
Acme|2026-03-14T08:00:00Z|2026-03-14T09:30:00Z|Kick-off call, "urgent" #client #phone
Acme|2026-03-14T09:00:00Z|2026-03-14T10:00:00Z|#design #review
No Project|2026-03-28T22:00:00Z|2026-03-29T02:00:00Z|Notes over\ntwo lines
No Project|2026-03-28T23:30:00Z|2026-03-29T00:30:00Z|
Initech|2026-03-29T00:30:00Z|2026-03-29T01:30:00Z|
Acme|2026-04-02T07:00:00Z|2026-04-02T07:45:00Z|
Globex Redesign|2026-04-13T21:30:00Z|2026-04-13T23:00:00Z|Design review, part 1 #design #review
Globex Redesign|2026-10-24T20:30:00Z|2026-10-25T00:30:00Z|Wireframes #design
EXPECTED
json_check 'len(d["projects"]) == 4' "projects were created twice"

# Again: nothing new, whichever file.
for fixture in toggl-detailed.csv clockify-detailed.csv timewarrior-export.json watson-frames.json; do
    ctl_ok import --yes "$fixtures/$fixture"
    grep -q ": 0 entries added" "$TMPDIR/ctl.out" || fail "importing $fixture again added: $(cat "$TMPDIR/ctl.out")"
done

# What is not an export is refused in one line, and the data file stays as it was.
before=$(sha256sum "$data_file")
ctl_refused import --yes "$data_file"
grep -q "is not a Toggl Track or Clockify" "$TMPDIR/ctl.err" && [ "$(wc -l <"$TMPDIR/ctl.err")" -eq 1 ] \
    || fail "unclear refusal: $(cat "$TMPDIR/ctl.err")"
ctl_refused import "$TMPDIR/missing.csv"
grep -q "cannot read" "$TMPDIR/ctl.err" || fail "unclear refusal of a missing file: $(cat "$TMPDIR/ctl.err")"
[ "$(sha256sum "$data_file")" = "$before" ] || fail "a refused import changed the data file"

stop_tivren
passed
