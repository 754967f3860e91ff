"""dist_test.py: the Linux tarball unpacks and plays from anywhere.

Usage: dist_test.py TARBALL.  Unpacks it, starts its launcher from another
working directory in a private Xvfb, waits for the panel and ends it with
Escape.  Exits 77, saying why, when the tarball has not been built.
"""
import os
import subprocess
import sys
import tarfile
import tempfile
import unittest

import xpanel
from skipping import skip

TARBALL = sys.argv[1]
if not os.path.exists(TARBALL):
    skip("%s is not built (make release)" % TARBALL)
if xpanel.missing_tools():
    skip("missing %s" % ", ".join(xpanel.missing_tools()))


class DistTest(unittest.TestCase):

    def test_the_launcher_starts_the_panel_from_anywhere(self):
        with tempfile.TemporaryDirectory() as unpacked, \
                tempfile.TemporaryDirectory() as elsewhere:
            with tarfile.open(TARBALL) as tarball:
                tarball.extractall(unpacked)
            folder = os.path.basename(TARBALL)[:-len(".tar.gz")]
            launcher = os.path.join(unpacked, folder, "games", "zelm")
            self.assertTrue(os.access(launcher, os.X_OK))
            subprocess.run([launcher + "-check", "--version"], check=True,
                           capture_output=True)
            session = xpanel.Session()
            self.addCleanup(session.close)
            session.run(elsewhere, [launcher])
            session.find_window()
            session.wait_for(xpanel.panel_drawn, "the panel over white")
            session.point(300, 40)
            session.key("Escape")
            self.assertEqual((0, "", ""), session.finish())


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
