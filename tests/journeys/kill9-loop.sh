#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Power cuts, a hundred times: tivrenctl drives Tivren (start, stop, switch) and SIGKILL comes at a
# random moment, also with a verb in flight or while loading. Whatever tivrenctl confirmed is in the
# file afterwards, and nothing that was there is lost.
. "$(dirname "$0")/journey-lib.sh"

rounds=${JOURNEY_ROUNDS:-100}
write_two_projects
cp "$data_file" "$TMPDIR/before.json"

# check.py BEFORE AFTER ROUND_START OPS...: whether AFTER holds what a round whose verbs were OPS
# ("start:acme:ok", "stop:-:inflight"; only the last may be in flight) must leave after BEFORE.
# Prints how many entries it demanded for sessions that confirmed verbs ended.
cat >"$TMPDIR/check.py" <<'PY'
import calendar, json, sys, time
ids = {"acme": "11111111-2222-3333-4444-555555555555", "globex": "22222222-3333-4444-5555-666666666666"}
before, after = (json.load(open(p, encoding="utf-8")) for p in sys.argv[1:3])
round_start, ops = float(sys.argv[3]), sys.argv[4:]
epoch = lambda text: calendar.timegm(time.strptime(text, "%Y-%m-%dT%H:%M:%SZ"))
old = before.get("activeSession")
# A session: None, ("same", project) for the one in the file before the round, or ("new", project).
session, possible, must_have = ("same", old["projectID"]) if old else None, [], []
for op in ops:
    verb, project, outcome = op.split(":")
    if verb == "start" and session and session[1] == ids[project]:
        following, ended = session, None  # start means start: the running project keeps running
    else:
        following, ended = ("new", ids[project]) if verb == "start" else None, session
    if outcome == "ok":
        # Only a session from before this run surely ends after its start on the model's clock,
        # which lags up to a tick; one begun in this round may leave no entry.
        if ended and ended[0] == "same":
            must_have.append((ended[1], old["startDate"]))
        session = following
    else:
        # A switch is a stop and a start: killed in flight, it may have got as far as the stop.
        possible += [following, None] if ended and following else [following]
possible.append(session)

actual = after.get("activeSession")
def matches(s):
    if s is None or actual is None:
        return s is actual
    if actual["projectID"] != s[1]:
        return False
    if s[0] == "same":
        return actual["startDate"] == old["startDate"]
    return epoch(actual["startDate"]) >= int(round_start) - 1

errors = [] if any(matches(s) for s in possible) else [f"the file runs {actual}, expected one of {possible}"]
entries = {e["id"]: e for e in after.get("entries", [])}
# Entries that end where they start (a timer stopped within its first second) are dropped at load.
errors += [f"entry {e['id']} was lost or changed" for e in before.get("entries", [])
           if epoch(e["endDate"]) > epoch(e["startDate"]) and entries.get(e["id"]) != e]
errors += [f"the confirmed end of the session on {p} since {start} left no entry" for p, start in must_have
           if not any(e["projectID"] == p and e["startDate"] == start for e in entries.values())]
if len(entries) != len(after.get("entries", [])):
    errors.append("an entry id appears twice")
if errors:
    sys.exit("; ".join(errors) + f" (verbs: {' '.join(ops)})")
print(len(must_have))
PY

demanded=0
in_flight_kills=0
for round in $(seq "$rounds"); do
    round_start=$EPOCHREALTIME
    ops=()
    start_tivren
    if [ $((RANDOM % 10)) -eq 0 ]; then
        # Killed while starting or loading: nothing was asked, nothing may change.
        sleep "0.$(printf %03d $((RANDOM % 400)))"
    else
        wait_answering
        count=$((1 + RANDOM % 3))
        for i in $(seq "$count"); do
            case $((RANDOM % 8)) in
                0 | 1 | 2) args=(start acme) ;;
                3 | 4 | 5) args=(start globex) ;;
                *) args=(stop -) ;;
            esac
            op="${args[0]}:${args[1]}"
            [ "${args[1]}" != - ] || args=(stop)
            if [ "$i" -eq "$count" ] && [ $((RANDOM % 2)) -eq 0 ]; then
                # The last verb is still in flight when the power goes.
                "$tivrenctl" "${args[@]}" >/dev/null 2>&1 &
                ctl_pid=$!
                sleep "0.0$(printf %02d $((RANDOM % 40)))"
                kill -9 "$tivren_pid"
                outcome=inflight
                if wait "$ctl_pid" 2>/dev/null; then outcome=ok; else in_flight_kills=$((in_flight_kills + 1)); fi
                ops+=("$op:$outcome")
                break
            fi
            ctl_ok "${args[@]}"
            ops+=("$op:ok")
        done
        sleep "0.0$(printf %02d $((RANDOM % 30)))"
    fi
    kill -9 "$tivren_pid" 2>/dev/null || true
    wait "$tivren_pid" 2>/dev/null || true
    result=$(python3 "$TMPDIR/check.py" "$TMPDIR/before.json" "$data_file" "$round_start" "${ops[@]}" 2>&1) \
        || fail "round $round: $result"
    demanded=$((demanded + result))
    cp "$data_file" "$TMPDIR/before.json"
done 2>>"$TMPDIR/rounds.err" # the shell's notes on every killed program
echo "$rounds rounds; $in_flight_kills verbs killed in flight; $demanded entries of ended sessions demanded"
[ "$demanded" -ge $((rounds / 5)) ] || fail "too few ended sessions were checked ($demanded)"
passed
