#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop's idle monitor opens the question about time away: a stand-in for the freedesktop
# ScreenSaver (milliseconds, then seconds) or Mutter's idle monitor reports the user idle for
# 20 minutes and then back; tivrenctl status --json shows the question, and each answer leaves the
# data file as it should; the question comes up as the "Time Away" window too, and goes with the
# answer, whether it came from tivrenctl or from the window's keyboard. Tivren asks the stand-in every 200 ms (TIVREN_IDLE_POLL_MSECS), and only
# while a timer runs.
#   away-idle.sh <tivren> <tivrenctl> <journey_notification_server> <journey_idle_services>
. "$(dirname "$0")/journey-lib.sh"

idle_services=$4
export TIVREN_IDLE_POLL_MSECS=200

# idle_call METHOD [ARG]: the stand-in's journey interface; its answer in $TMPDIR/idle.out.
idle_call() {
    dbus-send --session --print-reply --dest="$service" /journey "org.tivren.JourneyIdle.$1" ${2:+"$2"} \
        >"$TMPDIR/idle.out"
}

# asked_at_least N: the stand-in was asked for the idle time N times since it was last set.
asked_at_least() {
    idle_call Asked && [ "$(awk '/uint32/ { print $2 }' "$TMPDIR/idle.out")" -ge "$1" ]
}

# away_is SINCE MINUTES: status --json shows the question, since SINCE (seconds, within 2) and
# MINUTES; its since (ISO) in $TMPDIR/since.
away_is() {
    ctl status --json && python3 -c 'import json, sys, datetime
d = json.load(open(sys.argv[1]))
away = d.get("away") or {}
since = datetime.datetime.strptime(away.get("since", "1970-01-01T00:00:00Z"), "%Y-%m-%dT%H:%M:%SZ")
since = since.replace(tzinfo=datetime.timezone.utc).timestamp()
open(sys.argv[4], "w").write(away.get("since", ""))
sys.exit(not (d["tracking"] and abs(since - float(sys.argv[2])) <= 2 and away.get("minutes") == int(sys.argv[3])))' \
        "$TMPDIR/ctl.out" "$1" "$2" "$TMPDIR/since"
}

# The keys that answer in the question's window, where Keep has the focus.
keys_keep=(Escape)
keys_discard=(shift+Tab space)
keys_stop=(shift+Tab shift+Tab space)

# answer_in_window ANSWER: the keyboard goes to the question's window, as after a click on it.
answer_in_window() {
    local id keys="keys_$1[@]"
    id=$(xdotool search --onlyvisible --name '^Time Away$' | head -n 1)
    [ -n "$id" ] || fail "no Time Away window to answer in"
    xdotool windowfocus --sync "$id"
    xdotool key --delay 100 "${!keys}"
}

# round MODE ANSWER [--in-window]: Acme has run for an hour; the user goes away for 20 minutes,
# comes back, and answers (with tivrenctl, or in the question's window). Leaves $since (ISO) and
# $started for the checks.
round() {
    local mode=$1 answer=$2 how=${3:-} idle_set now
    service=org.freedesktop.ScreenSaver
    [ "$mode" != --mutter ] || service=org.gnome.Mutter.IdleMonitor
    "$idle_services" "$mode" &
    idle_pid=$!
    started_pids+=("$idle_pid")
    wait_until 5 "the stand-in $mode did not come up" name_owned "$service"

    now=$(date +%s)
    started=$(iso $((now - 3600)))
    write_data_file <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80}],
 "activeSession": {"projectID": "$acme_id", "startDate": "$started"},
 "settings": {"awayQuestionEnabled": true, "awayThresholdMinutes": 5}}
JSON
    start_answering
    wait_until 10 "Tivren does not ask $mode for the idle time" asked_at_least 1

    # Seconds show only in how the answer grows while the user is idle: a few seconds of it.
    [ "$mode" != --screensaver-seconds ] || sleep 4.5
    idle_call SetIdleTime uint64:1200000
    idle_set=$(date +%s%3N)
    wait_until 5 "Tivren does not ask while the user is idle" asked_at_least 2
    ctl_ok status --json
    if grep -q '"away"' "$TMPDIR/ctl.out"; then fail "asked before the user came back"; fi
    idle_call SetIdleTime uint64:0
    wait_until 5 "$mode: status --json does not show 20 minutes away" away_is "$((idle_set / 1000 - 1200)).${idle_set: -3}" 20
    since=$(cat "$TMPDIR/since")
    wait_until 5 "$mode: the question did not come up as a window" window_shown "Time Away"

    if [ "$how" = --in-window ]; then answer_in_window "$answer"; else ctl_ok away "$answer"; fi
    wait_until 5 "$mode $answer: the question's window stayed" window_gone "Time Away"
    wait_until 5 "$mode $answer: the data file is not as it should be" json_true '"awayQuestion" not in d and '"$(expected_"$answer")"
    if [ "$answer" = stop ]; then
        # Nothing runs, so nothing asks the desktop any more.
        idle_call SetIdleTime uint64:0
        sleep 1
        if asked_at_least 1; then fail "the idle time is still asked for without a timer"; fi
    fi
    stop_tivren
    kill "$idle_pid"
    wait_exit "$idle_pid" 5
}

# expected_ANSWER: what the data file holds after the answer, as a Python expression over d.
expected_keep() {
    echo 'd["activeSession"] == {"projectID": "'"$acme_id"'", "startDate": "'"$started"'"} and not d.get("entries")'
}

# The entry ends when idleness began.
recorded() {
    echo 'len(d["entries"]) == 1 and d["entries"][0]["startDate"] == "'"$started"'"' \
        'and d["entries"][0]["endDate"] == "'"$since"'"'
}

# ... and a new session of Acme runs, from when the answer came.
expected_discard() {
    echo "$(recorded)" 'and d["activeSession"]["projectID"] == "'"$acme_id"'"' \
        'and d["activeSession"]["startDate"] > "'"$since"'"'
}

expected_stop() {
    echo "$(recorded)" 'and "activeSession" not in d'
}

round --screensaver keep
round --screensaver discard
round --screensaver stop
round --mutter discard --in-window
round --screensaver stop --in-window
round --screensaver-seconds stop

# No idle service on the bus: on X11 the X server's own idle time (XScreenSaver) is used.
write_two_projects
QT_LOGGING_RULES=IdleMonitor.debug=true start_answering
wait_until 5 "XScreenSaver was not chosen: $(tail -n 2 "$TMPDIR/tivren.err")" \
    grep -q 'idle detector: "xscreensaver"' "$TMPDIR/tivren.err"
stop_tivren
passed
