import os
import re
import subprocess
import time
import unittest
from unittest import mock

from harness import GAME, Game, twips

BLACK = (0, 0, 0)


def start(scale):
    game = Game()
    try:
        with mock.patch.dict(os.environ, {"QT_SCALE_FACTOR": str(scale)}):
            game.start()
    except BaseException:
        game.stop()
        raise
    return game


def icon_sizes(game):
    """The icon sizes the window offers a window manager, in device pixels."""
    listing = subprocess.run(["xprop", "-id", game.main_window(), "_NET_WM_ICON"], env=game.env,
                             capture_output=True, text=True, check=True).stdout
    return [int(size) for size in re.findall(r"Icon \((\d+) x \d+\)", listing)]


def ink_box(shot, left, top, width, height):
    """The bounding box of the dark (text) pixels inside a rectangle: (width, height)."""
    xs, ys = [], []
    for y in range(top, top + height):
        for x in range(left, left + width):
            if max(shot.pixel(x, y)) < 80:
                xs.append(x)
                ys.append(y)
    return max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


class ScaledByTwo(unittest.TestCase):
    """The same window at QT_SCALE_FACTOR 1 and 2: the second is drawn at twice the size in device
    pixels, not enlarged, so lines stay one clean colour and the icon has the pixels it needs."""

    @classmethod
    def setUpClass(cls):
        if not GAME:
            raise unittest.SkipTest("DRAVIK_BINARY is not set")
        cls.normal = start(1)
        cls.addClassCleanup(cls.normal.stop)
        cls.scaled = start(2)
        cls.addClassCleanup(cls.scaled.stop)
        cls.normal.origin = cls.normal.grid_origin()
        # Where the scaled window must show what the normal one shows at (x, y).
        cls.nx, cls.ny, _, _ = cls.normal.geometry(cls.normal.main_window())
        cls.sx, cls.sy, _, _ = cls.scaled.geometry(cls.scaled.main_window())
        cls.shot1 = cls.normal.screenshot()
        cls.shot2 = cls.wait_painted()

    @classmethod
    def scaled_point(cls, x, y):
        return cls.sx + 2 * (x - cls.nx), cls.sy + 2 * (y - cls.ny)

    @classmethod
    def wait_painted(cls, timeout=5.0):
        x, y, _, _ = cls.normal.cell_rect(1, 1)
        x2, y2 = cls.scaled_point(x, y)
        deadline = time.monotonic() + timeout
        while True:
            shot = cls.scaled.screenshot()
            if shot.pixel(x2 + 4, y2) == BLACK or time.monotonic() > deadline:
                return shot
            time.sleep(0.05)

    def test_window_is_twice_the_size(self):
        _, _, w1, h1 = self.normal.geometry(self.normal.main_window())
        _, _, w2, h2 = self.scaled.geometry(self.scaled.main_window())
        self.assertEqual((w2, h2), (2 * w1, 2 * h1))

    def test_covered_cell_is_the_normal_one_with_every_pixel_doubled(self):
        x1, y1, size, _ = self.normal.cell_rect(1, 1)
        x2, y2 = self.scaled_point(x1, y1)
        face = self.shot2.pixel(x2 + size, y2 + size)
        # Across the left edge, halfway down: the panel, two device pixels of pure black, the face.
        edge = [self.shot2.pixel(x2 + dx, y2 + size) for dx in range(-1, 3)]
        self.assertEqual(edge[1:], [BLACK, BLACK, face])
        self.assertNotEqual(edge[0], BLACK)
        doubled_wrong = [(dx, dy) for dy in range(2 * size) for dx in range(2 * size)
                         if self.shot2.pixel(x2 + dx, y2 + dy)
                         != self.shot1.pixel(x1 + dx // 2, y1 + dy // 2)]
        self.assertEqual(doubled_wrong, [], "pixels of cell (1, 1) that differ from the normal "
                                            "cell's pixel doubled")

    def test_counter_caption_is_twice_as_large(self):
        # The mine counter, inside its frame; it reads "099" in both windows.
        left, top = self.normal.client_point(1680 + 60, 60 + 60)
        width, height = twips(615 - 120), twips(435 - 120)
        w1, h1 = ink_box(self.shot1, left, top, width, height)
        left2, top2 = self.scaled_point(left, top)
        w2, h2 = ink_box(self.shot2, left2, top2, 2 * width, 2 * height)
        # Glyphs are rasterised afresh at each size, so allow the rounding of their outlines.
        self.assertAlmostEqual(w2, 2 * w1, delta=2)
        self.assertAlmostEqual(h2, 2 * h1, delta=2)

    def test_icon_is_offered_at_twice_each_size(self):
        normal, scaled = icon_sizes(self.normal), icon_sizes(self.scaled)
        self.assertTrue(normal)
        self.assertEqual(scaled, [2 * size for size in normal])


if __name__ == "__main__":
    unittest.main()
