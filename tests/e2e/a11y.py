"""The game as a screen reader meets it: a session bus, the accessibility bus and its registry
of the test module's own, and the game's objects found on it.

The bindings join the bus once, at their first import, and keep it for the life of the process:
a test module starts the buses in setUpModule (before any game, which finds them through the
environment it inherits) and takes the bindings from `atspi()` after that."""

import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest
import warnings

from harness import COLS, COVERED, EMPTY, NUMBER, USER_MARK

LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
_BUS = {}


def start_buses():
    """For setUpModule: every game the module starts afterwards speaks on these buses."""
    if not shutil.which("dbus-daemon") or not os.path.exists(LAUNCHER):
        raise unittest.SkipTest("dbus-daemon or the accessibility bus launcher is missing")
    _BUS["dir"] = tempfile.mkdtemp(prefix="dravik-a11y-")
    _BUS["session"] = subprocess.Popen(
        ["dbus-daemon", "--session", "--nofork", "--print-address=1"],
        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = _BUS["session"].stdout.readline().strip()
    os.environ["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
    _BUS["launcher"] = subprocess.Popen(
        [LAUNCHER, "--launch-immediately"], env=dict(os.environ, XDG_RUNTIME_DIR=_BUS["dir"]),
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def stop_buses():
    """For tearDownModule."""
    for name in ("launcher", "session"):
        if name in _BUS:
            _BUS[name].terminate()
            _BUS[name].wait()
    if "session" in _BUS:
        _BUS["session"].stdout.close()
    shutil.rmtree(_BUS.get("dir", ""), ignore_errors=True)
    _BUS.clear()


def atspi():
    if "session" not in _BUS:
        raise AssertionError("the accessibility bus is not started: call start_buses first")
    # The bindings' own use of deprecated calls, not ours; filtered here, inside the filters
    # the test runner sets up.
    warnings.filterwarnings("ignore", category=DeprecationWarning, module="pyatspi")
    warnings.filterwarnings("ignore", category=ImportWarning)
    import pyatspi  # joins the bus named in the environment, so only once it exists
    return pyatspi


def applications():
    desktop = atspi().Registry.getDesktop(0)
    return [app for app in (desktop[i] for i in range(desktop.childCount)) if app is not None]


def application(pid, timeout=20.0):
    """The game process's application object, once it has registered."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for app in applications():
            try:
                if app.get_process_id() == pid:
                    return app
            except Exception:  # an application gone while we asked: not the one we want
                pass
        time.sleep(0.1)
    raise AssertionError(f"process {pid} never appeared on the accessibility bus")


def descendants(node, depth=8):
    """Every object under node, its children before theirs (cells excepted: a screen reader
    reads a table's 480 cells through the table, not by walking them)."""
    if node is None or depth == 0:
        return
    for i in range(node.childCount):
        child = node[i]
        if child is None:
            continue
        yield child
        if child.getRoleName() != "table":
            yield from descendants(child, depth - 1)


def boxes(pid):
    """The message boxes ("alert") the process has up: (box, its labels' text, its buttons)."""
    found = []
    for window in application(pid):
        if window is None or window.getRoleName() != "alert":
            continue
        texts, buttons = [], {}
        for node in descendants(window):
            if node.getRoleName() == "label":
                texts.append(node.name)
            elif node.getRoleName() == "push button":
                buttons[node.name] = node
        found.append((window, "\n".join(texts), buttons))
    return found


def find(pid, role, name):
    """The first object of the process with that role and name, e.g. a menu item."""
    for node in descendants(application(pid)):
        if node.getRoleName() == role and node.name == name:
            return node
    raise AssertionError(f"process {pid} shows no {role} {name!r}")


def act(node, name="Press"):
    """Does the object's action of that name, e.g. a button's or a menu item's "Press"."""
    actions = node.queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if name not in names:
        raise AssertionError(f"{node.getRoleName()} {node.name!r} offers only {names}")
    actions.doAction(names.index(name))


class Minefield:
    """The minefield table of one game process, and its two counters."""

    def __init__(self, pid, timeout=20.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = {}
            for node in descendants(application(pid, timeout)):
                if node.getRoleName() == "table":
                    found["table"] = node
                elif node.name in ("Mines left", "Cells left"):
                    found[node.name] = node
            if len(found) == 3:
                self.table = found.pop("table")
                self.counters = found
                return
            time.sleep(0.2)
        raise AssertionError("the game's minefield never appeared on the accessibility bus")

    def cell(self, row, col):
        return self.table.getChildAtIndex((row - 1) * COLS + col - 1)

    def kind(self, row, col):
        return kind_of_name(self.cell(row, col).name)

    def counter(self, name):
        return self.counters[name].queryText().getText(0, -1)

    def read_board(self, rows):
        """The board as the screen reader hears it, in the harness's letters."""
        return ["".join(self.kind(r, c) for c in range(1, COLS + 1)) for r in range(1, rows + 1)]

    def act(self, row, col, name):
        """A cell's action, "Uncover" or "Mark": a left or a right click on it."""
        act(self.cell(row, col), name)


def kind_of_name(name):
    """A cell's accessible name as the screen shows it: marks of either kind read alike."""
    state = re.match(r"row \d+, column \d+, (.*)$", name).group(1)
    if state == "covered":
        return COVERED
    if state == "marked":
        return USER_MARK
    return EMPTY if state == "no mines around" else NUMBER
