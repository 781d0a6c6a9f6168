#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SIGHUP (the terminal closed, or the session ends) while a save is being written: Tivren quits as
# on SIGTERM, the save lands, and the lock goes.
. "$(dirname "$0")/journey-lib.sh"

slow_switch_to_globex
kill -HUP "$tivren_pid"
wait_exit "$tivren_pid" 20 0
[ ! -e "$lock_file" ] || fail "the lock was left behind"
running_is "$globex_id" || fail "the save under way when SIGHUP came was lost"
passed
