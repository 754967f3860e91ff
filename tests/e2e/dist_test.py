"""dist_test.py: the Linux tarball unpacks and plays from anywhere.

Usage: dist_test.py TARBALL.  Unpacks it, starts its launcher from another
working directory in private Xvfb screens, on sdl12-compat and on Debian's
SDL 1.2, and plays a few steps of the game at the scale the launcher asks
for (game.LAUNCHES).  Exits 77, saying why, when the tarball has not been
built or a tool is missing.
"""
import os
import subprocess
import sys
import tarfile
import tempfile
import unittest

import game
import xpanel
from skipping import skip

TARBALL = sys.argv[1]
if not os.path.exists(TARBALL):
    skip("%s is not built (make release)" % TARBALL)
missing = xpanel.missing_tools() + game.missing_launcher_tools()
if missing:
    skip("missing %s" % ", ".join(missing))


class DistTest(unittest.TestCase):

    def test_the_launcher_plays_the_panel_from_anywhere_at_its_scale(self):
        with tempfile.TemporaryDirectory() as unpacked, \
                tempfile.TemporaryDirectory() as elsewhere:
            with tarfile.open(TARBALL) as tarball:
                tarball.extractall(unpacked)
            folder = os.path.basename(TARBALL)[:-len(".tar.gz")]
            launcher = os.path.join(unpacked, folder, "games", "zelm")
            self.assertTrue(os.access(launcher, os.X_OK))
            subprocess.run([launcher + "-check", "--version"], check=True,
                           capture_output=True)
            # The checker finds its catalogs where the tarball lays them.
            said = subprocess.run([launcher + "-check", "--help"],
                                  env=dict(os.environ, LANG="pl_PL.UTF-8"),
                                  check=True, capture_output=True, text=True)
            self.assertIn("Użycie: zelm-check [--] [PLIK]", said.stdout)
            # Its manual page names the images' folder as unpacked, in
            # English and in each language.
            for language in [""] + os.listdir(
                    os.path.join(unpacked, folder, "share", "locale")):
                manual = subprocess.run(
                    ["zcat", os.path.join(unpacked, folder, "share", "man",
                                          language, "man6", "zelm.6.gz")],
                    check=True, capture_output=True, text=True).stdout
                self.assertIn(folder + "/share/games/zelm", manual)
                self.assertNotIn("/usr/", manual)
            game.play_launcher(self, launcher, elsewhere)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
