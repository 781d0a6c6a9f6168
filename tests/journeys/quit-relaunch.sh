#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Launching Tivren while the running one is still saving on its way out: the new launch waits for
# the old one to go and starts with the saved data, instead of handing over to a leaving program.
. "$(dirname "$0")/journey-lib.sh"

slow_switch_to_globex
first=$tivren_pid
kill -TERM "$first"
# Launch again as soon as the first has let go of its bus name, or after half a second at most
# (it is still busy with that save then, whether or not it let go).
for _ in $(seq 10); do
    name_owned org.tivren.Tivren || break
    sleep 0.05
done
start_tivren second
wait_exit "$first" 30 0
wait_until 30 "the launch made while Tivren was quitting did not start" \
    bash -c "'$tivrenctl' status 2>/dev/null | grep -q '^Globex '"
stop_tivren
running_is "$globex_id" || fail "the switch to Globex was lost"
passed
