"""The game under pressure: keys let go inside a box, a backlog of clicks queued while the game
was stalled, and ways of ending it from outside."""

import signal
import time
import unittest

from harness import COVERED, USER_MARK, GameTestCase, XClient
from test_windows import Options

SANITIZER_REPORT = "Sanitizer"


class UnderPressure(GameTestCase):
    @property
    def x(self):
        """Opened only where needed: Xlib ends this process when its server goes."""
        if not hasattr(self, "_x"):
            self._x = XClient(self.game.display)
            self.addCleanup(self._x.close)
        return self._x

    def assert_clean_log(self):
        self.assertNotIn(SANITIZER_REPORT, self.game.game_log())

    def count_box_after_ctrl_m(self):
        """Ctrl+M, with Ctrl still down when the count box comes up."""
        self.game.focus()
        self.game.xdotool("keydown", "ctrl", "key", "m")
        self.game.wait_window("^DRAVIK$")

    def test_ctrl_let_go_in_a_box_leaves_plain_clicks_uncovering(self):
        game = self.game
        options = Options(game)
        options.tick_display_count()
        options.ok()
        for cell, let_go_in_box in (((8, 15), False), ((8, 16), True)):
            self.count_box_after_ctrl_m()
            if let_go_in_box:
                game.xdotool("keyup", "ctrl")  # the box has the keyboard
            # Space, not Return: the box acts on its release and keeps it, where the release of
            # Return would reach the main window and end marking mode by itself.
            game.key("space")
            game.wait_window("^DRAVIK$", present=False)
            game.click_cell(*cell)
            board = game.wait_board(lambda b: b[cell[0] - 1][cell[1] - 1] != COVERED)
            self.assertEqual(board[cell[0] - 1][cell[1] - 1] == USER_MARK, not let_go_in_box)
            game.xdotool("keyup", "ctrl")
            game.dismiss_boxes()  # a mine's alarm, if it was one

    def test_right_clicks_queued_while_stalled_all_apply_in_order(self):
        game = self.game
        game.click(*game.client_point(5340 + 120, 120 + 127))  # Keep Up Mode
        time.sleep(0.3)
        game.click(*game.client_point(7020 + 120, 120 + 127))  # Extra
        time.sleep(0.3)
        game.process.send_signal(signal.SIGSTOP)
        game.xdotool("mousemove", "--sync", *map(str, game.cell_centre(8, 15)))
        self.x.clicks(3, 3001)
        # Marked only once every click before it was taken.
        game.xdotool("mousemove", "--sync", *map(str, game.cell_centre(1, 1)))
        self.x.clicks(3, 1)
        game.process.send_signal(signal.SIGCONT)
        board = game.wait_board(lambda b: b[0][0] == USER_MARK or game.process.poll() is not None,
                                timeout=60)
        self.assertIsNone(game.process.poll(), game.game_log())
        self.assertEqual((board[0][0], board[7][14]), (USER_MARK, USER_MARK))
        game.menu("alt+g", "x")
        self.assertEqual(game.exit_code(), 0)
        self.assert_clean_log()

    def test_closing_from_the_window_manager_during_a_run_ends_it(self):
        options = Options(self.game)
        options.tick_display_count()  # a run that ended first would raise its count box
        options.ok()
        self.game.focus()
        self.game.process.send_signal(signal.SIGSTOP)
        self.game.xdotool("key", "ctrl+m")
        self.x.close_window(self.game.main_window())
        self.game.process.send_signal(signal.SIGCONT)
        self.assertEqual(self.game.exit_code(), 0)
        self.assert_clean_log()

    def test_closing_from_the_window_manager_waits_for_an_open_box(self):
        self.game.menu("alt+h", "a")
        self.game.wait_window("^DRAVIK$")
        self.x.close_window(self.game.main_window())
        time.sleep(0.5)
        self.assertIsNone(self.game.process.poll())
        self.game.dismiss_boxes()
        self.x.close_window(self.game.main_window())
        self.assertEqual(self.game.exit_code(), 0)
        self.assert_clean_log()

    def test_sigterm_ends_the_game_without_a_core(self):
        self.game.process.send_signal(signal.SIGTERM)
        self.assertEqual(self.game.exit_code(), -signal.SIGTERM)
        self.assert_clean_log()

    def test_losing_the_x_server_ends_the_game_with_a_message(self):
        self.game.xvfb.kill()
        self.game.xvfb.wait()
        code = self.game.exit_code()
        self.assertGreater(code, 0)  # an exit, not a signal
        self.assertIn("X11 connection broke", self.game.game_log())
        self.assert_clean_log()


if __name__ == "__main__":
    unittest.main()
