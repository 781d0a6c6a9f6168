#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the Wayland journeys look at, in plain numbers and lines.

wayland_probe.py edges REFERENCE.ppm SHOT.ppm
    The share of rows whose pixel differs (by 8 or more in a channel) between the two screenshots
    at the left edge, the right edge and the middle column: "left=0.98 right=0.98 middle=0.12".
wayland_probe.py windows < get_tree.json
    One line per window in a Sway tree (id, app_id or class, name) and the focused node's id.
"""
import json
import sys


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:  # magic, width, height, maximum; comments are not written by grim
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    if fields[0] != b"P6" or fields[3] != b"255":
        sys.exit(f"{path}: not an 8-bit binary PPM")
    return int(fields[1]), int(fields[2]), data[pos + 1:]


def edges(reference, shot):
    width, height, before = read_ppm(reference)
    shot_width, shot_height, after = read_ppm(shot)
    if (width, height) != (shot_width, shot_height):
        sys.exit("the screenshots differ in size")

    def changed(x):
        rows = 0
        for y in range(height):
            i = (y * width + x) * 3
            if any(abs(before[i + c] - after[i + c]) >= 8 for c in range(3)):
                rows += 1
        return rows / height

    print(f"left={changed(1):.2f} right={changed(width - 2):.2f} middle={changed(width // 2):.2f}")


def windows(tree):
    lines, focused = [], None

    def walk(node):
        nonlocal focused
        if node.get("focused"):
            focused = node["id"]
        if node.get("pid") is not None:
            kind = node.get("app_id") or (node.get("window_properties") or {}).get("class")
            lines.append(f"window {node['id']} {kind} {node.get('name')}")
        for child in node.get("nodes", []) + node.get("floating_nodes", []):
            walk(child)

    walk(tree)
    print("\n".join(lines + [f"focused {focused}"]))


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "edges":
        edges(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 2 and sys.argv[1] == "windows":
        windows(json.load(sys.stdin))
    else:
        sys.exit(__doc__)
