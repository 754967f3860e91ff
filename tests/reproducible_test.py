"""reproducible_test.py: the release built again from the same sources, in
another folder, three days later, in another time zone, locale and umask,
gives the same bytes, file for file, DLLs included; where a file differs,
diffoscope names the file inside it and the place.

Usage: reproducible_test.py SOURCE_DIR RELEASE_DIR, after make release.
The sources (what git tracks or would track) are copied without .git, so
the second build takes its dates from SOURCE_DATE_EPOCH, as a release
built without .git must.  Exits 77, saying why, when a tool, the release
or ZELM_WIN_SOURCES (which make exports) is missing.
"""
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE, RELEASE = sys.argv[1], sys.argv[2]
SUMS = os.path.join(RELEASE, "SHA256SUMS")
WIN_SOURCES = os.environ.get("ZELM_WIN_SOURCES", "")
missing = [tool for tool in ("git", "faketime", "diffoscope")
           if shutil.which(tool) is None]
if missing or not os.path.exists(SUMS) or not WIN_SOURCES:
    print("skipped: %s" % (", ".join(missing) + " missing" if missing else
                           "no ZELM_WIN_SOURCES" if not WIN_SOURCES else
                           SUMS + " is not built (make release)"))
    sys.exit(77)


def git(*args):
    return subprocess.run(["git"] + list(args), cwd=SOURCE, check=True,
                          capture_output=True, text=True).stdout


class ReproducibleTest(unittest.TestCase):

    def test_a_second_build_elsewhere_gives_the_same_bytes(self):
        work = tempfile.mkdtemp(prefix="zelm-again-")
        self.addCleanup(shutil.rmtree, work)
        copy = os.path.join(work, "another", "zelm")
        for name in git("ls-files", "--cached", "--others",
                        "--exclude-standard", "-z").split("\0"):
            if name and os.path.isfile(os.path.join(SOURCE, name)):
                os.makedirs(os.path.join(copy, os.path.dirname(name)),
                            exist_ok=True)
                shutil.copy2(os.path.join(SOURCE, name),
                             os.path.join(copy, name))
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("MAKE", "MFLAGS"))}
        env.update(SOURCE_DATE_EPOCH=git("log", "-1", "--format=%ct").strip(),
                   TZ="XYZ-14", LANG="C", LC_ALL="C")
        built = subprocess.run(
            ["faketime", "-f", "+3d", "make", "release",
             "ZELM_WIN_SOURCES=" + WIN_SOURCES], cwd=copy, env=env,
            preexec_fn=lambda: os.umask(0o077), capture_output=True,
            text=True)
        self.assertEqual(0, built.returncode, built.stdout[-3000:] +
                         built.stderr[-3000:])
        again = os.path.join(copy, "build-release")
        with open(SUMS) as sums:
            names = [line.split()[1] for line in sums] + ["SHA256SUMS"]
        differ = [name for name in names
                  if not filecmp.cmp(os.path.join(RELEASE, name),
                                     os.path.join(again, name), False)]
        for name in differ:
            where = subprocess.run(
                ["diffoscope", "--text", "-", "--max-text-report-size",
                 "20000", os.path.join(RELEASE, name),
                 os.path.join(again, name)], capture_output=True, text=True)
            print(where.stdout)
        self.assertEqual([], differ)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
