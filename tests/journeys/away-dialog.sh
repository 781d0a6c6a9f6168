#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The question about time away as a person meets it: a "Time Away" window with Keep, Discard and
# "Stop at …", answered from the keyboard; when the user is in another window, a notification with
# the same answers, whose button counts too; answered with tivrenctl, the window goes. Each answer
# is checked in the data file. The question comes from the data file, as after any restart.
. "$(dirname "$0")/journey-lib.sh"

now=$(date +%s)
started=$(iso $((now - 3600)))
since=$(iso $((now - 2400)))
until=$(iso $((now - 600)))

# Acme has run for an hour; the user was away from 40 to 10 minutes ago.
start_asked() {
    write_data_file <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80}],
 "activeSession": {"projectID": "$acme_id", "startDate": "$started"},
 "awayQuestion": {"since": "$since", "until": "$until"},
 "settings": {"awayQuestionEnabled": true, "languagePreference": "en"}}
JSON
    start_answering
    wait_until 10 "the question did not come up as a window" window_shown "Time Away"
    wait_until 5 "the question's window did not get the keyboard" dialog_focused
}

dialog_focused() {
    xdotool getwindowfocus getwindowname 2>/dev/null | grep -q "^Time Away"
}

# focus TITLE_PATTERN: the keyboard goes to the window so named, as after a click on it.
focus() {
    local id
    id=$(xdotool search --onlyvisible --name "$1" | head -n 1)
    [ -n "$id" ] || fail "no window named $1"
    xdotool windowfocus --sync "$id"
}

# asked_times N: the notification server has shown the question N times.
asked_times() {
    [ "$(grep -c " Time Away " "$TMPDIR/notifications.log")" -eq "$1" ]
}

# answer_with KEYS...: the keys go to the question's window (Keep has the focus), which then goes.
answer_with() {
    focus '^Time Away$'
    xdotool key --delay 100 "$@"
    wait_until 5 "the window stayed after $*" window_gone "Time Away"
}

kept() {
    json_check '"awayQuestion" not in d and d["activeSession"]["startDate"] == "'"$started"'"' "$1"
    json_check '"entries" not in d or d["entries"] == []' "$1: an entry was written"
}

discarded() {
    json_check '"awayQuestion" not in d and d["activeSession"]["projectID"] == "'"$acme_id"'"' "$1: Acme does not run"
    json_check 'd["activeSession"]["startDate"] >= "'"$until"'"' "$1: the new session does not start now"
    json_check '[(e["startDate"], e["endDate"]) for e in d["entries"]] == [("'"$started"'", "'"$since"'")]' \
        "$1: the entry does not end when the user went away"
}

stopped() {
    json_check '"awayQuestion" not in d and "activeSession" not in d' "$1: a timer still runs"
    json_check 'len(d["entries"]) == 1 and d["entries"][0]["endDate"] == "'"$since"'"' "$1: the entry does not end then"
}

start_notification_server "$TMPDIR/notifications.log"

start_asked
answer_with Escape
kept "Escape"
stop_tivren

start_asked
answer_with shift+Tab space
discarded "Discard"
stop_tivren

start_asked
answer_with shift+Tab shift+Tab space
stopped "Stop at"
stop_tivren

# In another window: the notification asks too, and its Stop button answers.
xmessage -title "Other window" "another window" &
started_pids+=("$!")
wait_until 5 "xmessage did not come up" window_shown "Other window"
start_asked
focus '^Other window$'
wait_until 10 "no notification asked" asked_times 1
grep -q " Time Away You were away for 30 min (since " "$TMPDIR/notifications.log" || fail "the notification says: $(cat "$TMPDIR/notifications.log")"
id=$(grep " Time Away " "$TMPDIR/notifications.log" | tail -n 1 | cut -d' ' -f1)
dbus-send --session --print-reply --dest=org.freedesktop.Notifications /journey \
    org.tivren.JourneyServer.InvokeAction "uint32:$id" string:AWAY_stop >/dev/null
wait_until 5 "the window stayed after the notification's answer" window_gone "Time Away"
stopped "the notification's Stop"
stop_tivren

# Answered from a script: the window and the notification go.
start_asked
focus '^Other window$'
wait_until 10 "no second notification" asked_times 2
ctl_ok away keep
wait_until 5 "the window stayed after tivrenctl away" window_gone "Time Away"
id=$(grep " Time Away " "$TMPDIR/notifications.log" | tail -n 1 | cut -d' ' -f1)
wait_until 5 "the notification was not taken back" grep -qx "closed $id" "$TMPDIR/notifications.log"
kept "tivrenctl away keep"
stop_tivren
passed
