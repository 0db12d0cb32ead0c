#!/usr/bin/env python3
"""Walks every window of the running desktop program on the accessibility bus, as a screen
reader sees it, and checks what it would read.

Usage: atspi_walk.py walk PID OUT.json [--design-names]
       atspi_walk.py check DESIGN.json PERSON.json

walk: opens every window the way a screen reader user would, through the accessible
actions of menu items and buttons (and xdotool to type the maintenance password), and
writes each window's tree as it stands then: every node's path, role, name, description
and states. --design-names: the program runs with JIRAKUBO_ACCESSIBLE_IDS=1, so the
controls the walk presses go by their design names.

check: compares the two walks of the same scenario, node by node (the trees are the same,
only the names differ), and fails on any control named like a design name, any focusable
control without a name, and any push button whose name is not its caption (the caption is
the description the design-name run mirrored). Prints what a screen reader reads in the
main window.

Needs python3-gi and gir1.2-atspi-2.0, xdotool, and the program started with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 inside the same D-Bus session.
"""
import json
import re
import string
import subprocess
import sys
import time
import unicodedata
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# The action names Qt gives ("Press") are read with calls at-spi 2.46 calls deprecated.
warnings.filterwarnings("ignore", category=DeprecationWarning)

MAIN = "main"
PASSWORD = "tsukimi"
DESIGN_LIKE = re.compile(
    r"^(Label|Command|Text|Check|Combo|Option|List|Picture|Image|HScroll|Frame|Slider|File|StatusBar|Toolbar)\d"
    r"|^(txtMain|comOpen|comSave|comSaveas)$")
WINDOW_ROLES = {"frame", "dialog", "window"}


def log(*args):
    print("[walk]", *args, flush=True)


# ---------------------------------------------------------------------------------------
# Reading the tree
# ---------------------------------------------------------------------------------------

def application(pid, seconds=15):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except GLib.Error:
                continue
        time.sleep(0.3)
    return None


def states_of(node):
    s = node.get_state_set()
    names = []
    for state, name in ((Atspi.StateType.SHOWING, "showing"), (Atspi.StateType.VISIBLE, "visible"),
                        (Atspi.StateType.FOCUSABLE, "focusable"), (Atspi.StateType.ENABLED, "enabled"),
                        (Atspi.StateType.CHECKED, "checked")):
        if s.contains(state):
            names.append(name)
    return names


def dump(node, path=(), parent_role=""):
    """The nodes under node, depth first, each with its path of child indices."""
    out = []
    try:
        role = node.get_role_name()
        entry = {"path": list(path), "role": role, "parent_role": parent_role, "name": node.get_name() or "",
                 "description": node.get_description() or "", "states": states_of(node)}
        out.append(entry)
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is not None:
                out.extend(dump(child, path + (i,), role))
    except GLib.Error as e:  # a control that went away while we looked
        log("skipped a node at", path, e.message)
    return out


def windows(app):
    """The program's showing top-level windows by key: the main window's title ends in
    2011字楽坊 (its file name comes first); every other window is keyed by its title."""
    found = {}
    for i in range(app.get_child_count()):
        w = app.get_child_at_index(i)
        try:
            if w is None or w.get_role_name() not in WINDOW_ROLES or "showing" not in states_of(w):
                continue
            name = w.get_name() or ""
        except GLib.Error:
            continue
        found[MAIN if name.endswith("2011字楽坊") else name] = w
    return found


def find(node, names, role=None, showing=True):
    """The first node below node named one of names (and of that role), depth first."""
    try:
        st = states_of(node)
        if showing and "showing" not in st and node.get_role_name() not in ("menu", "menu item"):
            return None
        if node.get_name() in names and (role is None or node.get_role_name() == role):
            return node
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is not None:
                hit = find(child, names, role, showing)
                if hit is not None:
                    return hit
    except GLib.Error:
        return None
    return None


# ---------------------------------------------------------------------------------------
# Acting as a screen reader user does
# ---------------------------------------------------------------------------------------

