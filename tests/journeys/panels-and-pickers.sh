#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What a panel and a picker see of the real Tivren through tivrenctl: waybar's line when Tivren
# is not running, idle, tracking and in a break; the project names a picker offers, each one
# started as it is handed back.
. "$(dirname "$0")/journey-lib.sh"

# waybar_has EXPRESSION: tivrenctl status --waybar succeeds quietly with one line of JSON for
# which the Python expression over d holds.
waybar_has() {
    ctl status --waybar || fail "status --waybar failed: $(cat "$TMPDIR/ctl.err")"
    [ ! -s "$TMPDIR/ctl.err" ] || fail "status --waybar wrote on stderr: $(cat "$TMPDIR/ctl.err")"
    [ "$(wc -l <"$TMPDIR/ctl.out")" -eq 1 ] || fail "status --waybar printed more than one line: $(cat "$TMPDIR/ctl.out")"
    json_true "$1" "$TMPDIR/ctl.out" || fail "status --waybar printed $(cat "$TMPDIR/ctl.out"), not $1"
}

json_true_waybar() {
    ctl status --waybar && json_true "$1" "$TMPDIR/ctl.out"
}

# Before Tivren runs: the panel shows that, without an error; a picker gets one line of error.
waybar_has 'd == {"text": "Not running", "tooltip": "Tivren is not running", "class": "idle", "alt": "idle"}'
if ctl projects; then fail "projects succeeded without Tivren"; fi
[ "$(cat "$TMPDIR/ctl.err")" = "tivrenctl: Tivren is not running" ] || fail "projects said: $(cat "$TMPDIR/ctl.err")"
[ ! -s "$TMPDIR/ctl.out" ] || fail "projects printed names without Tivren"

write_data_file <<JSON
{"projects": [{"name": "Globex & Sons", "id": "$globex_id", "hourlyRate": 95},
              {"name": "Acme", "id": "$acme_id", "hourlyRate": 80},
              {"name": "Two\nlines", "id": "33333333-4444-5555-6666-777777777777"},
              {"name": "Old", "id": "44444444-5555-6666-7777-888888888888", "isArchived": true}],
 "settings": {"pomodoroEnabled": true, "pomodoroOverlayEnabled": false}}
JSON
start_answering
waybar_has 'd["class"] == d["alt"] == "idle" and d["text"] == "Not tracking"'

ctl_ok projects
[ "$(cat "$TMPDIR/ctl.out")" = "$(printf 'Acme\nGlobex & Sons')" ] || fail "projects listed: $(cat "$TMPDIR/ctl.out")"
# The picker's choice goes back as it is: tivrenctl start "$(tivrenctl projects | rofi -dmenu)".
ctl_ok start "$("$tivrenctl" projects | sed -n 2p)"
running_is "$globex_id" || fail "the picked project is not the one running"
wait_until 5 "waybar does not show the tracked project" json_true_waybar \
    'd["class"] == "tracking" and d["text"].startswith("Globex &amp; Sons 00:00:") and "Work" in d["text"]'
waybar_has 'd["tooltip"].startswith("Tracking Globex &amp; Sons for ") and "\nPomodoro: Work, " in d["tooltip"]'

ctl_ok skip
wait_until 5 "the break did not begin" pomodoro_phase_is shortBreak
waybar_has 'd["class"] == d["alt"] == "break" and "Short break" in d["text"]'
ctl_ok stop
waybar_has 'd["class"] == "idle" and d["text"] == "Not tracking"'

stop_tivren
waybar_has 'd["class"] == "idle" and d["text"] == "Not running"'
passed
