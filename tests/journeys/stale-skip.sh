#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A Pomodoro phase's notification is closed when the next phase begins, and a Skip clicked on it
# afterwards (a server that kept it, a click already on its way) does nothing: only the current
# phase's Skip skips.
. "$(dirname "$0")/journey-lib.sh"

log="$TMPDIR/notifications.log"
write_pomodoro_projects
start_notification_server "$log"
start_answering

# last_notification_id: the id of the newest notification the server showed.
last_notification_id() {
    grep -E '^[0-9]+ ' "$log" | tail -n 1 | cut -d' ' -f1
}
notifications() {
    grep -cE '^[0-9]+ ' "$log" || true
}
invoke_skip() {
    dbus-send --session --print-reply --dest=org.freedesktop.Notifications /journey \
        org.tivren.JourneyServer.InvokeAction "uint32:$1" string:POMODORO_SKIP >/dev/null
}

ctl_ok start acme
wait_until 5 "the work phase did not begin" pomodoro_phase_is work
before=$(notifications)
ctl_ok skip
wait_until 5 "the short break did not begin" pomodoro_phase_is shortBreak
more_than() {
    [ "$(notifications)" -gt "$1" ]
}
wait_until 5 "no notification for the short break" more_than "$before"
break_id=$(last_notification_id)
ctl_ok skip
wait_until 5 "the work phase did not begin again" pomodoro_phase_is work
wait_until 5 "no notification for the work phase" more_than $((before + 1))
work_id=$(last_notification_id)
wait_until 5 "the short break's notification was not closed when work began: $(cat "$log")" \
    grep -qx "closed $break_id" "$log"

# The old break's Skip, clicked now: the work phase goes on.
invoke_skip "$break_id"
sleep 1
pomodoro_phase_is work || fail "the stale Skip of notification $break_id skipped the work phase"

# The current phase's Skip still works.
invoke_skip "$work_id"
wait_until 5 "the Skip of the current phase's notification $work_id did nothing" pomodoro_phase_is shortBreak
stop_tivren
passed
