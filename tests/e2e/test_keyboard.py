"""A whole game by keys alone, each cell read back from the screen and as a screen reader reads
it over the accessibility bus; and the cells' accessible actions acting as clicks."""

import time
import unittest

import a11y
from harness import AUTO_MARK, COLS, COVERED, EMPTY, NUMBER, ROWS, USER_MARK, GameTestCase, count

CURSOR = (128, 0, 255)
MINE_BOX, WIN_BOX = "^DRAVIK$", "^Dravik 2000 - General's report.$"
setUpModule, tearDownModule = a11y.start_buses, a11y.stop_buses


def on_screen(kind):
    return "@" if kind in (USER_MARK, AUTO_MARK) else kind


class ScreenReaderTestCase(GameTestCase):
    def setUp(self):
        super().setUp()
        from gi.repository import GLib
        self.atspi = a11y.atspi()
        self.events = GLib.MainContext.default()
        self.field = a11y.Minefield(self.game.process.pid)
        self.focus_events = []
        self.atspi.Registry.registerEventListener(self.on_focus, "focus:")
        self.addCleanup(self.atspi.Registry.deregisterEventListener, self.on_focus, "focus:")

    def on_focus(self, event):
        try:
            if event.source.get_process_id() == self.game.process.pid:
                self.focus_events.append(event.source.name)
        except Exception:  # an object gone before its event was read: no longer anyone's focus
            pass

    def last_focus(self):
        """The name of what the game last said has the focus, once the events have come in."""
        while self.events.iteration(False):
            pass
        return self.focus_events[-1] if self.focus_events else None

    def assert_same_both_ways(self):
        """Every cell shows on screen what the screen reader says of it; the board."""
        shot = self.game.screenshot()
        screen = self.game.board(shot)
        heard = self.field.read_board(ROWS)
        self.assertEqual(["".join(on_screen(k) for k in line) for line in screen], heard)
        return screen, shot

    def cursor_cells(self, shot):
        """Cells with the cursor's outline, read on their left edge halfway down."""
        found = []
        for row in range(1, ROWS + 1):
            for col in range(1, COLS + 1):
                x, y, _, h = self.game.cell_rect(row, col)
                if shot.pixel(x, y + h // 2) == CURSOR:
                    found.append((row, col))
        return found

    def focused(self, row, col):
        return self.field.cell(row, col).getState().contains(self.atspi.STATE_FOCUSED)

    def wait_focus(self, row, col):
        """The cell says it is focused, and the last focus event named it."""
        prefix = f"row {row}, column {col}, "
        self.wait_for(lambda: self.focused(row, col) and (self.last_focus() or "").startswith(prefix),
                      what=f"focus event and state of row {row}, column {col}")

    def wait_for(self, condition, timeout=10.0, what="a change"):
        deadline = time.monotonic() + timeout
        while not condition():
            if time.monotonic() > deadline:
                raise AssertionError(f"no {what} in {timeout} s")
            time.sleep(0.01)

    def answer_mine_box(self):
        self.game.key("Return")
        self.game.wait_window(MINE_BOX, present=False)

    def wait_cell_changes(self, row, col, before):
        """Waits until the cell no longer reads as before, answering the alarm of a mine hit
        on the way (the mine is marked once its box is closed)."""
        deadline = time.monotonic() + 15
        while self.field.kind(row, col) == before:
            if self.game.windows(MINE_BOX):
                self.answer_mine_box()
            if time.monotonic() > deadline:
                raise AssertionError(f"row {row}, column {col} stayed {before!r}")
            time.sleep(0.01)


class KeyboardGame(ScreenReaderTestCase):
    def assert_cursor(self, row, col):
        self.wait_focus(row, col)
        self.assertEqual(self.cursor_cells(self.game.screenshot()), [(row, col)])

    def test_a_whole_game_by_keys_alone(self):
        game = self.game
        # The board takes the focus last in the tab order; without it no cursor shows.
        self.assertEqual(self.cursor_cells(game.screenshot()), [])
        self.assertFalse(self.focused(1, 1))
        game.key("Tab", "Tab", "Tab", "Tab")
        self.assert_cursor(1, 1)
        for keys, at in ((["End"], (1, 30)), (["Next"], (16, 30)), (["Home"], (16, 1)),
                         (["Prior"], (1, 1)), (["Left", "Up"], (1, 1)),
                         (["Right", "Right", "Down"], (2, 3)), (["Left"], (2, 2))):
            game.key(*keys)
            self.assert_cursor(*at)
            self.assertFalse(self.focused(1, 1) and at != (1, 1))

        # Both ways of marking, and taking the mark off again; the counter follows.
        for mark in ("m", "shift+space"):
            game.key(mark)
            self.wait_cell_changes(2, 2, COVERED)
            self.assertEqual(game.board()[1][1], USER_MARK)
            self.assertEqual(self.field.counter("Mines left"), "098")
            game.key(mark)
            self.wait_cell_changes(2, 2, "@")
            self.assertEqual(self.field.counter("Mines left"), "099")

        # Row by row, snaking, Space on every cell still covered when the cursor comes to it;
        # the cursor keys that lead there go in one batch.
        at = (2, 2)
        pending = ["Prior", "Home"]
        spaces = 0
        for row in range(1, ROWS + 1):
            if game.windows(WIN_BOX):
                break  # the last Space opened what was left
            screen, shot = self.assert_same_both_ways()
            self.assertEqual(self.cursor_cells(shot), [at])
            cols = range(1, COLS + 1) if row % 2 else range(COLS, 0, -1)
            for col in cols:
                if screen[row - 1][col - 1] == COVERED and not game.windows(WIN_BOX):
                    if pending:
                        game.key(*pending)
                        pending = []
                    at = (row, col)
                    self.wait_focus(*at)
                    if self.field.kind(row, col) == COVERED:
                        game.key("space")
                        spaces += 1
                        self.wait_cell_changes(row, col, COVERED)
                if col != cols[-1]:
                    pending.append("Right" if row % 2 else "Left")
            pending.append("Down")
        game.wait_window(WIN_BOX)
        game.key("Return")
        game.wait_window(WIN_BOX, present=False)
        screen, _ = self.assert_same_both_ways()
        self.assertEqual(count(screen, COVERED), 0)
        self.assertEqual(count(screen, AUTO_MARK) + count(screen, USER_MARK), 99)
        self.assertEqual(self.field.counter("Cells left"), "000")
        self.assertGreater(spaces, 0)


class CellActions(ScreenReaderTestCase):
    def action(self, row, col, name):
        actions = self.field.cell(row, col).queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        self.assertEqual(names, ["Uncover", "Mark"])
        actions.doAction(names.index(name))

    def test_uncover_and_mark_act_as_clicks_and_not_while_a_box_is_open(self):
        game = self.game
        self.action(5, 10, "Mark")
        self.wait_cell_changes(5, 10, COVERED)
        self.assertEqual(game.board()[4][9], USER_MARK)
        self.assertEqual(self.field.counter("Mines left"), "098")
        self.action(5, 10, "Mark")
        self.wait_cell_changes(5, 10, "@")

        self.action(8, 15, "Uncover")
        self.wait_cell_changes(8, 15, COVERED)
        screen, _ = self.assert_same_both_ways()
        self.assertIn(screen[7][14], (EMPTY, NUMBER, AUTO_MARK))
        self.assertEqual(self.field.counter("Cells left"), "%03d" % count(screen, COVERED))

        # While the about box is open the actions do nothing, as the mouse does nothing.
        game.menu("alt+h", "a")
        game.wait_window(MINE_BOX)
        self.action(5, 10, "Mark")
        self.action(5, 11, "Uncover")
        time.sleep(0.5)
        self.assertEqual(self.field.kind(5, 10), COVERED)
        self.assertEqual(self.field.kind(5, 11), COVERED)
        self.answer_mine_box()
        time.sleep(0.3)
        self.assertEqual(game.board()[4][9:11], COVERED * 2)


if __name__ == "__main__":
    unittest.main()
