"""skipping.py: how a test that cannot run here ends.

Off CI it says why and exits 77, which CTest counts as skipped.  On CI
(CI set), make test has installed everything a test needs, so a test
that cannot run there is a fault, and it fails the run, saying what is
missing: a green run is one in which every test ran.
"""
import os
import sys

ON_CI = bool(os.environ.get("CI"))


def _on_ci(why):
    return "on CI nothing may be skipped, and this test cannot run: " + why


def skip(why):
    """Ends the test program: skipped, saying why, or failed on CI."""
    if ON_CI:
        print("failed: " + _on_ci(why))
        sys.exit(1)
    print("skipped: " + why)
    sys.exit(77)


def skip_test(test, why):
    """Skips one unittest test, saying why, or fails it on CI."""
    if ON_CI:
        test.fail(_on_ci(why))
    test.skipTest(why)
