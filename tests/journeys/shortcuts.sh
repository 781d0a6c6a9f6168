#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The keyboard user: with no tray the main window opens at start; Ctrl+Enter starts and stops the
# timer from the overview, Ctrl+N opens the New Project window and Escape closes it, Ctrl+W closes
# the window (which ends a tray-less Tivren), and Ctrl+Q quits with the running timer saved.
. "$(dirname "$0")/journey-lib.sh"

# keys KEY...: presses keys in the main window, as a person at the keyboard would (XTEST).
keys() {
    local window
    window=$(xdotool search --onlyvisible --name '^Tivren$' | head -n 1)
    [ -n "$window" ] || fail "no main window to type into"
    xdotool windowfocus --sync "$window" key --delay 50 "$@"
}

not_running() {
    json_true '"activeSession" not in d or d["activeSession"] is None'
}

write_two_projects
start_answering
wait_until 10 "the main window did not open" window_shown Tivren

keys ctrl+Return
wait_until 10 "Ctrl+Enter did not start Acme" running_is "$acme_id"
keys ctrl+KP_Enter
wait_until 10 "Ctrl+Enter did not stop the timer" not_running

keys ctrl+n
wait_until 10 "Ctrl+N did not open the New Project window" window_shown "New Project"
# Escape cancels the window that now has the focus.
xdotool key Escape
wait_until 10 "Escape did not close the New Project window" window_gone "New Project"

keys ctrl+w
wait_exit "$tivren_pid" 20 0

start_answering second
wait_until 10 "the main window did not open again" window_shown Tivren
keys ctrl+Return
wait_until 10 "Ctrl+Enter did not start the timer" running_is "$acme_id"
keys ctrl+q
wait_exit "$tivren_pid" 20 0
running_is "$acme_id" || fail "the running timer was not saved at Ctrl+Q"
passed
