import os
import re
import signal
import subprocess
import time
import unittest
from unittest import mock

from harness import COVERED, EMPTY, GAME, GameTestCase, count

HINT = (255, 128, 0)
WIN_BOX = "^Dravik 2000 - General's report.$"
CERTAIN = re.compile(r"Row (\d+), column (\d+) is (safe|a mine)\.")


class NoGuessBoards(GameTestCase):
    """The hint's verdict is read from its box as a screen reader reads it, over the
    accessibility bus of a session bus of the test's own."""

    def setUp(self):
        if not GAME:
            self.skipTest("DRAVIK_BINARY is not set")
        address, pid = subprocess.run(
            ["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"],
            capture_output=True, text=True, check=True).stdout.split()
        self.addCleanup(os.kill, int(pid), signal.SIGTERM)
        environment = mock.patch.dict(os.environ, {"DBUS_SESSION_BUS_ADDRESS": address,
                                                   "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1"})
        environment.start()
        self.addCleanup(environment.stop)
        launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(launcher.wait)
        self.addCleanup(launcher.terminate)
        import pyatspi  # connects to the bus named in the environment
        self.desktop = pyatspi.Registry.getDesktop(0)
        super().setUp()

    def box_text(self, box):
        """The text of the box that is up, as its labels tell it; the box is then answered."""
        deadline = time.monotonic() + 3
        texts = []
        while not any(texts) and time.monotonic() < deadline:
            texts = [child.name for app in self.desktop for window in app or []
                     if window is not None and window.getRoleName() == "alert"
                     for child in window if child is not None and child.getRoleName() == "label"]
        self.game.xdotool("windowfocus", "--sync", box, "key", "Return")
        self.game.wait_window("^DRAVIK$", present=False)
        return "\n".join(texts)

    def outlined(self, expected):
        """The cells outlined as the hint, read just inside each cell's corner, once they are
        what is expected or a while has passed (painting follows the box)."""
        deadline = time.monotonic() + 2
        while True:
            shot = self.game.screenshot()
            hinted = []
            for row in range(1, 17):
                for col in range(1, 31):
                    x, y, _, _ = self.game.cell_rect(row, col)
                    if shot.pixel(x + 1, y + 1) == HINT:
                        hinted.append((row, col))
            if hinted == expected or time.monotonic() > deadline:
                return hinted
            time.sleep(0.02)

    def click(self, row, col, button):
        x, y = self.game.cell_centre(row, col)
        # xdotool's "click" waits 100 ms between press and release.
        self.game.xdotool("mousemove", str(x), str(y), "mousedown", str(button), "mouseup",
                          str(button))

    def test_a_no_guess_board_is_won_by_hints_alone(self):
        game = self.game
        game.menu("alt+g", "n")
        game.key("F2")
        game.key("ctrl+h")
        box = game.wait_window("^DRAVIK$")
        self.assertIn("Any covered cell is safe: the first click opens a region.",
                      self.box_text(box))
        self.assertEqual(self.outlined([]), [])

        game.click_cell(16, 30)
        board = game.wait_board(lambda b: b[15][29] != COVERED)
        self.assertEqual(board[15][29], EMPTY)
        moves = 0
        main = game.main_window()
        while True:
            self.assertLess(moves, 480, "\n".join(game.board()))
            # Focus by window id: a search by name for every key would double the test's time.
            game.xdotool("windowfocus", "--sync", main, "key", "ctrl+h")
            box = game.wait_window("^DRAVIK$|" + WIN_BOX)
            if game.windows(WIN_BOX):
                break
            text = self.box_text(box)
            certain = CERTAIN.search(text)
            self.assertIsNotNone(certain, text)  # never "Booom!", never a guess
            row, col = int(certain.group(1)), int(certain.group(2))
            self.assertEqual(self.outlined([(row, col)]), [(row, col)])
            self.click(row, col, 1 if certain.group(3) == "safe" else 3)
            moves += 1
        print(f"\nno-guess board won in {moves} hinted moves")
        game.key("Return")
        game.wait_window(WIN_BOX, present=False)
        self.assertEqual(count(game.board(), COVERED), 0)


if __name__ == "__main__":
    unittest.main()
