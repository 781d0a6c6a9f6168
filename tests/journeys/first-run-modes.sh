#!/usr/bin/env bash
# The first run makes the data folder for the user alone: every folder Tivren creates is 0700 and
# the lock 0600, whatever the umask; a folder that is already there keeps its mode.
. "$(dirname "$0")/journey-lib.sh"
umask 022

# Nothing there yet, not even XDG_DATA_HOME.
export XDG_DATA_HOME="$TMPDIR/fresh/share"
data_dir="$XDG_DATA_HOME/Tivren"
start_tivren
wait_answering
for folder in "$TMPDIR/fresh" "$XDG_DATA_HOME" "$data_dir"; do
    [ "$(mode_of "$folder")" = 700 ] || fail "$folder was created with mode $(mode_of "$folder"), not 700"
done
[ "$(mode_of "$data_dir/tivren.lock")" = 600 ] || fail "the lock file has mode $(mode_of "$data_dir/tivren.lock")"
stop_tivren

# A folder the user made, with modes of the user's choosing.
export XDG_DATA_HOME="$TMPDIR/kept"
data_dir="$XDG_DATA_HOME/Tivren"
mkdir -p "$data_dir"
chmod 0751 "$XDG_DATA_HOME"
chmod 0750 "$data_dir"
start_tivren
wait_answering
[ "$(mode_of "$XDG_DATA_HOME")" = 751 ] || fail "the existing XDG_DATA_HOME changed to $(mode_of "$XDG_DATA_HOME")"
[ "$(mode_of "$data_dir")" = 750 ] || fail "the existing data folder changed to $(mode_of "$data_dir")"
[ "$(mode_of "$data_dir/tivren.lock")" = 600 ] || fail "the lock file has mode $(mode_of "$data_dir/tivren.lock")"
stop_tivren
passed
