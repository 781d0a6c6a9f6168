#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A Pomodoro break under Sway (HiDPI, scale 2): the bands are layer-shell surfaces down both edges,
# no new window tiles into the layout, the focus stays where it was, and they go when the break is
# skipped. TIVREN_SCREENSHOT_DIR=<folder> keeps the screenshot of the break as PNG.
. "$(dirname "$0")/journey-lib.sh"
become_desktop_user "$@"
probe="$(dirname "$0")/wayland_probe.py"

start_sway 2
write_pomodoro_projects
# Sway 1.7 offers no ext-idle-notify-v1 and the bus no idle service: no idle detector, said only
# at debug level.
export QT_LOGGING_RULES=IdleMonitor.debug=true
start_answering

sway_windows() {
    swaymsg -t get_tree | "$probe" windows
}
# The window's Wayland app_id is the application id, which names the desktop entry.
tivren_window_shown() {
    sway_windows | grep -q "^window [0-9]* org.tivren.Tivren "
}
wait_until 10 "the main window did not appear with the app_id org.tivren.Tivren: $(sway_windows)" tivren_window_shown
ctl_ok start acme
sleep 1 # the window settles on its work phase
sway_windows >"$TMPDIR/windows-before"
grim -t ppm "$TMPDIR/work.ppm"

# shot_edges NAME: a screenshot, and how it differs from the work phase's at the edges.
shot_edges() {
    grim -t ppm "$TMPDIR/$1.ppm"
    "$probe" edges "$TMPDIR/work.ppm" "$TMPDIR/$1.ppm"
}
bands_up() {
    shot_edges break | awk -F'[= ]' '{ exit !($2 >= 0.9 && $4 >= 0.9 && $6 < 0.5) }'
}
bands_gone() {
    shot_edges after | awk -F'[= ]' '{ exit !($2 <= 0.1 && $4 <= 0.1) }'
}

ctl_ok skip
ctl_ok status
grep -q "Short break" "$TMPDIR/ctl.out" || fail "no short break after skipping work: $(cat "$TMPDIR/ctl.out")"
wait_until 5 "no tinted bands at both edges of the screen: $(shot_edges break)" bands_up
sway_windows >"$TMPDIR/windows-break"
diff "$TMPDIR/windows-before" "$TMPDIR/windows-break" >&2 \
    || fail "the break changed Sway's windows or focus (diff above)"
if [ -n "${TIVREN_SCREENSHOT_DIR:-}" ]; then
    grim "$TIVREN_SCREENSHOT_DIR/break-bands-sway.png" \
        || fail "cannot write the screenshot into $TIVREN_SCREENSHOT_DIR (it must be writable by $(id -un))"
fi

ctl_ok skip
wait_until 5 "the bands stayed after the break: $(shot_edges after)" bands_gone
kill -0 "$tivren_pid" || fail "Tivren ended during the break"
grep -q "no idle detector" "$TMPDIR/tivren.err" || fail "an idle detector on Sway 1.7: $(cat "$TMPDIR/tivren.err")"
passed
