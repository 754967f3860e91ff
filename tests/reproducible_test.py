"""reproducible_test.py: the release built again from its own source
archive, in another folder, three days later, in another time zone, locale
and umask, gives the same bytes, file for file, DLLs and the source
archive included; where a file differs, diffoscope names the file inside
it and the place.

Usage: reproducible_test.py SOURCE_DIR SOURCE_ARCHIVE RELEASE_DIR, after
make release.  The archive is unpacked without .git, so the second build
knows its files without git and takes its dates from SOURCE_DATE_EPOCH,
as a release built without .git must.  Exits 77, saying why, when a tool
or the release is missing.
"""
import filecmp
import os
import shutil
import subprocess
import sys
import tarfile
import tempfile
import unittest

from skipping import skip

SOURCE, ARCHIVE, RELEASE = sys.argv[1], sys.argv[2], sys.argv[3]
SUMS = os.path.join(RELEASE, "SHA256SUMS")
missing = [tool for tool in ("git", "faketime", "diffoscope")
           if shutil.which(tool) is None]
if missing or not os.path.exists(SUMS):
    skip(", ".join(missing) + " missing" if missing else
         SUMS + " is not built (make release)")


def git(*args):
    return subprocess.run(["git"] + list(args), cwd=SOURCE, check=True,
                          capture_output=True, text=True).stdout


class ReproducibleTest(unittest.TestCase):

    def test_a_second_build_from_the_source_archive_gives_the_same_bytes(
            self):
        work = tempfile.mkdtemp(prefix="zelm-again-")
        self.addCleanup(shutil.rmtree, work)
        with tarfile.open(ARCHIVE) as archive:
            folder, = {name.split("/")[0] for name in archive.getnames()}
            archive.extractall(os.path.join(work, "another"))
        copy = os.path.join(work, "another", folder)
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("MAKE", "MFLAGS"))}
        env.update(SOURCE_DATE_EPOCH=git("log", "-1", "--format=%ct").strip(),
                   TZ="XYZ-14", LANG="C", LC_ALL="C")
        # Without the DLLs' archives, or with one that is not the archive
        # pinned, it refuses before it builds anything.
        damaged = os.path.join(work, "damaged")
        shutil.copytree(os.path.join(copy, "third_party"), damaged)
        with open(os.path.join(damaged, "libpng-1.6.39.tar.gz"), "ab") as end:
            end.write(b"\0")
        for sources in ("", damaged):
            refused = subprocess.run(
                ["make", "release", "ZELM_WIN_SOURCES=" + sources], cwd=copy,
                env=env, capture_output=True, text=True)
            self.assertNotEqual(0, refused.returncode)
            self.assertIn("ZELM_WIN_SOURCES" if not sources else
                          "is not the archive", refused.stderr)
            self.assertFalse(os.path.exists(os.path.join(copy,
                                                         "build-release")))
        built = subprocess.run(
            ["faketime", "-f", "+3d", "make", "release"], cwd=copy, env=env,
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
