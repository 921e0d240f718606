import unittest

from harness import AUTO_MARK, COVERED, USER_MARK, GameTestCase, count


class Finishing(GameTestCase):
    def assert_won(self):
        self.game.key("Return")
        self.game.wait_window("^Dravik 2000 - General's report.$", present=False)
        self.assertIsNone(self.game.process.poll())
        board = self.game.board()  # now that the box no longer covers it
        self.assertEqual(count(board, COVERED), 0)
        self.assertEqual(count(board, AUTO_MARK) + count(board, USER_MARK), 99)

    def test_uncovering_everything_answers_every_alarm_and_wins(self):
        alarms = self.game.finish_board()
        self.assertGreater(alarms, 0)  # some mines were hit and announced
        self.assert_won()

    def test_marks_of_the_repeated_rule_are_right(self):
        game = self.game
        for row, col in ((8, 15), (4, 6), (12, 24), (14, 4), (3, 26)):
            game.click_cell(row, col)
            game.dismiss_boxes()
        before = game.board()
        game.key("ctrl+m")
        # The run ends when a pass changes nothing; wait until two looks agree.
        board = game.wait_board(lambda b: b != before)
        while True:
            again = game.wait_board(lambda b: b != board, timeout=0.5)
            if again == board:
                break
            board = again
        rule_marks = count(board, AUTO_MARK)
        game.finish_board()  # a wrong mark would keep the win box away
        self.assert_won()
        self.assertGreaterEqual(count(game.board(), AUTO_MARK), rule_marks)


if __name__ == "__main__":
    unittest.main()
