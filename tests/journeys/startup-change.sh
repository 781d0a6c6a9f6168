#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Changes asked for while a 50,000-entry file is still loading are done or refused as still
# loading, and the file keeps every entry.
. "$(dirname "$0")/journey-lib.sh"

python3 - "$acme_id" "$globex_id" >"$TMPDIR/large.json" <<'PY'
import json, sys, time, uuid
acme, globex = sys.argv[1:]
iso = lambda t: time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(t))
now = int(time.time())
entries = [{"id": str(uuid.UUID(int=i + 1)).upper(), "projectID": acme if i % 3 else globex,
            "startDate": iso(now - (50000 - i) * 3600), "endDate": iso(now - (50000 - i) * 3600 + 1800),
            "notes": f"task {i}"}
           for i in range(50000)]
json.dump({"projects": [{"name": "Acme", "id": acme, "hourlyRate": 80}, {"name": "Globex", "id": globex}],
           "entries": entries, "activeSession": {"projectID": acme, "startDate": iso(now - 3600)}}, sys.stdout)
PY
write_data_file <"$TMPDIR/large.json"

# Within the first moments: as soon as the program is on the bus, stop, then start Globex. Each is
# done or refused as still loading.
start_tivren
wait_until 10 "Tivren did not come up" answers
for verb in stop "start globex"; do
    # shellcheck disable=SC2086 # the verb and its project are two words
    ctl $verb || grep -q "Tivren is still loading" "$TMPDIR/ctl.err" || fail "$verb during loading: $(cat "$TMPDIR/ctl.err")"
done

# Once loaded, a switch to Globex (whether or not it already runs) is saved with all 50,000 entries.
ctl_ok start globex
all_kept='len(d["entries"]) == 50001 and d["activeSession"]["projectID"] == "'$globex_id'"'
json_check "$all_kept" "the file does not hold the 50,000 entries, Acme's hour and the running Globex session"
stop_tivren
json_check "$all_kept" "entries were lost at quit"
passed
