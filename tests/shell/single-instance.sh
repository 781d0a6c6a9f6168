#!/usr/bin/env bash
# The running program end to end, on a private bus under Xvfb (scripts/isolated-run --dbus --xvfb):
# one instance per user, hand-over to the running one, tivrenctl through the bus, quitting on
# SIGTERM with the data saved.
set -euo pipefail
tivren=$1
tivrenctl=$2
data="$XDG_DATA_HOME/Tivren"
fail() { echo "FAIL: $*" >&2; exit 1; }

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

kill -TERM $first
wait $first || fail "SIGTERM did not end the program cleanly"
[ ! -e "$data/tivren.lock" ] || fail "the lock was left behind"
echo "1 passed, 0 failed"
