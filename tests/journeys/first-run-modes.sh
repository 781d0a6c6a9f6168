#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The first run makes the data folder for the user alone: every folder Tivren creates is 0700 and
# the lock 0600, whatever the umask; a folder that is already there keeps its mode.
. "$(dirname "$0")/journey-lib.sh"
umask 022

# Nothing there yet, not even XDG_DATA_HOME.
export XDG_DATA_HOME="$TMPDIR/fresh/share"
data_dir="$XDG_DATA_HOME/Tivren"
start_answering
made=$(stat -c %a "$TMPDIR/fresh" "$XDG_DATA_HOME" "$data_dir" "$data_dir/tivren.lock" | xargs)
[ "$made" = "700 700 700 600" ] || fail "the folders and the lock were made with modes $made, not 700 and 600"
stop_tivren

# A folder the user made, with modes of the user's choosing.
export XDG_DATA_HOME="$TMPDIR/kept"
data_dir="$XDG_DATA_HOME/Tivren"
mkdir -p "$data_dir"
chmod 0751 "$XDG_DATA_HOME"
chmod 0750 "$data_dir"
start_answering
kept=$(stat -c %a "$XDG_DATA_HOME" "$data_dir" "$data_dir/tivren.lock" | xargs)
[ "$kept" = "751 750 600" ] || fail "the user's folders and the lock have modes $kept, not 751 750 600"
stop_tivren
passed
