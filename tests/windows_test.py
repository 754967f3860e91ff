"""windows_test.py: the cross-built zelm.exe is the Windows program it
should be.

Usage: windows_test.py ZELM_EXE SOURCE_DIR [--wine].  Reads the PE file
with MinGW-w64's binutils and icoutils: a GUI-subsystem program entered
at WinMain, importing exactly the SDL functions the program calls from
SDL.dll and SDL_image.dll, and carrying the icon "A" drawn in
art/icon.txt.  With --wine, and where ZELM_WINDOWS_DLLS names a folder
holding the real SDL.dll and SDL_image.dll (and their own DLLs), it
starts the program under Wine in Xvfb instead; without them it exits 77,
saying why.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.join(HERE, "e2e")]
import xpanel  # noqa: E402
from pictures import CONVERT, read_rgba  # noqa: E402

EXE, SOURCE_DIR = sys.argv[1], sys.argv[2]
WINE_ONLY = sys.argv[3:] == ["--wine"]
OBJDUMP = "x86_64-w64-mingw32-objdump"
NM = "x86_64-w64-mingw32-nm"
TOOLS = [OBJDUMP, NM, "wrestool", "icotool", CONVERT]


def skip(why):
    print("skipped: " + why)
    sys.exit(77)


missing = [tool for tool in TOOLS if shutil.which(tool) is None]
if missing:
    skip(", ".join(missing) + " missing")
if not os.path.exists(EXE):
    skip(EXE + " is not built (make windows)")
DLLS = os.environ.get("ZELM_WINDOWS_DLLS", "")
WINE = shutil.which("wine64") or shutil.which("wine")
if WINE_ONLY and not DLLS:
    skip("set ZELM_WINDOWS_DLLS to a folder of the real SDL.dll and "
         "SDL_image.dll to run the program under Wine")
if WINE_ONLY and WINE is None:
    skip("wine64 is not installed")


SDL_IMPORTS = {
    "SDL.dll": {"SDL_Init", "SDL_SetVideoMode", "SDL_WM_SetCaption",
                "SDL_DisplayFormat", "SDL_DisplayFormatAlpha",
                "SDL_FreeSurface", "SDL_MapRGB", "SDL_FillRect",
                "SDL_UpperBlit", "SDL_Flip", "SDL_WaitEvent", "SDL_GetError",
                "SDL_Quit"},
    "SDL_image.dll": {"IMG_Load"},
}
# Windows' own DLLs, present on every system; nothing of the compiler's.
SYSTEM_DLLS = {"KERNEL32.dll", "msvcrt.dll"}


def run(*args):
    return subprocess.run(args, check=True, capture_output=True).stdout


def imports():
    """{dll name: set of imported function names} from the import table."""
    table, dll = {}, None
    for line in run(OBJDUMP, "-p", EXE).decode().splitlines():
        words = line.split()
        if line.strip().startswith("DLL Name:"):
            dll = words[-1]
            table[dll] = set()
        elif dll and len(words) == 3 and words[1].isdigit():
            table[dll].add(words[2])
        elif not line.strip():
            dll = None
    return table


def icon_source():
    with open(os.path.join(SOURCE_DIR, "art", "icon.txt")) as source:
        return "".join(line.rstrip("\n") for line in source
                       if not line.startswith(";"))


class PortableExecutableTest(unittest.TestCase):

    def test_a_gui_program_entered_at_winmain(self):
        header = run(OBJDUMP, "-p", EXE).decode()
        self.assertIn("(Windows GUI)", header)
        symbols = {line.split()[-1] for line in
                   run(NM, EXE).decode().splitlines()}
        self.assertIn("WinMain", symbols)
        self.assertNotIn("SDL_main", symbols)

    def test_imports_exactly_the_sdl_functions_it_calls(self):
        table = imports()
        for dll, functions in SDL_IMPORTS.items():
            self.assertEqual(functions, table.get(dll), dll)
        self.assertEqual(set(), set(table) - set(SDL_IMPORTS) - SYSTEM_DLLS)
        for dll in SYSTEM_DLLS & set(table):
            sdl = {f for f in table[dll] if f.startswith(("SDL_", "IMG_"))}
            self.assertEqual(set(), sdl, dll)

    def test_carries_the_icon_a_as_drawn(self):
        listing = run("wrestool", "-l", EXE).decode()
        groups = [line for line in listing.splitlines()
                  if "group_icon" in line]
        self.assertEqual(1, len(groups), listing)
        self.assertIn("--name='A'", groups[0])
        with tempfile.TemporaryDirectory() as work:
            ico = os.path.join(work, "a.ico")
            with open(ico, "wb") as out:
                out.write(run("wrestool", "-x", "--type=14", "--name=A", EXE))
            images = run("icotool", "-l", ico).decode().split("\n")
            images = [line for line in images if line]
            self.assertEqual(["--icon --index=1 --width=32 --height=32 "
                              "--bit-depth=4 --palette-size=16"], images)
            run("icotool", "-x", "-o", work, ico)
            png = [name for name in os.listdir(work) if name.endswith(".png")]
            pixels = read_rgba(os.path.join(work, png[0]))
        expected = icon_source()
        self.assertEqual(32 * 32, len(expected))
        colours = {"#": (0, 0, 0, 255), "+": (192, 192, 192, 255)}
        for i, (want, got) in enumerate(zip(expected, pixels)):
            where = "pixel (%d, %d)" % (i % 32, i // 32)
            if want == ".":
                self.assertEqual(0, got[3], where)
            else:
                self.assertEqual(colours[want], got, where)
        grey = expected.count("+")
        self.assertTrue(0 < grey <= 8, "a few light grey pixels")
        # The inside of the eyes, between outline and pupil, shows through.
        self.assertEqual(".", expected[15 * 32 + 8])
        self.assertEqual(".", expected[15 * 32 + 22])



class WineTest(unittest.TestCase):

    def test_opens_its_window_and_ends_on_escape(self):
        with tempfile.TemporaryDirectory() as work:
            shutil.copy(EXE, work)
            shutil.copytree(os.path.join(SOURCE_DIR, "data"),
                            os.path.join(work, "data"))
            for name in os.listdir(DLLS):
                if name.lower().endswith(".dll"):
                    shutil.copy(os.path.join(DLLS, name), work)
            session = xpanel.Session()
            self.addCleanup(session.close)
            session.env["WINEDEBUG"] = "-all"
            session.run(work, [WINE, os.path.join(work, "zelm.exe")])
            session.find_window()
            self.assertEqual(xpanel.CAPTION, session.name())
            session.point(300, 40)
            session.key("Escape")
            self.assertEqual(0, session.finish(120)[0])


if __name__ == "__main__":
    chosen = WineTest if WINE_ONLY else PortableExecutableTest
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(chosen)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)
