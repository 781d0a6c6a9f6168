#!/usr/bin/env bash
# The running program end to end, on a private bus under Xvfb (scripts/isolated-run --dbus --xvfb):
# one instance per user, hand-over to the running one, tivrenctl through the bus, quitting on
# SIGTERM with the data saved.
set -euo pipefail
tivren=$1
tivrenctl=$2
data="$XDG_DATA_HOME/Tivren"
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$data"
cat > "$data/tivren-data.json" <<'JSON'
{"projects": [{"name": "Acme", "id": "11111111-2222-3333-4444-555555555555", "hourlyRate": 80}]}
JSON

"$tivren" 2>/dev/null &
first=$!
for _ in $(seq 50); do
    "$tivrenctl" status >/dev/null 2>&1 && break
    sleep 0.1
done
[ "$("$tivrenctl" status)" = "Not tracking" ] || fail "the first instance does not answer"

# A second launch hands over to the first and leaves.
timeout 10 "$tivren" 2>/dev/null || fail "the second launch did not exit 0"
kill -0 $first || fail "the first instance is gone"

# Another bus (another login of the same user) cannot take the data folder.
if dbus-run-session -- timeout 10 "$tivren" 2>"$TMPDIR/second.err"; then
    fail "a second instance ran beside the first"
fi
grep -q "already running" "$TMPDIR/second.err" || fail "no clear message for the locked data folder"

# tivrenctl's errors are clear and non-zero.
if "$tivrenctl" start Nothing 2>"$TMPDIR/ctl.err"; then fail "an unknown project was accepted"; fi
grep -q 'No active project is called "Nothing"' "$TMPDIR/ctl.err" || fail "unclear error: $(cat "$TMPDIR/ctl.err")"

# A timer started through the bus is in the file once the program has quit on SIGTERM...
"$tivrenctl" start acme || fail "could not start Acme"
kill -TERM $first
wait $first || fail "SIGTERM did not end the program cleanly"
[ ! -e "$data/tivren.lock" ] || fail "the lock was left behind"
grep -q '"activeSession"' "$data/tivren-data.json" || fail "the running timer was not saved"

# ... and after a restart, stopping it records the entry.
"$tivren" 2>/dev/null &
again=$!
for _ in $(seq 50); do
    "$tivrenctl" status 2>/dev/null | grep -q '^Acme ' && break
    sleep 0.1
done
sleep 1.1 # one tick of the model's clock, so the entry has a length
"$tivrenctl" stop
kill -TERM $again
wait $again || fail "the second run did not end cleanly"
grep -q '"endDate"' "$data/tivren-data.json" || fail "the stopped timer left no entry"
! grep -q '"activeSession"' "$data/tivren-data.json" || fail "the timer still runs in the file"
echo "1 passed, 0 failed"