def act(node, preferred=("Press", "press", "Toggle", "toggle", "click", "Click")):
    """Runs the node's press action (what Enter or the screen reader's click does)."""
    count = Atspi.Action.get_n_actions(node)
    names = [Atspi.Action.get_action_name(node, i) for i in range(count)]
    for wanted in preferred:
        if wanted in names:
            Atspi.Action.do_action(node, names.index(wanted))
            return
    raise RuntimeError(f"{node.get_name()!r} offers only {names}")


def press(app, window, names, role="push button", wait_for=None):
    hit = None
    deadline = time.monotonic() + 10
    while hit is None and time.monotonic() < deadline:
        win = windows(app).get(window)
        hit = find(win, names, role) if win is not None else None
        if hit is None:
            time.sleep(0.3)
    if hit is None:
        raise RuntimeError(f"no {role} named {names} in window {window!r}")
    log("press", hit.get_name(), "in", window)
    act(hit)
    if wait_for:
        wait_window(app, wait_for)


def menu(app, *path):
    """Triggers a menu item through its action, its menus left closed."""
    win = windows(app)[MAIN]
    node = find(win, ("",), "menu bar")
    for caption in path:
        # A menu title shows its access key: "ツール(T)".
        hit = None
        for name in (caption, re.sub(r"\(.\)$", "", caption)):
            hit = find(node, {name} | {f"{name}({k})" for k in string.ascii_uppercase + string.digits}, None, showing=False)
            if hit is not None:
                break
        if hit is None:
            raise RuntimeError(f"no menu item {caption!r}")
        node = hit
    log("menu", " → ".join(path))
    act(node, ("Press", "press", "click", "Toggle", "toggle"))


def wait_window(app, key, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if key in windows(app):
            time.sleep(0.3)  # let it lay out
            return
        time.sleep(0.2)
    raise RuntimeError(f"window {key!r} never showed; there are {sorted(windows(app))}")


def type_password(app, design_names):
    """Types the maintenance password into the prompt's box with the keyboard and presses
    OK: the box learns only what is typed."""
    wait_window(app, "パスワード")
    xid = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^パスワード$"],
                         capture_output=True, text=True).stdout.split()
    if xid:
        subprocess.run(["xdotool", "windowfocus", "--sync", xid[0]], check=False)
    box = find(windows(app)["パスワード"], {"Text1" if design_names else "パスワード"}, "password text") or \
        find(windows(app)["パスワード"], {"Text1" if design_names else "パスワード"}, "text")
    if box is None:
        raise RuntimeError("no password box")
    box.get_component_iface().grab_focus()
    time.sleep(0.3)
    subprocess.run(["xdotool", "type", "--delay", "60", PASSWORD], check=True)
    time.sleep(0.3)
    press(app, "パスワード", {"Command1", "OK"})


def walk(pid, out_path, design_names):
    Atspi.set_timeout(8000, 30000)
    app = application(pid)
    if app is None:
        log(f"process {pid} is not on the accessibility bus")
        return 2
    wait_window(app, MAIN)
    states = {}

    def keep(label, main=False):
        for key, w in windows(app).items():
            if key == MAIN and not main:
                continue
            name = f"{label}: {key}" if key == MAIN else key
            if name not in states:
                states[name] = dump(w)
                log("read", name, len(states[name]), "nodes")

    def ids(design, person):
        return {design} if design_names else {person}

    keep("opened", main=True)
    # The maintenance tools, behind the password prompt; the data edit tool before the
    # lookup panel, while status-bar panel 1 still names the workbook's file.
    menu(app, "データ編集(D)", "ファイル変更")
    keep("password")
    type_password(app, design_names)
    wait_window(app, "データ修正ツール")
    menu(app, "データ編集(D)", "ファイル結合")
    type_password(app, design_names)
    wait_window(app, "ファイル結合")
    keep("tools")
    # Paper, options and help.
    menu(app, "ツール(T)", "原稿用紙作成")
    menu(app, "ツール(T)", "横罫線用紙作成")
    menu(app, "印刷オプション(P)", "かな印字位置調整")
    menu(app, "印刷オプション(P)", "練習（なぞり書き）", "あり（手本となぞり書き）")
    menu(app, "ヘルプ(H)", "データ作成の説明")
    menu(app, "ヘルプ(H)", "ボタンの説明")
    for title in ("原稿用紙-クリックで印刷", "かな印字位置調整", "データ作成の説明", "ボタンの説明"):
        wait_window(app, title)
    keep("paper")
    # The lookup panel with grade 1, its company and text flow windows; a problem taken
    # out into the memory list.
    press(app, MAIN, {"単漢字表示"})
    press(app, MAIN, ids("Command202(1)", "1年"))
    press(app, MAIN, {"教科書会社選択"}, wait_for="教科書会社の選択")
    press(app, MAIN, {"文章の流し込み"})
    press(app, MAIN, ids("Label1(3)", "3行目をメモリーへ"))
    time.sleep(0.5)
    keep("panels", main=True)
    with open(out_path, "w", encoding="utf-8") as f:
        json.dump(states, f, ensure_ascii=False, indent=0)
    log("windows read:", ", ".join(states))
    return 0


