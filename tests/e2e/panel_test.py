"""panel_test.py: the real zelm under Xvfb, clicked and read back.

The oracle is the committed artwork: a lamp is lit when its square on the
screen equals its lit image, dark when it equals the background's square
composed over white, and anything else is a fault.
"""
import os
import shutil
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.dirname(HERE)]
import xpanel  # noqa: E402
from pictures import LAMPS, LAMP_SIZE, read_png  # noqa: E402

if xpanel.missing_tools():
    print("skipped: missing %s" % ", ".join(xpanel.missing_tools()))
    sys.exit(77)

DATA = os.path.join(xpanel.SOURCE_DIR, "data")


BACKGROUND = read_png(os.path.join(DATA, "zelm.png"), True)
LIT = {name: read_png(os.path.join(DATA, name + ".png")) for name in LAMPS}
OVERLAY = read_png(os.path.join(DATA, "gnarlwick.png"))
OVERLAY_AT = (114, 82)


def lamp_state(shot, name):
    x, y = LAMPS[name]
    size = LAMP_SIZE
    square = shot.crop(x, y, size, size).data
    if square == LIT[name].data:
        return "lit"
    if square == BACKGROUND.crop(x, y, size, size).data:
        return "dark"
    return "unclear"


def lit_lamps(shot):
    """The set of lit lamps, or None when any lamp is neither state."""
    states = {name: lamp_state(shot, name) for name in LAMPS}
    if "unclear" in states.values():
        return None
    return {name for name, state in states.items() if state == "lit"}


def showing(lamps):
    return lambda shot: lit_lamps(shot) == set(lamps)


def overlay_region(shot):
    return shot.crop(*OVERLAY_AT, OVERLAY.width, OVERLAY.height)


def overlay_shown(shot):
    return overlay_region(shot).data == OVERLAY.data


def overlay_hidden(shot):
    """The panel shows under the overlay's place (within SDL's rounding)."""
    x, y = OVERLAY_AT
    panel = BACKGROUND.crop(x, y, OVERLAY.width, OVERLAY.height).data
    return max(abs(p - q) for p, q in
               zip(overlay_region(shot).data, panel)) <= 3


class PanelTest(unittest.TestCase):

    def setUp(self):
        self.session = xpanel.Session()
        self.addCleanup(self.session.close)

    def start(self):
        self.session.run(xpanel.SOURCE_DIR)
        self.session.find_window()
        return self.session.wait_for(showing([]), "the panel, all dark")

    def test_window_caption_size_and_first_frame(self):
        shot = self.start()
        self.assertEqual(xpanel.CAPTION, self.session.name())
        self.assertEqual((320, 240), (shot.width, shot.height))
        # The background over white: where it is transparent the white
        # fill shows; elsewhere SDL's blend may round a little differently.
        self.assertEqual((255, 255, 255), shot.pixel(0, 0))
        worst = max(abs(p - q) for p, q in zip(shot.data, BACKGROUND.data))
        self.assertLessEqual(worst, 3)

    def test_a_game_of_clicks_follows_the_tables(self):
        self.start()
        s = self.session
        clock, reset = (128, 20), (201, 22)
        lamp = {name: (x + 12, y + 12)
                for name, (x, y) in LAMPS.items()}
        # Each step: what the player does, then the lamps that must be lit,
        # worked out by hand from the state and output tables.
        steps = [
            ("right-click lamp a", lamp["a"], 3, ["y"]),
            ("clock 000 ab=00", clock, 1, ["q1", "q0", "y"]),
            ("clock 011 ab=00", clock, 1, ["q1"]),
            ("clock 010 ab=00", clock, 1, ["q2", "y"]),
            ("switch b on", lamp["b"], 1, ["b", "q2", "y"]),
            ("clock 100 ab=01", clock, 1, ["b", "q1", "q0"]),
            ("switch a on", lamp["a"], 1, ["a", "b", "q1", "q0"]),
            ("clock 011 ab=11", clock, 1, ["a", "b", "q2", "y"]),
            ("reset", reset, 1, ["a", "b"]),
            ("force q0", lamp["q0"], 1, ["a", "b", "q0", "y"]),
            ("force q1", lamp["q1"], 1, ["a", "b", "q1", "q0"]),
            ("force q2", lamp["q2"], 1, ["a", "b", "q2", "q1", "q0", "y"]),
            ("click lamp y", lamp["y"], 1, ["a", "b", "q2", "q1", "q0", "y"]),
            ("clock 111 ab=11", clock, 1, ["a", "b"]),
        ]
        for what, (x, y), button, expected in steps:
            with self.subTest(step=what):
                s.click(x, y, button)
                s.wait_for(showing(expected), "%s after %s" % (expected, what))
        s.key("Escape")
        self.assertEqual((0, "", ""), s.finish())

    def test_with_the_overlay_shown_the_clock_still_clocks(self):
        self.start()
        s = self.session
        s.point(300, 40)  # focus follows the pointer into the window
        s.key(*"gnarlwick")
        s.wait_for(overlay_shown, "the overlay after the cheat word")
        # The overlay covers no lamp and no hit box: clock still clocks.
        s.click(128, 20)
        s.wait_for(lambda shot: overlay_shown(shot) and
                   lit_lamps(shot) == {"q1", "q0", "y"},
                   "q1 q0 y lit beside the overlay")
        s.point(300, 40)
        s.key("g", "g", *"narlwick")  # a doubled g spoils the word
        s.key("Escape")
        code, out, err = s.finish()
        self.assertEqual((0, "", ""), (code, out, err))

    def test_typing_the_word_again_hides_the_overlay(self):
        self.start()
        s = self.session
        s.point(300, 40)
        s.key(*"gnarlwick")
        s.wait_for(overlay_shown, "the overlay after the cheat word")
        s.key("shift+G", *"narlwick")  # Shift does not change the symbol
        s.wait_for(overlay_hidden, "the panel after the word again")
        s.key("Escape")
        self.assertEqual(0, s.finish()[0])

    def test_a_missing_image_ends_start_up_with_one_line(self):
        work = tempfile.mkdtemp(prefix="zelm-e2e-")
        self.addCleanup(shutil.rmtree, work)
        shutil.copytree(DATA, os.path.join(work, "data"))
        os.remove(os.path.join(work, "data", "y.png"))
        self.session.run(work)
        code, out, err = self.session.finish()
        self.assertEqual(1, code)
        self.assertEqual("", out)
        self.assertEqual(1, err.count("\n"), err)
        self.assertTrue(err.endswith("\n"))
        self.assertIn("y.png", err)

    def test_started_elsewhere_it_prints_only_the_librarys_line(self):
        work = tempfile.mkdtemp(prefix="zelm-e2e-")
        self.addCleanup(shutil.rmtree, work)
        self.session.run(work)
        code, out, err = self.session.finish()
        self.assertEqual((1, ""), (code, out))
        self.assertEqual(1, err.count("\n"), err)
        self.assertIn("data/zelm.png", err)


if __name__ == "__main__":
    unittest.main(verbosity=2)
