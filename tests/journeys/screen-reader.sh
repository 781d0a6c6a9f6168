#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A screen-reader user on the overview: the accessibility bus is up, Tivren opens its window, and
# the entries list reads out each entry (project, times, notes, hours); its Delete action works.
. "$(dirname "$0")/journey-lib.sh"

# at-spi2-core's launcher puts the accessibility bus on the session bus, as a desktop session does.
# Its bus outlives a launcher killed with SIGKILL, so it always ends with SIGTERM, even on failure.
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$TMPDIR/atspi.log" 2>&1 &
launcher=$!
trap 'kill -TERM "$launcher" 2>/dev/null || true; kill -9 "${started_pids[@]}" 2>/dev/null || true' EXIT
wait_until 5 "the accessibility bus did not come up" name_owned org.a11y.Bus
unset NO_AT_BRIDGE
export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

yesterday=$(($(date +%s) - 86400))
write_data_file <<JSON
{"projects": [{"name": "Acme", "id": "$acme_id", "hourlyRate": 80},
              {"name": "Globex", "id": "$globex_id"}],
 "entries": [{"id": "aaaaaaaa-0000-0000-0000-000000000001", "projectID": "$acme_id",
              "startDate": "$(iso $yesterday)", "endDate": "$(iso $((yesterday + 5400)))", "notes": "Design review"},
             {"id": "aaaaaaaa-0000-0000-0000-000000000002", "projectID": "$globex_id",
              "startDate": "$(iso $((yesterday - 7200)))", "endDate": "$(iso $((yesterday - 5400)))", "notes": ""}]}
JSON
start_answering
wait_until 10 "the main window did not open" window_shown Tivren

# Debian's Python: the GObject bindings are a Debian package.
walk="$(dirname "$0")/atspi_walk.py"
timeout 30 /usr/bin/python3 "$walk" >"$TMPDIR/walk.out" 2>"$TMPDIR/walk.err" \
    || fail "the AT-SPI walk failed: $(tail -n 3 "$TMPDIR/walk.err")"
[ "$(grep -c '^list item: ' "$TMPDIR/walk.out")" -eq 2 ] || fail "not two entry rows: $(cat "$TMPDIR/walk.out")"
grep -q '^list item: Acme, .*Design review, 1.50 h' "$TMPDIR/walk.out" \
    || fail "the Acme row does not read project, times, notes and hours: $(cat "$TMPDIR/walk.out")"
grep -q '^list item: Globex, .*0.50 h' "$TMPDIR/walk.out" || fail "the Globex row reads wrong: $(cat "$TMPDIR/walk.out")"

timeout 30 /usr/bin/python3 "$walk" --delete Globex >"$TMPDIR/walk.out" 2>"$TMPDIR/walk.err" \
    || fail "the AT-SPI Delete failed: $(tail -n 3 "$TMPDIR/walk.err")"
grep -qx deleted "$TMPDIR/walk.out" || fail "no Globex row to delete: $(cat "$TMPDIR/walk.out")"
wait_until 10 "the Delete action did not delete the Globex entry" \
    json_true 'len(d["entries"]) == 1 and d["entries"][0]["projectID"].lower() == "'"$acme_id"'"'
stop_tivren
kill -TERM "$launcher"
wait_exit "$launcher" 5
passed
