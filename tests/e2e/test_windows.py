import time
import unittest

from harness import AUTO_MARK, COVERED, GameTestCase, count, twips


class Options:
    """The options dialog, opened from the Help menu."""

    def __init__(self, game):
        self.game = game
        game.menu("alt+h", "o")
        self.window = game.wait_window("^Dravik II: Options$")
        self.x, self.y, _, _ = game.geometry(self.window)

    def click(self, left_twips, top_twips):
        self.game.click(self.x + twips(left_twips), self.y + twips(top_twips))

    def choose_alarm_bell(self):
        self.click(180 + 300 + 200, 180 + 360 + 140)

    def tick_display_count(self):
        self.click(180 + 300 + 200, 1800 + 360 + 120)

    def ok(self):
        self.click(3000 + 540, 240 + 180)
        self.game.wait_window("^Dravik II: Options$", present=False)


class MenusAndDialogs(GameTestCase):
    def dismiss_box(self):
        self.game.key("Return")
        self.game.wait_window("^DRAVIK$", present=False)

    def open_some_cells(self):
        for row, col in ((8, 15), (4, 6), (12, 24), (14, 4), (3, 26)):
            self.game.click_cell(row, col)
            time.sleep(0.05)
            while self.game.windows("^DRAVIK$"):
                self.dismiss_box()

    def test_about_box_shows_and_the_game_goes_on(self):
        self.game.menu("alt+h", "a")
        self.game.wait_window("^DRAVIK$")
        self.dismiss_box()
        self.assertIsNone(self.game.process.poll())
        self.assertEqual(count(self.game.board(), COVERED), 480)

    def test_keep_up_mode_shows_the_extra_box(self):
        extra = [self.game.client_point(7020 + dx, 120 + dy) for dx in range(0, 855, 30)
                 for dy in range(30, 255, 30)]

        def drawn(shot):
            return sum(shot.pixel(x, y) != (255, 255, 255) for x, y in extra)

        self.assertEqual(drawn(self.game.screenshot()), 0)
        self.game.click(*self.game.client_point(5340 + 120, 120 + 127))
        deadline = time.monotonic() + 5
        while drawn(self.game.screenshot()) == 0 and time.monotonic() < deadline:
            time.sleep(0.03)
        self.assertGreater(drawn(self.game.screenshot()), 0)

    def test_repeated_rule_with_display_count_reports_its_passes(self):
        options = Options(self.game)
        options.tick_display_count()
        options.ok()
        self.open_some_cells()
        before = count(self.game.board(), COVERED)
        self.game.key("ctrl+m")
        self.game.wait_window("^DRAVIK$")
        self.dismiss_box()
        self.assertLessEqual(count(self.game.board(), COVERED), before)

    def test_alarm_bell_hits_a_mine_without_a_box(self):
        options = Options(self.game)
        options.choose_alarm_bell()
        options.ok()
        for row in range(1, 17):
            for col in range(1, 31):
                board = self.game.board()
                if count(board, AUTO_MARK) > 0:
                    self.assertEqual(self.game.windows("^DRAVIK$"), [])
                    return
                if board[row - 1][col - 1] == COVERED:
                    self.game.click_cell(row, col)
                    self.game.wait_board(lambda b: b[row - 1][col - 1] != COVERED, timeout=2)
                    self.assertEqual(self.game.windows("^DRAVIK$"), [])
        self.fail("no mine was hit")


class KeyboardWithoutWindowManager(GameTestCase):
    """Under a bare X server nobody hands a window the keyboard: the game takes it itself, when
    its window first shows and whenever one of its boxes or dialogs closes."""

    def test_access_keys_work_with_no_click_into_the_window(self):
        self.game.menu("alt+h", "o", focus=False)
        self.game.wait_window("^Dravik II: Options$")
        # Cancel by its access key, the dialog given the keyboard: when it closes, the keyboard
        # falls back to the root window unless the game takes it.
        self.game.key("alt+n")
        self.game.wait_window("^Dravik II: Options$", present=False)
        self.game.menu("alt+h", "a", focus=False)
        self.game.wait_window("^DRAVIK$")
        self.game.key("Return")
        self.game.wait_window("^DRAVIK$", present=False)
        self.game.menu("alt+g", "x", focus=False)
        self.assertEqual(self.game.exit_code(), 0)


if __name__ == "__main__":
    unittest.main()
