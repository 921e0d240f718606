"""Drives the real game under its own Xvfb server with real X events (xdotool) and reads the
board back from screenshots by the cells' background colours."""

import ctypes
import os
import random
import re
import shutil
import subprocess
import tempfile
import time
import unittest

ROWS, COLS = 16, 30
COVERED, EMPTY, NUMBER, USER_MARK, AUTO_MARK = " ", "0", "#", "@", "!"
COLOURS = {
    (0, 255, 0): EMPTY,
    (0, 255, 255): NUMBER,
    (255, 0, 255): USER_MARK,
    (255, 0, 0): AUTO_MARK,
}
GAME = os.environ.get("DRAVIK_BINARY", "")


def twips(value):
    """Twips to pixels at the 96 DPI Xvfb reports, rounded as the game rounds."""
    return int(value / 15 + 0.5)


class Screenshot:
    def __init__(self, ppm):
        match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", ppm)
        self.width, self.height = int(match.group(1)), int(match.group(2))
        self.pixels = ppm[match.end():]

    def pixel(self, x, y):
        at = 3 * (y * self.width + x)
        return tuple(self.pixels[at:at + 3])


class Game:
    """One Xvfb server and one game process."""

    def __init__(self, large=False):
        self.large = large
        self.rows, self.cols = ROWS, COLS  # the Expert board the game starts on
        self.display = None
        self.xvfb = None
        self.process = None

    # --- processes -------------------------------------------------------------------------
    def start(self, answer="alt+n"):
        self.display = self.start_xvfb()
        self.env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb",
                        XDG_RUNTIME_DIR=tempfile.mkdtemp(prefix="dravik-e2e-"))
        self.env.pop("WAYLAND_DISPLAY", None)
        self.wait_for_server()
        # Kept in a file, not a pipe that nobody drains.
        self.log = open(os.path.join(self.env["XDG_RUNTIME_DIR"], "game.log"), "wb")
        self.process = subprocess.Popen([GAME], env=self.env, stdout=self.log, stderr=self.log)
        self.wait_window("^DRAVIK$")
        if answer:
            self.key(answer)
        return self

    def start_xvfb(self):
        """A server on a display of its own: -displayfd alone lets parallel tests race for the
        same lowest free number."""
        for _ in range(20):
            number = random.randrange(100, 30000)
            if os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(f"/tmp/.X11-unix/X{number}"):
                continue
            read_fd, write_fd = os.pipe()
            self.xvfb = subprocess.Popen(
                ["Xvfb", f":{number}", "-displayfd", str(write_fd), "-screen", "0", "1280x1024x24",
                 "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write_fd)
            with os.fdopen(read_fd) as pipe:
                ready = pipe.readline().strip()
            if ready == str(number):
                return f":{number}"
            self.xvfb.wait()
        raise AssertionError("no Xvfb server could be started")

    def wait_for_server(self, timeout=10.0):
        deadline = time.monotonic() + timeout
        while subprocess.run(["xdotool", "getmouselocation"], env=self.env,
                             capture_output=True).returncode != 0:
            if time.monotonic() > deadline:
                raise AssertionError(f"Xvfb on {self.display} does not answer")
            time.sleep(0.02)

    def stop(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        if self.xvfb:
            self.xvfb.terminate()  # lets it remove its lock file and socket
            try:
                self.xvfb.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()
        if getattr(self, "log", None):
            self.log.close()
        shutil.rmtree(self.env.get("XDG_RUNTIME_DIR", ""), ignore_errors=True)

    def game_log(self):
        with open(self.log.name, "rb") as log:
            return log.read().decode(errors="replace")[-3000:]

    def exit_code(self, timeout=10):
        return self.process.wait(timeout=timeout)

    # --- X -----------------------------------------------------------------------------------
    def xdotool(self, *args):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True)
        return result.stdout

    def windows(self, name):
        return [w for w in self.xdotool("search", "--onlyvisible", "--name", name).split() if w]

    def wait_window(self, name, timeout=10.0, present=True):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self.windows(name)
            if bool(found) == present:
                return found[0] if found else None
            if self.process and self.process.poll() is not None and present:
                raise AssertionError(f"the game ended (code {self.process.returncode}) "
                                     f"before a window {name!r} appeared:\n{self.game_log()}")
            time.sleep(0.02)
        raise AssertionError(f"window {name!r} {'never appeared' if present else 'stayed'}")

    def geometry(self, window):
        fields = dict(line.split("=") for line in self.xdotool(
            "getwindowgeometry", "--shell", window).split())
        return int(fields["X"]), int(fields["Y"]), int(fields["WIDTH"]), int(fields["HEIGHT"])

    # Without a window manager nothing moves the keyboard focus: give it to the window that
    # would have it, the topmost box or dialog, else the main window.
    FOCUS_ORDER = ("^DRAVIK$", "^Dravik 2000 - General's report.$", "^Dravik II: Options$",
                   "^Dravik 2000$")

    def focus(self):
        for name in self.FOCUS_ORDER:
            found = self.windows(name)
            if found:
                self.xdotool("windowfocus", "--sync", found[-1])
                return

    def key(self, *keys, focus=True):
        """Types keys; with focus=False into whatever window has the keyboard, as a player would
        without a window manager."""
        if focus:
            self.focus()
        self.xdotool("key", "--delay", "30", *keys)

    def menu(self, title_key, item_key, timeout=5.0, focus=True):
        """Chooses a menu item by its access keys, e.g. ("alt+g", "x") for Exit, once the
        drop-down is mapped (it grabs the keyboard then)."""
        before = set(self.windows(".*"))
        self.key(title_key, focus=focus)
        deadline = time.monotonic() + timeout
        while not set(self.windows(".*")) - before:
            if time.monotonic() > deadline:
                raise AssertionError(f"no menu opened for {title_key}")
            time.sleep(0.01)
        self.xdotool("key", item_key)

    def click(self, x, y, button=1, modifiers=()):
        args = ["mousemove", "--sync", str(x), str(y)]
        for m in modifiers:
            args += ["keydown", m]
        args += ["click", str(button)]
        for m in reversed(modifiers):
            args += ["keyup", m]
        self.xdotool(*args)

    def screenshot(self):
        ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.env,
                             capture_output=True, check=True).stdout
        return Screenshot(ppm)

    # --- the board ---------------------------------------------------------------------------
    def main_window(self):
        return self.wait_window("^Dravik 2000$")

    def grid_origin(self, timeout=5.0):
        """Top-left pixel of the panel that holds the cells, found from the black border of the
        first covered cell once the window has painted (the bare root window is black too)."""
        x, y, _, height = self.geometry(self.main_window())
        left = x + twips(self.grid_left())
        deadline = time.monotonic() + timeout
        found = None
        while time.monotonic() < deadline:
            shot = self.screenshot()
            # The panel lies at least its own offset below the top, under the menus and strip.
            for row in range(y + twips(540), y + height - 4):
                inside = shot.pixel(left + 3, row + 3)
                if (shot.pixel(left, row) == (0, 0, 0) and shot.pixel(left + 3, row) == (0, 0, 0)
                        and inside not in ((0, 0, 0), (255, 255, 255))):
                    origin = x, row - twips(120)
                    if origin == found:  # the same on two screenshots: painted, not painting
                        return origin
                    found = origin
                    break
            time.sleep(0.05)
        raise AssertionError("no covered cell found")

    def cell_size(self):
        return 383 if self.large else 255

    def grid_left(self):
        """The first cell's left in the panel, in twips: a board narrower than the strip of
        controls sits in the middle of the panel."""
        cells = self.cols * self.cell_size() + (210 if self.large else 255)
        return 60 + (max(cells, 7905) - cells) // 2

    def cell_rect(self, row, col):
        size = self.cell_size()
        x0, y0 = self.origin
        left, top = size * (col - 1) + self.grid_left(), size * (row - 1) + 120
        return (x0 + twips(left), y0 + twips(top),
                twips(left + size) - twips(left), twips(top + size) - twips(top))

    def cell_centre(self, row, col):
        x, y, w, h = self.cell_rect(row, col)
        return x + w // 2, y + h // 2

    def board(self, shot=None):
        """The cells as one string a row, a character a cell (see the constants above)."""
        shot = shot or self.screenshot()
        rows = []
        for row in range(1, self.rows + 1):
            line = ""
            for col in range(1, self.cols + 1):
                x, y, _, _ = self.cell_rect(row, col)
                line += COLOURS.get(shot.pixel(x + 3, y + 3), COVERED)
            rows.append(line)
        return rows

    def choose_size(self, item_key, rows, cols):
        """Chooses a board size from the Game menu; the window follows it, so the cells are
        found again."""
        size = self.geometry(self.main_window())[2:]
        self.menu("alt+g", item_key)
        self.rows, self.cols = rows, cols
        deadline = time.monotonic() + 5
        while self.geometry(self.main_window())[2:] == size:
            if time.monotonic() > deadline:
                raise AssertionError("the window did not follow the board")
            time.sleep(0.02)
        self.origin = self.grid_origin()

    def click_cell(self, row, col, button=1, modifiers=()):
        self.click(*self.cell_centre(row, col), button=button, modifiers=modifiers)

    def client_point(self, left_twips, top_twips):
        """A point of the window's client area, from twips."""
        x0, y0 = self.origin
        panel_top = y0 - twips(540)
        return x0 + twips(left_twips), panel_top + twips(top_twips)

    def wait_board(self, condition, timeout=5.0):
        deadline = time.monotonic() + timeout
        while True:
            board = self.board()
            if condition(board) or time.monotonic() > deadline:
                return board
            time.sleep(0.03)


    def dismiss_boxes(self):
        """Answers every open "DRAVIK" box (a mine alarm, a rule count); how many there were."""
        answered = 0
        while self.windows("^DRAVIK$"):
            self.key("Return")
            self.wait_window("^DRAVIK$", present=False)
            answered += 1
        return answered

    def finish_board(self, timeout=90.0):
        """Left-clicks every covered cell, answering each "Booom!", until the win box shows; the
        number of alarms answered. The clicks of a row go in one batch; those made while a box
        is open are lost to it (or press its button) and are made again in the next round."""
        alarms = 0
        deadline = time.monotonic() + timeout
        while not self.windows("^Dravik 2000 - General's report.$"):
            if time.monotonic() > deadline:
                raise AssertionError("the board was not finished in time:\n" +
                                     "\n".join(self.board()))
            for row, line in enumerate(self.board(), start=1):
                clicks = []
                for col, kind in enumerate(line, start=1):
                    if kind == COVERED:
                        x, y = self.cell_centre(row, col)
                        # xdotool's "click" waits 100 ms between press and release.
                        clicks += ["mousemove", str(x), str(y), "mousedown", "1", "mouseup", "1"]
                if clicks:
                    self.xdotool(*clicks)
                    time.sleep(0.03)  # lets a box that one of them raised come up
                    alarms += self.dismiss_boxes()
            alarms += self.dismiss_boxes()
        return alarms

class XClient:
    """A connection of our own for what xdotool cannot do: a window manager's close request and
    a burst of button events with no delay between them."""

    class ClientMessage(ctypes.Structure):
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                    ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                    ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                    ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 19)]

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtst = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XInternAtom.restype = ctypes.c_ulong
        for name in ("XInternAtom", "XSendEvent", "XFlush", "XSync", "XCloseDisplay"):
            getattr(self.x11, name).argtypes = [ctypes.c_void_p] + {
                "XInternAtom": [ctypes.c_char_p, ctypes.c_int],
                "XSendEvent": [ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p],
                "XSync": [ctypes.c_int]}.get(name, [])
        self.xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                   ctypes.c_ulong]
        self.dpy = self.x11.XOpenDisplay(display.encode())
        if not self.dpy:
            raise AssertionError(f"cannot open {display}")

    def close_window(self, window):
        """What a window manager sends when the player closes a window: WM_DELETE_WINDOW."""
        event = self.ClientMessage(type=33, send_event=1, window=int(window), format=32)
        event.message_type = self.x11.XInternAtom(self.dpy, b"WM_PROTOCOLS", 0)
        event.data[0] = self.x11.XInternAtom(self.dpy, b"WM_DELETE_WINDOW", 0)
        self.x11.XSendEvent(self.dpy, int(window), 0, 0, ctypes.byref(event))
        self.x11.XSync(self.dpy, 0)

    def clicks(self, button, times):
        for _ in range(times):
            self.xtst.XTestFakeButtonEvent(self.dpy, button, 1, 0)
            self.xtst.XTestFakeButtonEvent(self.dpy, button, 0, 0)
        self.x11.XSync(self.dpy, 0)

    def close(self):
        self.x11.XCloseDisplay(self.dpy)


def count(board, kind):
    return sum(line.count(kind) for line in board)


class GameTestCase(unittest.TestCase):
    """Starts a game answered "No" before each test and ends both processes after it."""
    large = False
    answer = "alt+n"

    def setUp(self):
        if not GAME:
            self.skipTest("DRAVIK_BINARY is not set")
        self.game = Game(large=self.large)
        self.addCleanup(self.game.stop)
        self.game.start(answer=self.answer)
        if self.answer in ("alt+n", "alt+y"):
            self.game.origin = self.game.grid_origin()
