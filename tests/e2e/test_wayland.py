"""The game as a native Wayland client of a headless weston, with no X display in its
environment, played and read back over the accessibility bus: Wayland offers a test no way to
fake input into another client."""

import os
import re
import shutil
import socket
import subprocess
import tempfile
import time
import unittest

import a11y
from harness import COLS, COVERED, EMPTY, GAME, NUMBER, ROWS, USER_MARK, count

setUpModule, tearDownModule = a11y.start_buses, a11y.stop_buses
SOCKET = "dravik-e2e"


def peers_on_socket(pid, path):
    """How many of the process's sockets are connected to the listener bound at path."""
    lines = subprocess.run(["ss", "-xpn"], capture_output=True, text=True, check=True).stdout
    # Columns: type state recv-q send-q local-address local-inode peer-address peer-inode users
    rows = [line.split() for line in lines.splitlines()[1:]]
    ours = {row[7] for row in rows if len(row) > 8 and f"pid={pid}," in row[8]}
    return sum(1 for row in rows if len(row) > 7 and row[4] == path and row[5] in ours)


class NativeWayland(unittest.TestCase):
    def setUp(self):
        if not GAME:
            self.skipTest("DRAVIK_BINARY is not set")
        if not shutil.which("weston") or not shutil.which("ss"):
            self.skipTest("weston or ss is missing")
        runtime = tempfile.mkdtemp(prefix="dravik-wayland-")
        self.addCleanup(shutil.rmtree, runtime, ignore_errors=True)
        self.socket_path = os.path.join(runtime, SOCKET)
        # Neither the compositor nor the game may find an X server to fall back to.
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "XAUTHORITY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET")}
        env["XDG_RUNTIME_DIR"] = runtime
        # --debug lets weston-screenshooter ask for the screen.
        self.weston = self.spawn(
            ["weston", "--backend=headless-backend.so", "--use-pixman", "--no-config", "--debug",
             f"--socket={SOCKET}", "--width=1280", "--height=1024",
             f"--log={runtime}/weston.log"], env, runtime, "weston.out")
        self.until(self.accepting, "weston socket")
        self.env = dict(env, WAYLAND_DISPLAY=SOCKET, QT_QPA_PLATFORM="wayland")
        self.game = self.spawn([GAME], self.env, runtime, "game.log")

    def spawn(self, command, env, runtime, log_name):
        log = open(os.path.join(runtime, log_name), "wb")  # a file, not a pipe nobody drains
        self.addCleanup(log.close)
        process = subprocess.Popen(command, env=env, stdout=log, stderr=subprocess.STDOUT)
        self.addCleanup(self.end, process)
        return process

    @staticmethod
    def end(process):
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()

    def accepting(self):
        if self.weston.poll() is not None:
            raise AssertionError(f"weston ended with code {self.weston.returncode}")
        with socket.socket(socket.AF_UNIX) as probe:
            return probe.connect_ex(self.socket_path) == 0

    def until(self, condition, what, timeout=10.0):
        """What condition returns once it is true; conditions that see the game gone fail."""
        deadline = time.monotonic() + timeout
        while not (found := condition()):
            if time.monotonic() > deadline:
                raise AssertionError(f"no {what} in {timeout} s")
            time.sleep(0.02)
        return found

    def running(self):
        if self.game.poll() is not None:
            log = os.path.join(os.path.dirname(self.socket_path), "game.log")
            with open(log, "rb") as text:
                self.fail(f"the game ended with code {self.game.returncode}:\n"
                          f"{text.read().decode(errors='replace')[-3000:]}")
        return True

    def platforms(self):
        """The Qt platform plugins the game has loaded: mapped executable, for while Qt looks
        for the one it wants it maps each of them, read-only, to read its metadata."""
        self.running()
        with open(f"/proc/{self.game.pid}/maps") as maps:
            return set(re.findall(r"^\S+ ..x. .*/platforms/(lib[\w-]+)\.so$", maps.read(), re.M))

    def connected(self):
        self.running()
        return peers_on_socket(self.game.pid, self.socket_path)

    def assert_on_wayland(self):
        """Running with Qt's Wayland platform and no other, connected to weston's socket."""
        platforms = self.platforms()
        self.assertTrue(platforms and all(p.startswith("libqwayland") for p in platforms),
                        f"platform plugins loaded: {platforms}")
        self.until(self.connected, f"connection to {self.socket_path}")

    def answer_box(self, button, text):
        _, said, buttons = self.until(lambda: self.running() and a11y.boxes(self.game.pid),
                                      "message box")[0]
        self.assertIn(text, said)
        a11y.act(buttons[button])

    def test_played_over_the_accessibility_bus(self):
        self.until(self.platforms, "Qt platform plugin")
        self.assert_on_wayland()
        self.answer_box("No", "Large Screen?")
        field = a11y.Minefield(self.game.pid)
        self.assertEqual(field.read_board(ROWS), [COVERED * COLS] * ROWS)
        # A board still untouched becomes a no-guess one at once: the first cell uncovered
        # then has no mine around and opens a region.
        a11y.act(a11y.find(self.game.pid, "menu item", "No-Guess Boards"))

        def reads(row, col, kind):
            self.until(lambda: self.running() and field.kind(row, col) == kind,
                       f"row {row}, column {col} {kind!r}")

        field.act(5, 10, "Mark")
        reads(5, 10, USER_MARK)
        self.assertEqual(field.counter("Mines left"), "098")
        field.act(5, 10, "Mark")
        reads(5, 10, COVERED)
        self.assertEqual(field.counter("Mines left"), "099")

        field.act(8, 15, "Uncover")
        reads(8, 15, EMPTY)
        board = field.read_board(ROWS)
        self.assertEqual(field.counter("Cells left"), "%03d" % count(board, COVERED))
        # The flood fill's promise: nothing next to a cell with no mines around stays covered.
        for r, c in ((r, c) for r in range(ROWS) for c in range(COLS) if board[r][c] == EMPTY):
            around = [board[i][j] for i in range(max(r - 1, 0), min(r + 2, ROWS))
                      for j in range(max(c - 1, 0), min(c + 2, COLS))]
            self.assertNotIn(COVERED, around, f"row {r + 1}, column {c + 1}:\n" + "\n".join(board))
        self.assertGreater(count(board, NUMBER), 0)
        self.assert_on_wayland()
        shots = os.environ.get("DRAVIK_WAYLAND_SCREENSHOT_DIR")
        if shots:  # the screen as weston composed it, for a person to look at
            subprocess.run(["weston-screenshooter"], env=self.env, cwd=shots, check=True)


if __name__ == "__main__":
    unittest.main()
