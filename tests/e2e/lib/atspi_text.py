#!/usr/bin/env python3
"""Prints the texts controls of a running program show, read over the accessibility bus.

Usage: atspi_text.py PID NAME...

The program runs with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 and JIRAKUBO_ACCESSIBLE_IDS=1: its
controls are named by their design names ("Label3(1)") and each mirrors the text it shows
into its accessible description. Prints "NAME=TEXT" per name, in the order given (an empty
TEXT for a control that shows nothing). Needs no screen coordinates, so it works on Wayland
as on X11. Keeps looking for up to ten seconds; exits 1 when a control is not found, 2 when
the program never appears on the bus.
"""
import sys
import time

import gi

from atspi_find import application


def collect(node, wanted, found):
    try:
        name = node.get_name()
        if name in wanted and name not in found:
            found[name] = node.get_description() or ""
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is not None:
                collect(child, wanted, found)
    except gi.repository.GLib.Error:
        pass


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip(), file=sys.stderr)
        return 64
    pid, names = int(argv[1]), argv[2:]
    deadline = time.monotonic() + 10
    app, found = None, {}
    while time.monotonic() < deadline:
        app = app or application(pid)
        if app is not None:
            found = {}
            collect(app, set(names), found)
            if len(found) == len(names):
                break
        time.sleep(0.3)
    if app is None:
        print(f"process {pid} is not on the accessibility bus", file=sys.stderr)
        return 2
    for name in names:
        if name in found:
            print(f"{name}={found[name]}")
    missing = [n for n in names if n not in found]
    if missing:
        print(f"no control named {', '.join(missing)}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
