#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sleep and the screen lock, told by a stand-in logind on the private bus (Tivren's system bus here).
# A sleep of 20 minutes with a timer running opens the question about time away, answered with each
# of keep, discard and stop on fresh data. Tivren's wall clock jumps honestly across the sleep through
# libfaketime, reading its offset from a file; tivrenctl keeps the real clock, so times are compared
# with the data file's. Locking stops the timer at the lock with stopOnScreenLock on, and changes
# nothing with it off.
. "$(dirname "$0")/journey-lib.sh"

logind=$4
faketime=
for candidate in /usr/lib/*/faketime/libfaketime.so.1 /usr/lib*/faketime/libfaketime.so.1; do
    if [ -e "$candidate" ]; then
        faketime=$candidate
        break
    fi
done
[ -n "$faketime" ] || fail "libfaketime is missing (scripts/deps installs the faketime package)"
clock_file="$TMPDIR/clock"

"$logind" "$TMPDIR/logind.log" &
started_pids+=("$!")
wait_until 5 "the stand-in logind did not come up" name_owned org.freedesktop.login1

# logind_says Sleep|Resume|Lock|Unlock|LockedHint [boolean:true|false]: the stand-in sends the signal.
logind_says() {
    dbus-send --session --print-reply --dest=org.freedesktop.login1 /journey "org.tivren.JourneyLogind.$1" ${2:+"$2"} \
        >/dev/null || fail "the stand-in logind did not take $1"
}

# heard TEXT: Tivren's session events logged TEXT (5 s).
heard() {
    wait_until 5 "Tivren did not log \"$1\": $(tail -n 3 "$TMPDIR/tivren.err")" grep -q "$1" "$TMPDIR/tivren.err"
}

# data_true EXPRESSION: like json_true, where t(TEXT) is the data file's instant TEXT in seconds.
data_true() {
    python3 -c 'import json, sys
from datetime import datetime
def t(text):
    return datetime.fromisoformat(text.replace("Z", "+00:00")).timestamp()
d = json.load(open(sys.argv[1], encoding="utf-8"))
sys.exit(not eval(sys.argv[2]))' "$data_file" "$1" 2>/dev/null
}

data_check() {
    data_true "$1" || fail "$2: $(cat "$data_file")"
}

# start_on_logind SETTINGS: Acme tracked since a minute ago, with the settings' JSON members SETTINGS;
# Tivren on the stand-in logind with its wall clock offset by the file's "+0", following the session.
# Only the wall clock moves: the monotonic clocks keep Qt's timers going, and file times stay true so
# that the data file's own writes are not taken for another program's.
start_on_logind() {
    started=$(date -u -d "@$(($(date +%s) - 60))" +%Y-%m-%dT%H:%M:%SZ)
    write_data_file <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80}],
 "activeSession": {"projectID": "$acme_id", "startDate": "$started"},
 "settings": {$1}}
JSON
    echo +0 >"$clock_file"
    : >"$TMPDIR/logind.log"
    DBUS_SYSTEM_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS QT_LOGGING_RULES="SessionEvents.debug=true" \
        LD_PRELOAD=$faketime FAKETIME_TIMESTAMP_FILE=$clock_file FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 \
        "$tivren" 2>"$TMPDIR/tivren.err" &
    tivren_pid=$!
    started_pids+=("$tivren_pid")
    wait_answering
    heard "Following the screen lock of session /org/freedesktop/login1/session/journey"
    grep -qx "GetSessionByPID $tivren_pid" "$TMPDIR/logind.log" || fail "the session was not looked up by pid"
}

# sleep_round ANSWER: 20 minutes asleep by Tivren's clock, then the question answered with ANSWER.
sleep_round() {
    start_on_logind '"awayQuestionEnabled": true, "awayThresholdMinutes": 5'
    logind_says Sleep
    heard "Going to sleep"
    echo +20m >"$clock_file"
    logind_says Resume
    heard "Woke up"
    wait_until 5 "no question on disk after the sleep" json_true '"awayQuestion" in d'
    data_check 'd["activeSession"]["startDate"] == "'"$started"'" and d.get("entries", []) == []' \
        "the sleep changed more than the question"
    data_check '1200 <= t(d["awayQuestion"]["until"]) - t(d["awayQuestion"]["since"]) < 1230' \
        "the question is not about the sleep"
    since=$(python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["awayQuestion"]["since"])' "$data_file")
    ctl_ok status --json
    json_true 'd["away"]["minutes"] == 20 and d["tracking"]' "$TMPDIR/ctl.out" \
        || fail "status --json does not ask about the sleep: $(cat "$TMPDIR/ctl.out")"
    wait_until 5 "the question did not come up as a window" window_shown "Time Away"

    ctl_ok away "$1"
    wait_until 5 "the question's window stayed after the answer $1" window_gone "Time Away"
    data_check '"awayQuestion" not in d' "the answer $1 is not on disk"
    case "$1" in
        keep)
            data_check 'd["activeSession"]["startDate"] == "'"$started"'" and d.get("entries", []) == []' \
                "keep changed the timer"
            ;;
        discard)
            data_check '[(e["startDate"], e["endDate"]) for e in d["entries"]] == [("'"$started"'", "'"$since"'")]' \
                "discard did not end the entry when the sleep began"
            data_check 't(d["activeSession"]["startDate"]) - t("'"$since"'") >= 1200' \
                "discard did not start the timer again after the sleep"
            ;;
        stop)
            data_check '[(e["startDate"], e["endDate"]) for e in d["entries"]] == [("'"$started"'", "'"$since"'")]' \
                "stop did not end the entry when the sleep began"
            data_check '"activeSession" not in d' "stop left the timer running"
            ;;
    esac
    stop_tivren
}

sleep_round keep
sleep_round discard
sleep_round stop

# Locking with stopOnScreenLock on: the entry ends at the lock, by Tivren's clock (the real one here).
# The desktop locks the screen itself, as GNOME and KDE do: logind only says so in LockedHint.
start_on_logind '"stopOnScreenLock": true'
locked_before=$(date +%s)
logind_says LockedHint boolean:true
heard "Locked at"
wait_until 5 "the lock did not stop the timer" json_true '"activeSession" not in d'
data_check 'len(d["entries"]) == 1 and d["entries"][0]["startDate"] == "'"$started"'"' "the lock left no entry"
data_check "$locked_before - 1 <= t(d['entries'][0]['endDate']) <= $(date +%s) + 1" "the entry does not end at the lock"
logind_says LockedHint boolean:false
heard "Unlocked at"
ctl_ok status --json
json_true 'not d["tracking"]' "$TMPDIR/ctl.out" || fail "the timer runs after unlocking: $(cat "$TMPDIR/ctl.out")"
stop_tivren

# With it off, locking changes nothing.
start_on_logind '"stopOnScreenLock": false'
logind_says Lock
heard "Locked at"
ctl_ok status --json
json_true 'd["tracking"]' "$TMPDIR/ctl.out" || fail "the lock stopped the timer: $(cat "$TMPDIR/ctl.out")"
data_check 'd["activeSession"]["startDate"] == "'"$started"'" and d.get("entries", []) == []' "the lock changed the data"
stop_tivren
passed
