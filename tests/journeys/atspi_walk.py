#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads Tivren's overview as a screen reader does, over AT-SPI: finds the list named "Entries",
# prints each entry row's name on a line, and with --delete NAME_PREFIX invokes the Delete action
# of the first row whose name begins so. Exits 1 when the list is not found within the time limit.
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def find_list(node, depth=0):
    if node is None or depth > 40:
        return None
    try:
        if node.get_role() == Atspi.Role.LIST and node.get_name() == "Entries":
            return node
        count = node.get_child_count()
    except gi.repository.GLib.Error:
        return None
    for i in range(count):
        found = find_list(node.get_child_at_index(i), depth + 1)
        if found is not None:
            return found
    return None


def entries_list(deadline):
    while time.time() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and (app.get_name() or "").lower() == "tivren":
                found = find_list(app)
                if found is not None:
                    return found
        time.sleep(0.2)
    return None


def main():
    entries = entries_list(time.time() + 15)
    if entries is None:
        print("no accessible list named Entries in Tivren", file=sys.stderr)
        return 1
    rows = [entries.get_child_at_index(i) for i in range(entries.get_child_count())]
    for row in rows:
        print(f"{row.get_role_name()}: {row.get_name()}")
    if len(sys.argv) == 3 and sys.argv[1] == "--delete":
        for row in rows:
            if row.get_name().startswith(sys.argv[2]):
                action = row.get_action_iface()
                names = [action.get_action_name(i) for i in range(action.get_n_actions())]
                action.do_action(names.index("Delete"))
                print("deleted")
                break
    return 0


if __name__ == "__main__":
    sys.exit(main())
