#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A panel widget that listens instead of polling: the control object's properties, and a
# PropertiesChanged signal for every start, switch, Pomodoro phase and stop.
. "$(dirname "$0")/journey-lib.sh"

signals="$TMPDIR/signals.log"

# heard COUNT PATTERN: at least COUNT PropertiesChanged signals so far match PATTERN.
heard() {
    [ "$(grep -c "PropertiesChanged.*$2" "$signals" || true)" -ge "$1" ]
}

property() {
    gdbus call --session --dest org.tivren.Tivren --object-path /org/tivren/Tivren \
        --method org.freedesktop.DBus.Properties.Get org.tivren.Tivren1 "$1"
}

# The number in "(<int64 42>,)".
number() {
    property "$1" | sed -E 's/.*int64 ([0-9]+).*/\1/'
}

write_pomodoro_projects
start_notification_server "$TMPDIR/notifications.log"
start_answering
[ "$(property Tracking)" = "(<false>,)" ] || fail "Tracking is not false before a timer runs: $(property Tracking)"

gdbus monitor --session --dest org.tivren.Tivren --object-path /org/tivren/Tivren >"$signals" 2>&1 &
started_pids+=("$!")
sleep 0.5 # the monitor's match rule is in place

ctl_ok start acme
wait_until 5 "no PropertiesChanged when the timer started: $(cat "$signals")" \
    heard 1 "'ProjectName': <'Acme'>, 'Tracking': <true>"
heard 1 "'Phase': <'work'>" || fail "the Pomodoro phase was not announced with the start: $(cat "$signals")"

ctl_ok start globex
wait_until 5 "no PropertiesChanged for the switch to Globex: $(cat "$signals")" heard 1 "'ProjectName': <'Globex'>"

sleep 2.1 # the model's clock ticks each second, not in step with the start
elapsed=$(number ElapsedSeconds)
[ "$elapsed" -ge 1 ] || fail "ElapsedSeconds does not count: $(property ElapsedSeconds)"

# A break stops the timer until work resumes.
ctl_ok skip
wait_until 5 "the break was not announced: $(cat "$signals")" \
    heard 1 "'Phase': <'shortBreak'>, .*'ProjectName': <''>, 'Tracking': <false>"
remaining=$(number PhaseRemainingSeconds)
[ "$remaining" -gt 0 ] && [ "$remaining" -le 300 ] || fail "a short break has $remaining s left"

ctl_ok stop
wait_until 5 "the end of the cycle was not announced: $(cat "$signals")" \
    heard 1 "'Phase': <''>, 'PhaseEndsAt': <int64 0>"
# One signal per action, not one per model change.
[ "$(grep -c PropertiesChanged "$signals")" -eq 4 ] || fail "expected 4 signals: $(cat "$signals")"

# A panel starting late reads everything at once; the interface describes itself.
all=$(gdbus call --session --dest org.tivren.Tivren --object-path /org/tivren/Tivren \
    --method org.freedesktop.DBus.Properties.GetAll org.tivren.Tivren1)
for name in Tracking ProjectName ElapsedSeconds TrackingSince Phase PhaseRemainingSeconds PhaseEndsAt; do
    grep -q "'$name'" <<<"$all" || fail "GetAll lacks $name: $all"
done
gdbus introspect --session --dest org.tivren.Tivren --object-path /org/tivren/Tivren >"$TMPDIR/introspection"
grep -q 'readonly b Tracking' "$TMPDIR/introspection" || fail "the introspection lacks Tracking"

# Refusals carry stable names.
if gdbus call --session --dest org.tivren.Tivren --object-path /org/tivren/Tivren \
    --method org.tivren.Tivren1.Start Nothing 2>"$TMPDIR/refusal"; then
    fail "an unknown project was started"
fi
grep -q 'org.tivren.Tivren.Error.UnknownProject' "$TMPDIR/refusal" || fail "unnamed refusal: $(cat "$TMPDIR/refusal")"

stop_tivren
passed
