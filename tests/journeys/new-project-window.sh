#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# New Project from the tray on a bare X server, which has no window manager to place windows: the
# window opens centred on the main window wherever that is, and a rate typed with the system
# locale's decimal comma is saved; what cannot be read is refused with the form kept open.
. "$(dirname "$0")/journey-lib.sh"

tray_click() {
    /usr/bin/python3 "$(dirname "$0")/tray-menu-click.py" "$1" 2>"$TMPDIR/tray.err" || fail "tray click: $(cat "$TMPDIR/tray.err")"
}

# The first window whose name is exactly NAME and that is on the screen.
shown_window() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

# geometry ID: "X Y WIDTH HEIGHT".
geometry() {
    xdotool getwindowgeometry --shell "$1" | awk -F= '/^(X|Y|WIDTH|HEIGHT)=/ { printf "%s ", $2 }'
}

write_data_file <<'JSON'
{"projects": []}
JSON
start_notification_server "$TMPDIR/notifications.log" --tray
# A German desktop: the app follows the system's language and number format.
cat >"$TMPDIR/tivren-de" <<SH
#!/bin/sh
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 exec "$tivren" "\$@"
SH
chmod +x "$TMPDIR/tivren-de"
tivren="$TMPDIR/tivren-de"
start_answering

tray_click "Übersicht öffnen"
wait_until 10 "the main window did not open" bash -c "[ -n \"\$(xdotool search --onlyvisible --name '^Tivren\$')\" ]"
main=$(shown_window Tivren)
# Away from the corner where a window lands without a window manager.
xdotool windowmove --sync "$main" 230 110
read -r mx my mw mh <<<"$(geometry "$main")"

tray_click "Erstes Projekt erstellen"
wait_until 10 "the New Project window did not open" bash -c "[ -n \"\$(xdotool search --onlyvisible --name '^Neues Projekt\$')\" ]"
editor=$(shown_window "Neues Projekt")
read -r ex ey ew eh <<<"$(geometry "$editor")"
dx=$(((ex + ew / 2) - (mx + mw / 2)))
dy=$(((ey + eh / 2) - (my + mh / 2)))
[ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] \
    || fail "New Project ($ew x $eh at $ex,$ey) is not centred on the main window ($mw x $mh at $mx,$my)"

# The name field has the cursor; Tab leads to the rate.
sleep 0.3
xdotool type --delay 20 "Smith & Sons"
xdotool key Tab
xdotool type --delay 20 "85 EUR"
xdotool key Return
sleep 0.5
json_check 'd.get("projects", []) == []' "a rate of \"85 EUR\" was saved"
[ -n "$(shown_window "Neues Projekt")" ] || fail "the form closed on a rate it cannot read"
[ -z "${TIVREN_SCREENSHOT_DIR:-}" ] || import -window root "$TIVREN_SCREENSHOT_DIR/tivren-new-project-window.png"

xdotool key ctrl+a BackSpace
xdotool type --delay 20 "85,50"
xdotool key Return
wait_until 10 "the project with the rate 85,50 was not saved" \
    json_true 'len(d["projects"]) == 1 and d["projects"][0]["name"] == "Smith & Sons" and d["projects"][0]["hourlyRate"] == 85.5'
wait_until 5 "the New Project window stayed open after saving" bash -c "[ -z \"\$(xdotool search --onlyvisible --name '^Neues Projekt\$')\" ]"
stop_tivren
json_check 'd["projects"][0]["hourlyRate"] == 85.5' "the rate was not kept at quit"
passed