# ---------------------------------------------------------------------------------------
# Checking the person's walk against the design-name walk
# ---------------------------------------------------------------------------------------

def says_something(caption):
    """A caption of letters is read as is; one of signs or digits (▲, ⇒, 13) is not, and its
    control is named by what it does."""
    return any(unicodedata.category(c).startswith("L") for c in caption)


def check(design_path, person_path):
    with open(design_path, encoding="utf-8") as f:
        design = json.load(f)
    with open(person_path, encoding="utf-8") as f:
        person = json.load(f)
    faults = []
    expected_windows = 13  # the main window twice (opened, panels) and every other window
    if len(person) < expected_windows:
        faults.append(f"only {len(person)} window states read: {sorted(person)}")
    nodes = 0
    for window, tree in person.items():
        other = design.get(window)
        if other is None:
            faults.append(f"{window}: not read in the design-name walk")
            continue
        by_path = {tuple(n["path"]): n for n in other}
        for n in tree:
            nodes += 1
            where = f"{window}: {n['role']} {'/'.join(map(str, n['path']))}"
            showing = "showing" in n["states"]
            if DESIGN_LIKE.search(n["name"]):
                faults.append(f"{where} is named like a design name: {n['name']!r}")
            if showing and "focusable" in n["states"] and not n["name"].strip():
                faults.append(f"{where} can take the focus but has no name")
            if showing and n["role"] == "push button" and n["parent_role"] != "tool bar":
                twin = by_path.get(tuple(n["path"]))
                if twin is None or twin["role"] != n["role"]:
                    faults.append(f"{where} {n['name']!r}: the design-name walk has no such button")
                    continue
                caption = twin["description"]
                if not n["name"].strip():
                    faults.append(f"{where}: a button without a name")
                elif says_something(caption) and n["name"] != caption:
                    faults.append(f"{where} is named {n['name']!r}, its caption is {caption!r}")
    print(f"{nodes} nodes in {len(person)} window states")
    print("--- what a screen reader reads in the main window:")
    for n in person.get("panels: main", []):
        if "showing" not in n["states"] or not (n["name"] or n["description"]):
            continue
        if n["role"] in ("filler", "panel", "scroll pane", "viewport", "separator") and not n["name"]:
            continue
        text = f"{'  ' * min(len(n['path']), 6)}{n['role']}: {n['name']}"
        if n["description"] and n["description"] != n["name"]:
            text += f"  ({n['description']})"
        print(text)
    for f in faults:
        print("FAULT:", f)
    print(f"{len(faults)} faults")
    return 1 if faults else 0


def main(argv):
    if len(argv) >= 4 and argv[1] == "walk":
        return walk(int(argv[2]), argv[3], "--design-names" in argv[4:])
    if len(argv) == 4 and argv[1] == "check":
        return check(argv[2], argv[3])
    print(__doc__.strip(), file=sys.stderr)
    return 64


if __name__ == "__main__":
    sys.exit(main(sys.argv))
