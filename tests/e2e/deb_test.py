"""deb_test.py: the Debian package, checked by Debian's own tools, installed
with apt, played as a player starts it and removed without a trace.

Usage: deb_test.py DEB.  Installing needs root on a machine that may be
changed (CI's is thrown away): elsewhere that part is skipped, saying why.
"""
import os
import re
import subprocess
import sys
import tempfile
import unittest

import game
import xpanel
from pictures import read_rgba
from skipping import ON_CI, skip

DEB = sys.argv[1]
CHECKERS = ["lintian", "desktop-file-validate", "appstreamcli", "dpkg-deb",
            "groff"]
if not os.path.exists(DEB):
    skip("%s is not built (make release)" % DEB)
missing = [tool for tool in CHECKERS if not xpanel.shutil.which(tool)]
missing += xpanel.missing_tools() + game.missing_launcher_tools()
if missing:
    skip("missing %s" % ", ".join(missing))


def run(*args, **kwargs):
    return subprocess.run(args, check=True, capture_output=True, text=True,
                          **kwargs).stdout


def field(name):
    return run("dpkg-deb", "-f", DEB, name).strip()


class DebTest(unittest.TestCase):

    def test_debians_checkers_pass(self):
        run("lintian", "--fail-on", "error", DEB)
        # Built with Debian's hardening flags: not even a note about them.
        self.assertNotIn("hardening", run("lintian", "--display-info", DEB))
        self.assertIn("libsdl1.2debian", field("Depends"))
        self.assertIn("libsdl-image1.2", field("Depends"))
        with tempfile.TemporaryDirectory() as tree:
            run("dpkg-deb", "-x", DEB, tree)
            share = os.path.join(tree, "usr", "share")
            run("desktop-file-validate",
                os.path.join(share, "applications", "zelm.desktop"))
            run("appstreamcli", "validate", "--no-net", os.path.join(
                share, "metainfo", "org.zelm.zelmora.metainfo.xml"))
            # Each icon is the 32-pixel one with every pixel a whole square.
            icon = os.path.join(share, "icons", "hicolor", "%dx%d", "apps",
                                "zelm.png")
            small = read_rgba(icon % (32, 32))
            for size in (64, 128, 256):
                scale = size // 32
                pixels = read_rgba(icon % (size, size))
                self.assertEqual(size * size, len(pixels))
                self.assertTrue(all(
                    pixels[y * size + x] == small[y // scale * 32 + x // scale]
                    for y in range(size) for x in range(size)), size)

    def test_every_text_around_the_game_in_each_language(self):
        # In each language the checker carries: the menu entry's and the
        # metainfo's words, and the manual pages, which render without a
        # warning, zelm-check(6) giving the command lines, exit statuses
        # and notation of the checker's --help.
        with tempfile.TemporaryDirectory() as tree:
            run("dpkg-deb", "-x", DEB, tree)
            share = os.path.join(tree, "usr", "share")
            entry, metainfo = (run("cat", os.path.join(share, path)) for path
                               in ("applications/zelm.desktop",
                                   "metainfo/org.zelm.zelmora.metainfo.xml"))
            for language in os.listdir(os.path.join(share, "locale")):
                with self.subTest(language=language):
                    # Name, GenericName, Comment and Keywords; the name,
                    # the summary and the two paragraphs.
                    self.assertEqual((4, 4), (
                        entry.count("[%s]=" % language),
                        metainfo.count('xml:lang="%s"' % language)))
                    for page in ("zelm", "zelm-check"):
                        shown = subprocess.run(
                            ["zcat \"$0\" | groff -k -ww -man -Tutf8 -P-cbou",
                             os.path.join(share, "man", language, "man6",
                                          page + ".6.gz")],
                            shell=True, capture_output=True, text=True)
                        self.assertEqual("", shown.stderr, page)
                    said = run(tree + "/usr/games/zelm-check", "--help",
                               env=dict(os.environ, LANGUAGE=language,
                                        LANG=language + ".UTF-8"))
                    usage, _, notation, _, statuses = said.split("\n\n")
                    _, _, synopsis, _, _, exits, _, _ = (
                        section.split("\n", 1)[1]
                        for section in re.split(r"\n(?=\S)", shown.stdout))
                    for line in usage.split("\n")[:2]:
                        self.assertIn(line.split(": ", 1)[1],
                                      " ".join(synopsis.split()))
                    # The exit statuses: the numbers opening its clauses.
                    self.assertEqual(*(set(re.findall(
                        r"(?:^|[;:,.] )(\d+)\b", " ".join(text.split())))
                        for text in (exits, statuses)))
                    self.assertLessEqual(
                        {line.strip() for line in notation.split("\n")},
                        {line.strip() for line in shown.stdout.split("\n")})

    def test_installed_played_and_removed_without_a_trace(self):
        if os.geteuid() != 0 or not ON_CI:
            skip("installs the package: root on CI's machine only", self)
        apt = dict(os.environ, DEBIAN_FRONTEND="noninteractive")
        run("apt-get", "install", "-y", os.path.abspath(DEB), env=apt)
        files = [line.split()[-1][1:] for line in
                 run("dpkg-deb", "-c", DEB).splitlines()
                 if not line.startswith("d")]
        try:
            self.assertIn("zelm-check", run("/usr/games/zelm-check",
                                            "--version"))
            session = xpanel.Session()
            self.addCleanup(session.close)
            with tempfile.TemporaryDirectory() as elsewhere:
                session.run(elsewhere, ["/usr/games/zelm"])
                session.find_window()
                # The desktop entry's StartupWMClass names this class.
                self.assertIn(session.window, session.xdotool(
                    "search", "--class", "^zelm$").stdout.split())
                session.point(300, 40)
                session.key("Escape")
                self.assertEqual((0, "", ""), session.finish())
                game.play_launcher(self, "/usr/games/zelm", elsewhere)
        finally:
            run("apt-get", "remove", "--purge", "-y", "zelm", env=apt)
        self.assertEqual([], [f for f in files if os.path.lexists(f)])
        for folder in ("/usr/lib/games/zelm", "/usr/share/games/zelm",
                       "/usr/share/doc/zelm"):
            self.assertFalse(os.path.exists(folder), folder)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
