#!/usr/bin/env python3
"""Finds a control of a running program on the accessibility bus and prints where it is.

Usage: atspi_find.py PID NAME [ROLE]

PID is the program's process id, NAME the control's accessible name (started with
JIRAKUBO_ACCESSIBLE_IDS=1, the desktop program names its controls by their design names,
"Label1(3)", "Text2"), ROLE an optional AT-SPI role
name ("push button", "label", "text") that tells apart two controls of the same name.
Prints "X Y" (the centre of the control on the screen) and "X0 Y0 WIDTH HEIGHT" on a
second line, for the first control that is showing. Keeps looking for up to ten seconds
(the program registers on the bus a moment after its window shows); exits 1 when the
control never shows, 2 when the program never appears on the bus.

Needs python3-gi and gir1.2-atspi-2.0, and the program started with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 inside the same D-Bus session.
"""
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


def application(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except gi.repository.GLib.Error:
            continue
    return None


def showing(node):
    states = node.get_state_set()
    return states.contains(Atspi.StateType.SHOWING) and states.contains(Atspi.StateType.VISIBLE)


def find(node, name, role):
    """Depth first, skipping subtrees that are not showing."""
    try:
        if not showing(node):
            return None
        if node.get_name() == name and (role is None or node.get_role_name() == role):
            box = node.get_extents(Atspi.CoordType.SCREEN)
            if box.width > 0 and box.height > 0:
                return box
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is not None:
                found = find(child, name, role)
                if found is not None:
                    return found
    except gi.repository.GLib.Error:
        # A control that went away while we looked.
        return None
    return None


def main(argv):
    if len(argv) not in (3, 4):
        print(__doc__.strip(), file=sys.stderr)
        return 64
    pid, name = int(argv[1]), argv[2]
    role = argv[3] if len(argv) == 4 else None
    deadline = time.monotonic() + 10
    app = None
    while time.monotonic() < deadline:
        app = app or application(pid)
        if app is not None:
            box = find(app, name, role)
            if box is not None:
                print(box.x + box.width // 2, box.y + box.height // 2)
                print(box.x, box.y, box.width, box.height)
                return 0
        time.sleep(0.3)
    if app is None:
        print(f"process {pid} is not on the accessibility bus", file=sys.stderr)
        return 2
    print(f"no showing control named {name!r}" + (f" with role {role!r}" if role else ""), file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
