#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Locks left by a Tivren that died, one naming its process (SIGKILL) and one left empty (a power
# cut right after it was made), do not keep the next Tivren out.
. "$(dirname "$0")/journey-lib.sh"

write_two_projects
start_answering
kill -9 "$tivren_pid"
wait "$tivren_pid" 2>/dev/null || true
[ -s "$lock_file" ] || fail "the killed Tivren left no lock to test with"
start_answering
stop_tivren

: >"$lock_file"
touch -d "-10 seconds" "$lock_file"
start_answering
ctl_ok start acme
stop_tivren
[ ! -e "$lock_file" ] || fail "the lock was left behind"
passed
