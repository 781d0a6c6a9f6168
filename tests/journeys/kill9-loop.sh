#!/usr/bin/env bash
# Power cuts, a hundred times: each round starts Tivren, drives it with tivrenctl (start, stop,
# switch to the other project) and kills it with SIGKILL at a random moment, sometimes while a verb
# is in flight or while it is still loading. Whatever tivrenctl confirmed (exit status 0) must be in
# the file afterwards: the running session and every entry, and nothing that was there is lost.
. "$(dirname "$0")/journey-lib.sh"

rounds=${JOURNEY_ROUNDS:-100}
write_two_projects
cp "$data_file" "$TMPDIR/before.json"

# check.py BEFORE AFTER ROUND_START OPS...: what the file must hold after a round whose verbs were
# OPS ("start:acme:ok", "stop:-:inflight"; only the last may be in flight), given the file BEFORE
# the round. Prints the number of entries it demanded for sessions that confirmed verbs ended.
cat >"$TMPDIR/check.py" <<'PY'
import calendar, json, sys, time
before_path, after_path, round_start = sys.argv[1], sys.argv[2], float(sys.argv[3])
ops = sys.argv[4:]
ids = {"acme": "11111111-2222-3333-4444-555555555555", "globex": "22222222-3333-4444-5555-666666666666"}
load = lambda p: json.load(open(p, encoding="utf-8"))
epoch = lambda text: calendar.timegm(time.strptime(text, "%Y-%m-%dT%H:%M:%SZ"))
before, after = load(before_path), load(after_path)

# The session: None, ("same", project) for the one in the file before the round, or ("new", project).
session = ("same", before["activeSession"]["projectID"]) if before.get("activeSession") else None
must_have = []  # (projectID, startDate) of entries that confirmed verbs recorded

def apply(session, verb, project):
    ended = None
    if verb == "start" and session and session[1] == ids[project]:
        return session, None  # start means start: the running project keeps running
    if session:
        ended = session
    return (("new", ids[project]) if verb == "start" else None), ended

possible = []
for op in ops:
    verb, project, outcome = op.split(":")
    following, ended = apply(session, verb, project)
    if outcome == "ok":
        # A session from before the round began before this run of the program, so it ends after its
        # start even on the model's clock, which lags up to a tick: its entry is certain. A session
        # begun in this round may end within its first tick and leave no entry.
        if ended and ended[0] == "same":
            must_have.append((ended[1], before["activeSession"]["startDate"]))
        session = following
    else:
        possible.append(following)
        if ended and following:
            # A switch is a stop and a start: killed in flight, it may have got as far as the stop.
            possible.append(None)
possible.append(session)

def describe(s):
    return "nothing" if s is None else f"{s[0]} session on {s[1]}"

actual = after.get("activeSession")
def matches(s):
    if s is None:
        return actual is None
    if actual is None or actual["projectID"] != s[1]:
        return False
    if s[0] == "same":
        return actual["startDate"] == before["activeSession"]["startDate"]
    return epoch(actual["startDate"]) >= int(round_start) - 1

errors = []
if not any(matches(s) for s in possible):
    errors.append(f"the file runs {actual}, expected {' or '.join(describe(s) for s in possible)}")
after_entries = {e["id"]: e for e in after.get("entries", [])}
for e in before.get("entries", []):
    # Entries that end where they start (a timer stopped within its first second) are dropped at load.
    if epoch(e["endDate"]) > epoch(e["startDate"]) and after_entries.get(e["id"]) != e:
        errors.append(f"entry {e['id']} was lost or changed")
for project, start in must_have:
    if not any(e["projectID"] == project and e["startDate"] == start for e in after_entries.values()):
        errors.append(f"the confirmed end of the session on {project} since {start} left no entry")
if len(after_entries) != len(after.get("entries", [])):
    errors.append("an entry id appears twice")
if errors:
    print("; ".join(errors) + f" (verbs: {' '.join(ops)})")
    sys.exit(1)
print(len(must_have))
PY

projects=(acme globex)
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
                0 | 1 | 2) verb=start project=acme ;;
                3 | 4 | 5) verb=start project=globex ;;
                *) verb=stop project=- ;;
            esac
            args=("$verb")
            [ "$project" = - ] || args+=("$project")
            if [ "$i" -eq "$count" ] && [ $((RANDOM % 2)) -eq 0 ]; then
                # The last verb is still in flight when the power goes.
                "$tivrenctl" "${args[@]}" >/dev/null 2>&1 &
                ctl_pid=$!
                sleep "0.0$(printf %02d $((RANDOM % 40)))"
                kill -9 "$tivren_pid"
                outcome=inflight
                if wait "$ctl_pid" 2>/dev/null; then outcome=ok; fi
                [ $outcome = ok ] || in_flight_kills=$((in_flight_kills + 1))
                ops+=("$verb:$project:$outcome")
                break
            fi
            ctl_loaded "${args[@]}" || fail "round $round: tivrenctl ${args[*]} failed: $(cat "$TMPDIR/ctl.err")"
            ops+=("$verb:$project:ok")
        done
        sleep "0.0$(printf %02d $((RANDOM % 30)))"
    fi
    kill -9 "$tivren_pid" 2>/dev/null || true
    wait "$tivren_pid" 2>/dev/null || true
    result=$(python3 "$TMPDIR/check.py" "$TMPDIR/before.json" "$data_file" "$round_start" "${ops[@]}") \
        || fail "round $round: $result"
    demanded=$((demanded + result))
    cp "$data_file" "$TMPDIR/before.json"
done 2>>"$TMPDIR/rounds.err" # the shell's notes on every killed program
echo "$rounds rounds; $in_flight_kills verbs killed in flight; $demanded entries of ended sessions demanded"
[ "$demanded" -ge $((rounds / 5)) ] || fail "too few ended sessions were checked ($demanded)"
passed
