"""panel_test.py: the real zelm under Xvfb, clicked and read back
(game.py holds the oracle)."""
import os
import shutil
import tempfile
import unittest

import game
import xpanel
from skipping import skip
from game import (BACKGROUND, DATA, lit_lamps, overlay_shown,
                  showing)

if xpanel.missing_tools():
    skip("missing %s" % ", ".join(xpanel.missing_tools()))
# The SDL 1.2 the program must be playing on, when it is not the system's.
EXPECTED_SDL = os.environ.get("ZELM_EXPECTED_SDL", "")
if EXPECTED_SDL and not os.path.exists(EXPECTED_SDL):
    skip("%s is missing (libsdl1.2-compat)" % EXPECTED_SDL)


class PanelTest(unittest.TestCase):

    def setUp(self):
        self.session = xpanel.Session()
        self.addCleanup(self.session.close)

    def start(self):
        self.session.run(xpanel.SOURCE_DIR)
        self.session.find_window()
        if EXPECTED_SDL:
            with open("/proc/%d/maps" % self.session.program.pid) as maps:
                self.assertIn(EXPECTED_SDL, maps.read())
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
        game.play(self, self.session)
        self.session.key("Escape")
        self.assertEqual((0, "", ""), self.session.finish())

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
        game.toggle_overlay(self.session)
        self.session.key("Escape")
        self.assertEqual(0, self.session.finish()[0])

    def start_with_a_copy(self, change):
        """Starts zelm on a copy of data/ changed by change(folder); returns
        (exit code, stdout, stderr)."""
        work = tempfile.mkdtemp(prefix="zelm-e2e-")
        self.addCleanup(shutil.rmtree, work)
        shutil.copytree(DATA, os.path.join(work, "data"))
        change(os.path.join(work, "data"))
        self.session.run(work)
        return self.session.finish()

    def test_a_missing_image_ends_start_up_with_one_line(self):
        code, out, err = self.start_with_a_copy(
            lambda data: os.remove(os.path.join(data, "y.png")))
        self.assertEqual(1, code)
        self.assertEqual("", out)
        self.assertEqual(1, err.count("\n"), err)
        self.assertTrue(err.endswith("\n"))
        self.assertIn("y.png", err)

    def test_a_named_pipe_in_an_images_place_is_refused_unopened(self):
        def pipe(data):
            os.remove(os.path.join(data, "q1.png"))
            os.mkfifo(os.path.join(data, "q1.png"))
        self.assertEqual((1, "", "data/q1.png: not a regular file\n"),
                         self.start_with_a_copy(pipe))

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
