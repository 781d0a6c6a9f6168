#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The user's own copies beside the data file survive a start, a change and a quit, whatever they
# are called; only Tivren's own hidden temporary file, left by a crash, is removed.
. "$(dirname "$0")/journey-lib.sh"

write_two_projects
kept=(tivren-data.json.backup tivren-data.json.before tivren-data.json.copy01 tivren-data.json.abcdef)
for name in "${kept[@]}"; do
    echo "{\"copy\": \"$name\"}" >"$data_dir/$name"
done
echo '{"projects": [' >"$data_dir/.tivren-data.json.tmp-AbC123" # half written when the crash came

start_answering
ctl_ok start acme
stop_tivren
for name in "${kept[@]}"; do
    [ "$(cat "$data_dir/$name")" = "{\"copy\": \"$name\"}" ] || fail "$name was removed or changed"
done
[ ! -e "$data_dir/.tivren-data.json.tmp-AbC123" ] || fail "the temporary file left by a crash is still there"
running_is "$acme_id" || fail "the change was not saved"
passed
