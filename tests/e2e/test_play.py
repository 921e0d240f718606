import unittest

from harness import AUTO_MARK, COVERED, EMPTY, NUMBER, USER_MARK, GameTestCase, count


class PlayByHand(GameTestCase):
    def test_right_button_and_shift_click_mark_and_unmark(self):
        game = self.game
        game.click_cell(1, 1, button=3)
        game.click_cell(1, 2, modifiers=("shift",))
        board = game.wait_board(lambda b: count(b, USER_MARK) == 2)
        self.assertEqual(board[0][:2], USER_MARK * 2)
        game.click_cell(1, 1, button=3)
        game.click_cell(1, 2, modifiers=("ctrl",))
        board = game.wait_board(lambda b: count(b, USER_MARK) == 0)
        self.assertEqual(count(board, COVERED), 480)

    def test_middle_button_does_nothing(self):
        game = self.game
        game.click_cell(8, 15, button=2)
        # The game takes X events in order: once the mark of a later right click shows, the
        # middle click has been handled and painted (or a box it raised holds the mark back).
        game.click_cell(1, 1, button=3)
        board = game.wait_board(lambda b: b[0][0] == USER_MARK)
        self.assertEqual(board[0][0], USER_MARK)
        self.assertEqual(board[7][14], COVERED)
        self.assertEqual(count(board, COVERED), 479)

    def test_left_click_uncovers_and_f2_starts_again(self):
        game = self.game
        opened = 0
        for row, col in ((8, 15), (4, 4), (12, 25), (3, 27)):
            game.click_cell(row, col)
            if game.windows("^DRAVIK$"):  # hit a mine: dismiss the box
                game.key("Return")
                game.wait_window("^DRAVIK$", present=False)
            board = game.wait_board(lambda b: b[row - 1][col - 1] != COVERED)
            self.assertIn(board[row - 1][col - 1], (EMPTY, NUMBER, AUTO_MARK))
            opened += 1
        self.assertLess(count(game.board(), COVERED), 480)
        game.key("F2")
        board = game.wait_board(lambda b: count(b, COVERED) == 480)
        self.assertEqual(count(board, COVERED), 480)

    def test_exit_from_the_menu_ends_with_code_zero(self):
        self.game.menu("alt+g", "x")
        self.assertEqual(self.game.exit_code(), 0)


if __name__ == "__main__":
    unittest.main()
