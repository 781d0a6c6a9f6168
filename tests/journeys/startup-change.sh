#!/usr/bin/env bash
# Changes asked for while a large file (50,000 entries) is still loading: each is either done or
# refused with "Tivren is still loading", and the file keeps every entry.
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

# Within the first moments: as soon as the program is on the bus, stop, then start Globex.
start_tivren
wait_until 10 "Tivren did not come up" answers
stop_ok=0
start_ok=0
ctl stop && stop_ok=1
stop_err=$(cat "$TMPDIR/ctl.err")
ctl start globex && start_ok=1
start_err=$(cat "$TMPDIR/ctl.err")
[ $stop_ok -eq 1 ] || [[ $stop_err == *"Tivren is still loading"* ]] || fail "stop during loading: $stop_err"
[ $start_ok -eq 1 ] || [[ $start_err == *"Tivren is still loading"* ]] || fail "start during loading: $start_err"

stop_tivren
json_check 'len(d["entries"]) >= 50000' "entries were lost: the file holds fewer than 50,000"
# What was confirmed is on disk: a stop ends the hour-long Acme session (one more entry); a start of
# Globex switches to it (ending Acme's session when it still ran).
expected_entries=$((50000 + (stop_ok || start_ok)))
json_check "len(d['entries']) == $expected_entries" "the file holds not the $expected_entries entries expected"
if [ $start_ok -eq 1 ]; then
    json_check 'd["activeSession"]["projectID"] == "'$globex_id'"' "the confirmed start of Globex is not in the file"
elif [ $stop_ok -eq 1 ]; then
    json_check 'd.get("activeSession") is None' "the confirmed stop is not in the file"
else
    json_check 'd["activeSession"]["projectID"] == "'$acme_id'"' "the running Acme session was lost"
fi
echo "stop confirmed: $stop_ok, start confirmed: $start_ok"
passed
