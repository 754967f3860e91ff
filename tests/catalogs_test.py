"""catalogs_test.py: the template holds every message of the sources, and
every catalog po/LINGUAS names is complete, as msgfmt checks it and as
i18nspector finds no error in it.

Usage: catalogs_test.py SOURCE_DIR.  Exits 77, saying why, when gettext's
tools or i18nspector are missing.
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

from skipping import skip

SOURCE = sys.argv[1]
PO = os.path.join(SOURCE, "po")
missing = [tool for tool in ("xgettext", "msgcmp", "msgfmt", "i18nspector",
                             "po4a-updatepo") if shutil.which(tool) is None]
if missing:
    skip(", ".join(missing) + " missing")
with open(os.path.join(PO, "LINGUAS")) as linguas:
    LANGUAGES = re.sub("#.*", "", linguas.read()).split()


def run(*args):
    return subprocess.run(args, capture_output=True, text=True)


class CatalogsTest(unittest.TestCase):

    def test_the_template_holds_every_message_of_the_sources(self):
        with tempfile.TemporaryDirectory() as work:
            fresh = os.path.join(work, "zelm.pot")
            subprocess.run([sys.executable, os.path.join(PO, "template.py"),
                            SOURCE, fresh], check=True, capture_output=True)
            kept = os.path.join(PO, "zelm.pot")
            for definitions, references in ((kept, fresh), (fresh, kept)):
                done = run("msgcmp", "--use-untranslated", definitions,
                           references)
                self.assertEqual(0, done.returncode, "make po: " +
                                 done.stderr)
            # Every note to translators reached the template: xgettext
            # drops one that is not just above its message's first line.
            with open(fresh) as template:
                notes = template.read()
        for source in (glob.glob(os.path.join(SOURCE, "check", "*.cpp")) +
                       glob.glob(os.path.join(SOURCE, "front", "web", "*.js"))):
            with open(source) as code:
                for note in re.findall(r"TRANSLATORS: (.*)", code.read()):
                    self.assertTrue(note.strip() in notes,
                                    "%s: a note left out: %s" % (source, note))

    def test_each_catalog_is_complete_and_sound(self):
        for language in LANGUAGES:
            with self.subTest(language=language):
                po = os.path.join(PO, language + ".po")
                done = run("msgfmt", "--check", "--statistics", "-o",
                           os.devnull, po)
                self.assertEqual(0, done.returncode, done.stderr)
                self.assertNotRegex(done.stderr, "fuzzy|untranslated")
                done = run("msgcmp", po, os.path.join(PO, "zelm.pot"))
                self.assertEqual(0, done.returncode, done.stderr)
                said = run("i18nspector", po).stdout
                self.assertNotRegex(said, "(?m)^E: ", said)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
