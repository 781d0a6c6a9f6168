#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Launch at login across the renaming of the autostart entry: an earlier version's tivren.desktop
# becomes org.tivren.Tivren.desktop at the first start, on or off as the user left it, and a file
# of the user's own under the old name stays as it is. Exec names the program found on PATH.
. "$(dirname "$0")/journey-lib.sh"

autostart="$XDG_CONFIG_HOME/autostart"
earlier="$autostart/tivren.desktop"
entry="$autostart/org.tivren.Tivren.desktop"
mkdir -p "$autostart"
write_two_projects

# start_and_quit: one start of Tivren, until it answers, and a quit.
start_and_quit() {
    start_answering
    stop_tivren
}

# Switched off in the desktop's startup settings, by an earlier Tivren started from a build folder.
cat >"$earlier" <<EOF_ENTRY
[Desktop Entry]
Type=Application
Name=Tivren
Exec=/home/someone/build/tivren
Icon=tivren
Hidden=true
EOF_ENTRY
start_and_quit
[ ! -e "$earlier" ] || fail "the earlier entry is still there"
[ -f "$entry" ] || fail "no entry under the new name"
grep -qx "Hidden=true" "$entry" || fail "the entry was switched on: $(cat "$entry")"
grep -qx "Icon=org.tivren.Tivren" "$entry" || fail "the entry has the old icon name"
grep -qx "Exec=$(realpath "$tivren")" "$entry" || grep -qx "Exec=$tivren" "$entry" \
    || fail "Exec does not name this build's program: $(grep Exec "$entry")"

# Switched on, and Tivren installed on PATH: the entry names it by name.
rm "$entry"
printf '[Desktop Entry]\nType=Application\nExec="/opt/Tivren Old/tivren"\n' >"$earlier"
bin="$TMPDIR/bin"
mkdir -p "$bin"
ln -s "$(realpath "$tivren")" "$bin/tivren"
PATH="$bin:$PATH" start_and_quit
grep -qx "X-GNOME-Autostart-enabled=true" "$entry" || fail "the switched-on entry is off: $(cat "$entry")"
grep -qx "Exec=tivren" "$entry" || fail "Exec does not name tivren on PATH: $(grep Exec "$entry")"
[ ! -e "$earlier" ] || fail "the earlier entry is still there"

# The user's own file under the old name, and Tivren's entry there: nothing moves, nothing goes.
printf '[Desktop Entry]\nType=Application\nExec=tivren-sync --pull\n' >"$earlier"
cp "$earlier" "$TMPDIR/own.desktop"
cp "$entry" "$TMPDIR/entry.desktop"
start_and_quit
cmp -s "$earlier" "$TMPDIR/own.desktop" || fail "the user's own tivren.desktop was changed"
cmp -s "$entry" "$TMPDIR/entry.desktop" || fail "Tivren's entry was changed"
passed
