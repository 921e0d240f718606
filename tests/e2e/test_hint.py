import time
import unittest

from harness import AUTO_MARK, COVERED, EMPTY, GameTestCase, count

HINT, PROOF = (255, 128, 0), (0, 0, 255)
WIN_BOX = "^Dravik 2000 - General's report.$"
# Extra's check box, and Keep Up Mode's, in twips of the client area (caption side).
KEEP_UP, EXTRA = (5340 + 150, 120 + 127), (7020 + 150, 120 + 127)


class Hints(GameTestCase):
    def outlines(self, shot=None):
        """Cells outlined as the hint and as its proof, read just inside each cell's corner."""
        shot = shot or self.game.screenshot()
        found = {HINT: [], PROOF: []}
        for row in range(1, 17):
            for col in range(1, 31):
                x, y, _, _ = self.game.cell_rect(row, col)
                colour = shot.pixel(x + 1, y + 1)
                if colour in found:
                    found[colour].append((row, col))
        return found[HINT], found[PROOF]

    def open_region(self):
        """Clicks until an empty region is open; the board then."""
        board = self.game.board()
        for row, col in ((r, c) for r in (8, 4, 12, 2, 15, 6, 10, 14) for c in (15, 6, 24, 28, 3, 11, 19)):
            if board[row - 1][col - 1] != COVERED:
                continue
            self.game.click_cell(row, col)
            time.sleep(0.1)
            self.game.dismiss_boxes()
            board = self.game.board()
            if count(board, EMPTY) > 0:
                return board
        self.skipTest("no opening anywhere")

    def settle(self):
        """The board once it stops changing."""
        board = self.game.board()
        while True:
            again = self.game.wait_board(lambda b: b != board, timeout=0.5)
            if again == board:
                return board
            board = again

    def hint(self):
        """Ctrl+H, answered; the outlines as they stand after the box. Those seen while it was up
        (the box hides the middle of the board) are among them."""
        self.game.key("ctrl+h")
        self.game.wait_window("^DRAVIK$")
        time.sleep(0.1)
        seen = self.outlines()
        self.game.key("Return")
        self.game.wait_window("^DRAVIK$", present=False)
        time.sleep(0.05)
        outlines = self.outlines()
        for shown, stays in zip(seen, outlines):
            self.assertLessEqual(set(shown), set(stays))
        return outlines

    def test_ctrl_h_after_an_opening_outlines_a_cell_until_the_next_move(self):
        board = self.open_region()
        hinted, proofs = self.hint()
        self.assertEqual(len(hinted), 1)
        self.assertEqual(self.game.board(), board)  # the hint changed nothing
        self.assertEqual(self.outlines(), (hinted, proofs))  # and stays after the box
        row, col = next((r, c) for r in range(16, 0, -1) for c in range(30, 0, -1)
                        if board[r - 1][c - 1] == COVERED and (r, c) not in hinted)
        self.game.click_cell(row, col, button=3)
        self.game.wait_board(lambda b: b != board)
        self.assertEqual(self.outlines(), ([], []))

    def test_complete_logic_and_a_guess_at_each_standstill_finish_the_game(self):
        """Every move complete logic makes is checked against the mines by the game itself: a
        wrong one would sound the alarm or keep the win away. At each standstill the hint can
        only be a guess (no proof) or nothing left."""
        game = self.game
        self.open_region()
        runs = guesses = 0
        deadline = time.monotonic() + 80
        while not game.windows(WIN_BOX):
            self.assertLess(time.monotonic(), deadline, "\n".join(game.board()))
            game.menu("alt+r", "c")
            runs += 1
            self.settle()
            if game.windows(WIN_BOX):
                break
            self.assertFalse(game.windows("^DRAVIK$"), "complete logic met a mine")
            hinted, proofs = self.hint()
            self.assertEqual(proofs, [])
            self.assertEqual(len(hinted), 1)
            guesses += 1
            game.click_cell(*hinted[0])
            time.sleep(0.1)
            game.dismiss_boxes()  # a guess may meet a mine
        print(f"\ncomplete logic: {runs} runs, {guesses} guesses, game won")
        game.key("Return")
        game.wait_window(WIN_BOX, present=False)
        self.assertEqual(count(game.board(), COVERED), 0)
        self.assertEqual(self.hint(), ([], []))  # nothing is left to find

    def test_the_complete_logic_opponent_leaves_nothing_certain_after_a_move(self):
        game = self.game
        game.menu("alt+r", "k")
        time.sleep(0.3)  # the submenu opens under the pointer-less keyboard
        game.xdotool("key", "c")
        time.sleep(0.2)
        game.click(*game.client_point(*KEEP_UP))
        game.click(*game.client_point(*EXTRA))
        self.open_region()
        self.settle()
        self.assertFalse(game.windows("^DRAVIK$"), "the opponent met a mine")
        if game.windows(WIN_BOX):  # it solved the whole board
            game.key("Return")
            game.wait_window(WIN_BOX, present=False)
            self.assertEqual(count(game.board(), COVERED), 0)
            return
        self.assertGreater(count(game.board(), AUTO_MARK), 0)
        hinted, proofs = self.hint()
        self.assertEqual(proofs, [])


if __name__ == "__main__":
    unittest.main()
