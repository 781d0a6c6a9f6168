#!/usr/bin/env bash
# The first run makes the data folder for the user alone: every folder Tivren creates is 0700 and
# the lock 0600, whatever the umask; a folder that is already there keeps its mode.
. "$(dirname "$0")/journey-lib.sh"
umask 022

# expect_modes MODE PATH...: each PATH has MODE (octal digits, "700").
expect_modes() {
    local mode=$1 path
    shift
    for path in "$@"; do
        [ "$(stat -c %a "$path")" = "$mode" ] || fail "$path has mode $(stat -c %a "$path"), not $mode"
    done
}

# Nothing there yet, not even XDG_DATA_HOME.
export XDG_DATA_HOME="$TMPDIR/fresh/share"
data_dir="$XDG_DATA_HOME/Tivren"
start_answering
expect_modes 700 "$TMPDIR/fresh" "$XDG_DATA_HOME" "$data_dir"
expect_modes 600 "$data_dir/tivren.lock"
stop_tivren

# A folder the user made, with modes of the user's choosing.
export XDG_DATA_HOME="$TMPDIR/kept"
data_dir="$XDG_DATA_HOME/Tivren"
mkdir -p "$data_dir"
chmod 0751 "$XDG_DATA_HOME"
chmod 0750 "$data_dir"
start_answering
expect_modes 751 "$XDG_DATA_HOME"
expect_modes 750 "$data_dir"
expect_modes 600 "$data_dir/tivren.lock"
stop_tivren
passed
