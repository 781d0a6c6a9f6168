#!/usr/bin/env bash
# Changes asked for while a large file (50,000 entries) is still loading: each is either done or
# refused with "Tivren is still loading", and the file keeps every entry. A stop ends the hour-long
# Acme session (one more entry); a start of Globex switches to it.
. "$(dirname "$0")/journey-lib.sh"

mkdir -p "$data_dir"
python3 - "$data_file" "$acme_id" "$globex_id" <<'PY'
import json, sys, time, uuid
path, acme, globex = sys.argv[1:]
def iso(t):
    return time.strftime("%Y-%m-%dT%H:%M:%SZ", time.gmtime(t))
now = int(time.time())
start = now - 50000 * 3600
entries = [{"id": str(uuid.UUID(int=i + 1)).upper(), "projectID": acme if i % 3 else globex,
            "startDate": iso(start + i * 3600), "endDate": iso(start + i * 3600 + 1800), "notes": f"task {i}"}
           for i in range(50000)]
data = {"projects": [{"name": "Acme", "id": acme, "hourlyRate": 80}, {"name": "Globex", "id": globex}],
        "entries": entries, "activeSession": {"projectID": acme, "startDate": iso(now - 3600)}}
with open(path, "w", encoding="utf-8") as f:
    json.dump(data, f)
PY

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
