#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop calendar, the keyring and the network stack come with their first use: a start that
# exports nothing maps none of their libraries, though it asks the (empty) keyring for a Google
# token, nor one that finds the desktop calendar running; opening the window loads them and reads
# its calendars. With Evolution Data Server and a keyring on the bus (--eds --keyring), or neither.
. "$(dirname "$0")/journey-lib.sh"

heavy='tivren-services\.so|libecal|libedataserver|libQt6Network|libqt6keychain|libsecret'
mapped() {
    grep -E "$heavy" "/proc/$tivren_pid/maps" | awk '{ print $6 }' | sort -u
}
bus_call() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus "org.freedesktop.DBus.$1" \
        "${@:2}"
}

log="$TMPDIR/notifications.log"
write_two_projects
start_notification_server "$log" --tray
start_answering
wait_until 5 "the tray icon did not register with the panel" grep -q "^item " "$log"
ctl_ok status
# Start-up asks the keyring for a Google token and the desktop calendar for access right after
# loading; both answers come from the bus within a moment.
sleep 1
[ -z "$(mapped)" ] || fail "a start that exports nothing mapped $(mapped | tr '\n' ' ')"
stop_tivren

# The calendar registry running: the next start lists its calendars and selects the first one.
registry=$(bus_call ListActivatableNames | grep -o 'org\.gnome\.evolution\.dataserver\.Sources[0-9]*' | head -n 1 || true)
if [ -z "$registry" ]; then # a bus without Evolution Data Server: the first start was the journey
    passed
    exit 0
fi
bus_call StartServiceByName "string:$registry" uint32:0 >/dev/null
start_answering
wait_until 5 "the tray icon did not register again" bash -c "[ \$(grep -c '^item ' '$log') -ge 2 ]"
sleep 1
[ -z "$(mapped)" ] || fail "with the registry running, a tray-only start mapped $(mapped | tr '\n' ' ')"
# The panel's left click opens the main window: the overview's export buttons want the calendars.
item=$(grep "^item " "$log" | tail -n 1 | cut -d' ' -f2)
dbus-send --session --print-reply --dest="$item" /StatusNotifierItem org.kde.StatusNotifierItem.Activate \
    int32:10 int32:10 >/dev/null
wait_until 20 "the desktop calendar's calendars were not read once the window opened" \
    json_true 'd["settings"]["appleCalendar"]["selectedCalendarID"]'
mapped | grep -q 'tivren-services\.so' || fail "the services module is not mapped"
mapped | grep -q libecal || fail "Evolution Data Server's library is not mapped"
stop_tivren
passed
