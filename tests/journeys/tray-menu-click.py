#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""tray-menu-click.py LABEL: clicks the tray menu item labelled LABEL, as a panel does.

Finds the program's StatusNotifierItem on the session bus, opens its DBusMenu (AboutToShow), reads
the layout and sends the item's "clicked" event. Exits 1 with a line on stderr when there is no
such item."""
import sys

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

bus = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(name, path, interface, method, args=None, reply=None):
    result = bus.call_sync(name, path, interface, method, args, GLib.VariantType(reply) if reply else None,
                           Gio.DBusCallFlags.NONE, 2000, None)
    return result.unpack() if result else None


def tray_menu():
    names = call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "ListNames", reply="(as)")[0]
    for name in names:
        if not name.startswith(":"):
            continue
        try:
            menu = call(name, "/StatusNotifierItem", "org.freedesktop.DBus.Properties", "Get",
                        GLib.Variant("(ss)", ("org.kde.StatusNotifierItem", "Menu")), "(v)")[0]
        except GLib.Error:
            continue
        return name, menu
    return None


def find(item, label):
    ident, properties, children = item
    if properties.get("label", "").replace("_", "") == label:
        return ident
    for child in children:
        found = find(child, label)
        if found is not None:
            return found
    return None


def main():
    label = sys.argv[1]
    found = tray_menu()
    if not found:
        sys.exit("no tray item on the bus")
    name, path = found
    interface = "com.canonical.dbusmenu"
    call(name, path, interface, "AboutToShow", GLib.Variant("(i)", (0,)), "(b)")
    layout = call(name, path, interface, "GetLayout", GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))")[1]
    ident = find(layout, label)
    if ident is None:
        sys.exit(f"no tray menu item {label!r}")
    call(name, path, interface, "Event", GLib.Variant("(isvu)", (ident, "clicked", GLib.Variant("i", 0), 0)))


main()
