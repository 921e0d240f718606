import re
import time
import unittest

import a11y
from harness import COVERED, EMPTY, GameTestCase, count

HINT = (255, 128, 0)
WIN_BOX = "^Dravik 2000 - General's report.$"
CERTAIN = re.compile(r"Row (\d+), column (\d+) is (safe|a mine)\.")
setUpModule, tearDownModule = a11y.start_buses, a11y.stop_buses


class NoGuessBoards(GameTestCase):
    """A Beginner no-guess board won by following the hints alone. The hint's verdict is read
    from its box as a screen reader reads it, over the accessibility bus of the test's own."""

    def box_text(self, box):
        """The text of the box that is up, as its labels tell it; the box is then answered."""
        deadline = time.monotonic() + 3
        text = ""
        while not text.strip() and time.monotonic() < deadline:
            text = "\n".join(said for _, said, _ in a11y.boxes(self.game.process.pid))
        self.game.xdotool("windowfocus", "--sync", box, "key", "Return")
        self.game.wait_window("^DRAVIK$", present=False)
        return text

    def outlined(self, expected):
        """The cells outlined as the hint, read just inside each cell's corner, once they are
        what is expected or a while has passed (painting follows the box)."""
        game = self.game
        deadline = time.monotonic() + 2
        while True:
            shot = game.screenshot()
            hinted = []
            for row in range(1, game.rows + 1):
                for col in range(1, game.cols + 1):
                    x, y, _, _ = game.cell_rect(row, col)
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

    def test_a_beginner_no_guess_board_is_won_by_hints_alone(self):
        game = self.game
        game.choose_size("b", 9, 9)
        game.menu("alt+g", "n")
        game.key("ctrl+h")
        box = game.wait_window("^DRAVIK$")
        self.assertIn("Any covered cell is safe: the first click opens a region.",
                      self.box_text(box))
        self.assertEqual(self.outlined([]), [])

        game.click_cell(9, 9)
        board = game.wait_board(lambda b: b[8][8] != COVERED)
        self.assertEqual(board[8][8], EMPTY, "\n".join(board))
        moves = 0
        main = game.main_window()
        while True:
            if moves >= 81:
                self.fail("\n".join(game.board()))
            # Focus by window id: a search by name for every key would double the test's time.
            game.xdotool("windowfocus", "--sync", main, "key", "ctrl+h")
            box = game.wait_window("^DRAVIK$|" + WIN_BOX)
            if game.windows(WIN_BOX):
                break
            text = self.box_text(box)
            certain = CERTAIN.search(text)
            self.assertIsNotNone(certain, text)  # never "Booom!", never a guess
            row, col = int(certain.group(1)), int(certain.group(2))
            if moves == 0:  # a screenshot per move is dear: the outline is looked at once
                self.assertEqual(self.outlined([(row, col)]), [(row, col)])
            self.click(row, col, 1 if certain.group(3) == "safe" else 3)
            moves += 1
        print(f"\nno-guess Beginner board won in {moves} hinted moves")
        game.key("Return")
        game.wait_window(WIN_BOX, present=False)
        board = game.board()
        self.assertEqual(count(board, COVERED), 0, "\n".join(board))


if __name__ == "__main__":
    unittest.main()
