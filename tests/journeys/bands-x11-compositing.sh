#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# X11 without a compositing manager (i3, Openbox, Xfce with compositing off) cannot blend the
# break's translucent bands: a break shows none. A compositing manager that starts during the break
# brings them; one that stops takes them away again.
. "$(dirname "$0")/journey-lib.sh"

band_count() {
    viewable_windows | grep -c ' 80x800+' || true
}

bands_are() {
    [ "$(band_count)" -eq "$1" ]
}

write_pomodoro_projects
start_notification_server "$TMPDIR/notifications.log"
start_answering
ctl_ok start acme
ctl_ok skip
wait_until 5 "the short break did not begin" pomodoro_phase_is shortBreak
# The bands would be up well within a second; none may come in that time.
for _ in $(seq 10); do
    bands_are 0 || fail "$(band_count) band windows without a compositing manager: $(viewable_windows)"
    sleep 0.1
done
screenshot bands-without-compositor

xcompmgr 2>"$TMPDIR/xcompmgr.err" &
compositor=$!
started_pids+=("$compositor")
wait_until 5 "no bands after the compositing manager started mid-break" bands_are 2
sleep 0.6 # the fade-in
screenshot bands-with-compositor

kill "$compositor"
wait_until 5 "the bands stayed after the compositing manager stopped" bands_are 0
pomodoro_phase_is shortBreak || fail "the break ended with the compositing manager"

# Back for the rest of the break, and gone with it.
xcompmgr 2>>"$TMPDIR/xcompmgr.err" &
started_pids+=("$!")
wait_until 5 "no bands after the compositing manager came back" bands_are 2
ctl_ok skip
wait_until 5 "the bands stayed after the break" bands_are 0
stop_tivren
passed
