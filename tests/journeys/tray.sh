#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The tray icon as a panel drives it over D-Bus (StatusNotifierItem): a left click (Activate)
# brings the main window forward, a second one sends it away, and no other window ever appears,
# whatever the click; the menu is the panel's to show (DBusMenu). The tooltip says what runs. An
# error while only the icon shows gets its alert.
. "$(dirname "$0")/journey-lib.sh"

log="$TMPDIR/notifications.log"
write_pomodoro_projects
start_notification_server "$log" --tray
start_answering
wait_until 5 "the tray icon did not register with the panel" grep -q "^item " "$log"
item=$(grep -m1 "^item " "$log" | cut -d' ' -f2)

# item_call METHOD ARGS...: a method of the item; item_property NAME: its value as dbus-send prints it.
item_call() {
    dbus-send --session --print-reply --dest="$item" /StatusNotifierItem "org.kde.StatusNotifierItem.$1" "${@:2}" \
        >/dev/null
}
item_property() {
    dbus-send --session --print-reply --dest="$item" /StatusNotifierItem org.freedesktop.DBus.Properties.Get \
        string:org.kde.StatusNotifierItem "string:$1"
}
# tooltip_is TEXT: the tooltip's title is TEXT (an extended regular expression).
tooltip_is() {
    item_property ToolTip | grep -Eq "^ +string \"$1\"$"
}
window_count() {
    viewable_windows | wc -l
}
only_main_window() {
    [ "$(window_count)" -eq 1 ] && window_shown "Tivren"
}
main_focused() {
    [ "$(printf '0x%x' "$(xdotool getwindowfocus)")" = "$main" ]
}
main_hidden() {
    ! xwininfo -id "$main" | grep -q IsViewable
}
tracking_tooltip() {
    item_property ToolTip | grep -m1 "Acme"
}
tooltip_ticked() {
    [ "$(tracking_tooltip)" != "$first" ]
}

# Qt's item asks the panel to send Activate on a left click and keeps the menu for the panel.
item_property ItemIsMenu | grep -q "boolean false" || fail "ItemIsMenu is not false: $(item_property ItemIsMenu)"
item_property Menu | grep -q '/MenuBar' || fail "the item exports no DBusMenu: $(item_property Menu)"
wait_until 5 "the idle tooltip is not 'Tivren — Not tracking': $(item_property ToolTip)" \
    tooltip_is "Tivren — Not tracking"
[ "$(window_count)" -eq 0 ] || fail "windows before any click: $(viewable_windows)"

# The panel's menu click (right click) opens no window of Tivren's own.
item_call ContextMenu int32:10 int32:10
sleep 0.5
[ "$(window_count)" -eq 0 ] || fail "a window appeared on ContextMenu: $(viewable_windows)"

item_call Activate int32:10 int32:10
wait_until 5 "Activate did not bring the main window forward" only_main_window
main=$(viewable_windows | awk '{ print $1 }')
wait_until 5 "the main window does not have the focus" main_focused
screenshot tray-activated

# Already in front: the next click sends it away, the one after brings it back.
item_call Activate int32:10 int32:10
wait_until 5 "a second Activate did not send the main window away" main_hidden
[ "$(window_count)" -eq 0 ] || fail "windows after the second Activate: $(viewable_windows)"
item_call Activate int32:10 int32:10
wait_until 5 "a third Activate did not bring the main window back" only_main_window

# While tracking: project and elapsed time, then the Pomodoro phase and its time left, every second.
ctl_ok start acme
wait_until 5 "the tooltip does not show Acme: $(item_property ToolTip)" \
    tooltip_is "Acme · 00:00:0[0-9] · Work 00:2[45]:[0-5][0-9]"
first=$(tracking_tooltip)
wait_until 3 "the tooltip's time does not tick" tooltip_ticked
ctl_ok stop
wait_until 5 "the tooltip still shows a timer after stop: $(item_property ToolTip)" \
    tooltip_is "Tivren — Not tracking"
stop_tivren

# The main window is built only when first needed; an error while only the icon shows still gets
# its alert (here a save refused by a full disk).
start_answering again
wait_until 5 "the tray icon did not register again" bash -c "[ \$(grep -c '^item ' '$log') -ge 2 ]"
strace_attach "$tivren_pid" "$TMPDIR/strace" -e trace=fsync -e inject=fsync:error=ENOSPC
ctl_refused start globex
wait_until 5 "no alert said that the change could not be saved" window_shown "Something went wrong"
[ "$(window_count)" -eq 1 ] || fail "more windows than the alert: $(viewable_windows)"
screenshot tray-only-alert
strace_detach
stop_tivren
passed
