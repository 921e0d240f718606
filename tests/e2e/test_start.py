import unittest

from harness import COVERED, Game, GameTestCase, count, twips, GAME


class NormalLayout(GameTestCase):
    def test_no_gives_the_normal_window_with_480_covered_cells(self):
        x, y, width, height = self.game.geometry(self.game.main_window())
        self.assertEqual((width, height), (twips(8085 - 150), twips(5715 - 435)))
        self.assertEqual(count(self.game.board(), COVERED), 480)
        # The last cell sits at 7455, 3945 twips in the panel.
        last = self.game.cell_rect(16, 30)
        self.assertEqual((last[0] - self.game.origin[0], last[1] - self.game.origin[1]),
                         (twips(7455), twips(3945)))


class LargeLayout(GameTestCase):
    large = True
    answer = "alt+y"

    def test_yes_moves_the_window_and_gives_large_cells(self):
        x, y, width, height = self.game.geometry(self.game.main_window())
        self.assertEqual((x, y), (twips(90), twips(195)))
        self.assertEqual((width, height), (twips(11850 - 150), twips(7800 - 435)))
        self.assertIn(self.game.cell_rect(1, 2)[0] - self.game.cell_rect(1, 1)[0], (25, 26))
        self.assertEqual(count(self.game.board(), COVERED), 480)


class CancelledStart(unittest.TestCase):
    def test_cancel_ends_the_program_without_a_board(self):
        if not GAME:
            self.skipTest("DRAVIK_BINARY is not set")
        game = Game()
        self.addCleanup(game.stop)
        game.start(answer="Escape")
        self.assertEqual(game.exit_code(), 0)
        self.assertEqual(game.windows("^Dravik 2000$"), [])


if __name__ == "__main__":
    unittest.main()
