"""windows_test.py: the cross-built zelm.exe is the Windows program it
should be, and its zip plays as unpacked.

Usage: windows_test.py ZELM_EXE ZIP [--wine].  Reads the PE files with
MinGW-w64's binutils and icoutils: a GUI-subsystem program entered at
WinMain, importing exactly the SDL functions the program calls from
SDL.dll and SDL_image.dll, carrying the icon "A" drawn in art/icon.txt,
and DLLs in the zip that need nothing but Windows' own.  With --wine it
unpacks the zip and plays it under Wine in Xvfb, as the Linux player's
test plays zelm, and starts it on damaged images.  Both read this build's
files and exit 77, saying why, when a file is not built.
"""
import os
import random
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile
import zlib

import xpanel
from pictures import CONVERT, read_rgba
from skipping import skip

EXE, ZIP = sys.argv[1], sys.argv[2]
WINE_ONLY = sys.argv[3:] == ["--wine"]
SOURCE_DIR = xpanel.SOURCE_DIR
OBJDUMP = "x86_64-w64-mingw32-objdump"
NM = "x86_64-w64-mingw32-nm"
TOOLS = [OBJDUMP, NM, "wrestool", "icotool", CONVERT]
BUNDLED_DLLS = ["SDL.dll", "SDL2.dll", "SDL_image.dll", "zlib1.dll"]


missing = [tool for tool in TOOLS if shutil.which(tool) is None]
if missing:
    skip(", ".join(missing) + " missing")
if not os.path.exists(EXE):
    skip(EXE + " is not built (make windows)")
if WINE_ONLY:
    if not os.path.exists(ZIP):
        skip(ZIP + " is not built (make windows)")
    with zipfile.ZipFile(ZIP) as packed:
        if not any(name.endswith("/SDL.dll") for name in packed.namelist()):
            skip("the zip carries no DLLs: the build had no ZELM_WIN_SOURCES")
    if shutil.which("wine") is None:
        skip("wine is not installed")
    if xpanel.missing_tools():
        skip("missing " + ", ".join(xpanel.missing_tools()))


SDL_IMPORTS = {
    "SDL.dll": {"SDL_Init", "SDL_SetVideoMode", "SDL_WM_SetCaption",
                "SDL_DisplayFormat", "SDL_DisplayFormatAlpha",
                "SDL_FreeSurface", "SDL_MapRGB", "SDL_FillRect",
                "SDL_UpperBlit", "SDL_Flip", "SDL_WaitEvent", "SDL_GetError",
                "SDL_Quit"},
    "SDL_image.dll": {"IMG_Load"},
}
# Windows' own DLLs, present on every system; nothing of the compiler's.
SYSTEM_DLLS = {"KERNEL32.dll", "msvcrt.dll", "USER32.dll"}
WINDOWS_DLLS = SYSTEM_DLLS | {
    "ADVAPI32.dll", "GDI32.dll", "WINMM.dll", "IMM32.dll", "ole32.dll",
    "OLEAUT32.dll", "SETUPAPI.dll", "SHELL32.dll", "VERSION.dll"}


def run(*args):
    return subprocess.run(args, check=True, capture_output=True).stdout


def imports(pe=EXE):
    """{dll name: set of imported function names} from the import table."""
    table, dll = {}, None
    for line in run(OBJDUMP, "-p", pe).decode().splitlines():
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
        # The answer checker beside it is a console program.
        checker = os.path.join(os.path.dirname(EXE), "zelm-check.exe")
        self.assertIn("(Windows CUI)", run(OBJDUMP, "-p", checker).decode())

    def test_imports_exactly_the_sdl_functions_it_calls(self):
        table = imports()
        for dll, functions in SDL_IMPORTS.items():
            self.assertEqual(functions, table.get(dll), dll)
        self.assertEqual(set(), set(table) - set(SDL_IMPORTS) - SYSTEM_DLLS)
        for dll in SYSTEM_DLLS & set(table):
            sdl = {f for f in table[dll] if f.startswith(("SDL_", "IMG_"))}
            self.assertEqual(set(), sdl, dll)

    def test_its_error_box_names_its_files_in_utf16(self):
        # A player's temporary folder may bear letters his ANSI code page
        # lacks, which the ANSI calls turn into '?'.
        table = imports()
        wide = {"KERNEL32.dll": {"GetTempPathW", "GetTempFileNameW",
                                 "CreateFileW"}, "USER32.dll": {"MessageBoxW"}}
        for dll, functions in wide.items():
            self.assertEqual(functions, functions & table[dll], dll)
            self.assertEqual(set(), {f[:-1] + "A" for f in functions} &
                             table[dll], dll)

    def test_its_manifest_says_it_sizes_its_window_for_each_monitor(self):
        manifest = run("wrestool", "-x", "-R", "--type=24", "--name=1",
                       EXE).decode()
        self.assertIn(">true/pm</dpiAware>", manifest)
        self.assertIn(">PerMonitorV2, PerMonitor</dpiAwareness>", manifest)

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



VERSION = os.path.basename(ZIP).split("-")[1]
TEMP_FOLDER = "Łódź 東京"
UNINSTALL_KEY = ("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\"
                 "Uninstall\\Zelmora")


def files(folder):
    """Every file under folder, by its path there."""
    return {os.path.relpath(os.path.join(here, name), folder)
            for here, _, names in os.walk(folder) for name in names}


def plant(folder, names):
    """Makes an empty file at each path under folder."""
    for name in names:
        os.makedirs(os.path.dirname(os.path.join(folder, name)),
                    exist_ok=True)
        open(os.path.join(folder, name), "w").close()


# The real lamp image y, and the same cut after its signature and IHDR by a
# tEXt chunk whose data runs past the end, as an interrupted copy leaves it.
with open(os.path.join(SOURCE_DIR, "data", "y.png"), "rb") as real_y:
    REAL_Y = real_y.read()
TEXT_CUT = REAL_Y[:33] + b"\0\0\0\x64tEXtComment\0cut"


def chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data)))


# The real y with 20 000 copies of a tIME chunk after its IHDR: well framed,
# and libpng warns of every copy but the first, 660 KB of warnings.
CHATTY_Y = (REAL_Y[:33] + chunk(b"tIME", bytes([7, 234, 12, 9, 12, 0, 0])) *
            20000 + REAL_Y[33:])


class WineTest(unittest.TestCase):
    """The zip unpacked as a player would, played under Wine, in a Wine
    prefix of the test's own that opens no crash dialog."""

    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="zelm-wine-")
        with zipfile.ZipFile(ZIP) as packed:
            packed.extractall(cls.work)
        cls.folder = os.path.join(cls.work,
                                  os.path.basename(ZIP)[:-len(".zip")])
        # No Mono, no Gecko, and no menu entries in the real home.
        # Under Wine on Xvfb, with no GL, SDL 2 draws with its software
        # renderer only.
        cls.env = dict(os.environ, WINEPREFIX=os.path.join(cls.work, "wine"),
                       WINEDEBUG="-all", SDL_RENDER_DRIVER="software",
                       WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        cls.env.pop("DISPLAY", None)  # no window while Wine sets up
        subprocess.run(["wineboot", "-i"], env=cls.env, check=True,
                       capture_output=True, timeout=300)
        # The player's temporary folder, named in letters outside any one
        # code page, as Windows takes it from his profile (Wine hands no
        # Unix TEMP on).
        users = os.path.join(cls.env["WINEPREFIX"], "drive_c", "users")
        name, = set(os.listdir(users)) - {"Public"}
        # The player's folder, as Unix names it and as Windows does; where
        # the installer puts the game, and its shortcut.
        cls.home, cls.windows_home = (os.path.join(users, name),
                                      "C:\\users\\%s\\" % name)
        cls.installed = os.path.join(cls.home, "AppData", "Local", "Programs",
                                     "Zelmora")
        cls.installed_windows = (cls.windows_home +
                                 "AppData\\Local\\Programs\\Zelmora")
        cls.shortcut = os.path.join(cls.home, "AppData", "Roaming",
                                    "Microsoft", "Windows", "Start Menu",
                                    "Programs", "Zelmora.lnk")
        os.mkdir(os.path.join(cls.home, TEMP_FOLDER))
        for key, value, kind, data in (
                ("HKCU\\Software\\Wine\\WineDbg", "ShowCrashDialog",
                 "REG_DWORD", "0"),
                ("HKCU\\Environment", "TEMP", "REG_SZ",
                 cls.windows_home + TEMP_FOLDER),
                ("HKCU\\Environment", "TMP", "REG_SZ",
                 cls.windows_home + TEMP_FOLDER)):
            subprocess.run(["wine", "reg", "add", key, "/v", value, "/t",
                            kind, "/d", data, "/f"], env=cls.env, check=True,
                           capture_output=True, timeout=300)

    @classmethod
    def tearDownClass(cls):
        subprocess.run(["wineserver", "-k"], env=cls.env)
        shutil.rmtree(cls.work)

    def start(self, folder, how=(), screen="640x480", command=("zelm.exe",),
              **environment):
        """folder's zelm.exe, or command, started there, by wine or as how
        says, on a screen of that size, with the pointer in its far corner,
        away from where the window shows."""
        # Wine learns the screen's size as its server starts: the last
        # one, of another screen, must have ended.
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=300)
        session = xpanel.Session(screen)
        self.addCleanup(session.close)
        session.env.update(self.env, DISPLAY=session.display, **environment)
        session.xdotool("mousemove", *(int(n) - 1 for n in screen.split("x")))
        session.run(folder, ["wine"] + list(how) +
                    [os.path.join(folder, command[0])] + list(command[1:]))
        return session

    def wine(self, *command):
        """Runs a Windows program to its end, and every one it started."""
        subprocess.run(["wine"] + list(command), env=self.env, check=True,
                       capture_output=True, timeout=300)
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=300)

    def test_installed_upgraded_played_and_uninstalled(self):
        import game
        setup = ZIP.replace("-windows-x86_64.zip", "-setup.exe")
        # An older version, with a file the new one lacks, goes first.
        older = tempfile.mkdtemp(dir=self.work)
        shutil.copytree(self.folder, older, dirs_exist_ok=True)
        open(os.path.join(older, "old-only.txt"), "w").close()
        subprocess.run(
            [sys.executable, os.path.join(SOURCE_DIR, "dist", "pack.py"),
             "setup", older, "0.9.0",
             os.path.join(SOURCE_DIR, "front", "zelm.ico"), older + ".exe"],
            check=True)
        self.wine(older + ".exe", "/S")
        folder, shortcut = self.installed, self.shortcut
        # The player keeps his answer beside the checker, as the README
        # invites; the upgrade keeps it.
        mine = {"answer.txt"}
        plant(folder, mine)
        self.wine(setup, "/S")
        # One copy: the zip's files and the uninstaller, nothing older.
        self.assertEqual(files(self.folder) | {"uninstall.exe"} | mine,
                         files(folder))
        # The shortcut's working folder: a string counted in UTF-16, as
        # shortcuts keep it (with or without its NUL).
        where = self.installed_windows
        with open(shortcut, "rb") as link:
            kept = link.read()
        self.assertTrue(any((len(where) + nul).to_bytes(2, "little") +
                            where.encode("utf-16-le") in kept
                            for nul in (0, 1)))
        entry = subprocess.run(["wine", "reg", "query", UNINSTALL_KEY],
                               env=self.env, capture_output=True,
                               text=True).stdout
        for value in ("DisplayName    REG_SZ    Zelmora",
                      "DisplayVersion    REG_SZ    " + VERSION,
                      "Publisher    REG_SZ    the zelm developers",
                      "DisplayIcon    REG_SZ    C:\\", "EstimatedSize",
                      "QuietUninstallString"):
            self.assertIn(value, entry)
        session = self.start(folder)
        session.find_window()
        game.play(self, session, game.STEPS[:4])
        session.key("Escape")
        self.assertEqual(0, session.finish(120)[0])
        # The uninstaller runs again from %TEMP%, removes what was
        # installed, and leaves the player's answer where it was.
        self.wine(os.path.join(folder, "uninstall.exe"), "/S")
        self.assertEqual(mine, files(folder))
        self.assertFalse(os.path.exists(shortcut))
        self.assertNotEqual(0, subprocess.run(
            ["wine", "reg", "query", UNINSTALL_KEY], env=self.env,
            capture_output=True).returncode)
        # Installed with /D= into a folder that held files, which stay with
        # it, and into a new one, which goes; each time over the older
        # version in another folder, which goes as its uninstall would take
        # it: the default folder, where the player's answer stays, and then
        # one it made, which goes whole.  An older version that did not
        # record whether it made its folder loses its uninstaller alone.
        for before, chosen, theirs, recorded in (
                ("AppData\\Local\\Programs\\Zelmora", "Shared",
                 {"notes.txt", "saves/game.sav"}, True),
                ("Older", "Fresh", set(), True),
                ("Oldest", "Newest", set(), False)):
            with self.subTest(folder=chosen, over=before):
                here = self.windows_home
                self.wine(older + ".exe", "/S", "/D=" + here + before)
                if not recorded:
                    self.wine("reg", "delete", UNINSTALL_KEY, "/v",
                              "MadeInstallLocation", "/f")
                elsewhere = os.path.join(self.home, chosen)
                plant(elsewhere, theirs)
                self.wine(setup, "/S", "/D=" + here + chosen)
                self.assertEqual(files(self.folder) | {"uninstall.exe"} |
                                 theirs, files(elsewhere))
                left = os.path.join(self.home, *before.split("\\"))
                kept = (files(older) if not recorded else
                        mine if left == folder else set())
                self.assertEqual(kept, files(left))
                self.assertEqual(bool(kept), os.path.exists(left))
                self.wine(os.path.join(elsewhere, "uninstall.exe"), "/S")
                self.assertEqual(theirs, files(elsewhere))
                self.assertEqual(bool(theirs), os.path.exists(elsewhere))

    def test_the_installer_and_its_uninstaller_speak_its_language(self):
        # NSIS's captions: the installer's as it ends, in the display
        # language, the uninstaller's as it asks, in the installer's under
        # another; the shortcut's description, the menu entry's Comment.
        if not all(language in run("locale", "-a").decode()
                   for language in ("de_DE.utf8", "fr_FR.utf8")):
            skip("make locale-de_DE locale-fr_FR: Wine's languages", self)
        setup = ZIP.replace("-windows-x86_64.zip", "-setup.exe")
        # The uninstaller is run in its place, as an installer runs one.
        uninstall = [os.path.join(self.installed, "uninstall.exe"),
                     "_?=" + self.installed_windows]
        for language, command, caption, key in (
                ("de_DE.UTF-8", [setup], "Installation von Zelmora: Fertig",
                 "Return"),
                ("fr_FR.UTF-8", uninstall,
                 "Deinstallation von Zelmora: Bestätigung", "Escape"),
                ("fr_FR.UTF-8", [setup], "Installation de Zelmora: Terminé",
                 "Return"),
                ("de_DE.UTF-8", uninstall,
                 "Désinstallation de Zelmora: Confirmation", "Escape")):
            session = self.start(self.home, command=command, LANG=language)
            session.find_window("^%s$" % caption)
            session.point(10, 10)
            session.key(key)
            session.finish(120)
        with open(self.shortcut, "rb") as link:
            self.assertIn("Découvrez le circuit caché derrière un panneau "
                          "scellé".encode("utf-16-le"), link.read())
        self.wine(uninstall[0], "/S")

    def test_started_from_the_start_menu_it_plays_or_says_why_in_a_box(self):
        # Started as the Start menu starts it (start, like the shell, gives
        # it no standard error): however much the libraries say, it plays,
        # or a box titled with the caption says its line.  (With standard
        # error piped, as in the test of damaged images, the line goes
        # there and no box keeps the program from ending.)
        import game
        for what, images, code in (
                ("y.png missing", {"y.png": None}, 1),
                ("y.png warned of 20 000 times", {"y.png": CHATTY_Y}, 0),
                ("the same, and gnarlwick.png missing",
                 {"y.png": CHATTY_Y, "gnarlwick.png": None}, 1)):
            with self.subTest(what):
                session = self.start(self.copy_with(images),
                                     ["start", "/wait", "/unix"])
                if code == 0:
                    session.find_window()
                    session.wait_for(game.showing([]), "the panel")
                else:  # a window captioned as the panel, not 320x240
                    boxes = ("search", "--name", xpanel.CAPTION_PATTERN,
                             "getwindowgeometry", "%@")
                    end = time.monotonic() + xpanel.DEADLINE
                    while "Geometry: 320x240" in session.xdotool(
                            *boxes).stdout or not session.xdotool(
                                *boxes).stdout:
                        self.assertLess(time.monotonic(), end, "no box")
                        time.sleep(0.1)
                    session.window = session.xdotool(
                        *boxes[:3]).stdout.split()[0]
                session.point(10, 10)
                session.key("Escape" if code == 0 else "Return")
                self.assertEqual(code, session.finish(120)[0])

    def test_the_window_is_as_large_as_the_screen_allows_and_crisp(self):
        # The largest whole multiple of 320 x 240 within half the screen
        # each way, or the player's own; drawn before any input, every
        # pixel a square, and played at the scaled places.
        import game
        for screen, asked, scale in (("1920x1080", {}, 2),
                                     ("3840x2160", {}, 4),
                                     ("3840x2160", {"SDL12COMPAT_WINDOW_SCALING":
                                                    "3"}, 3)):
            with self.subTest(screen=screen, asked=asked):
                session = self.start(self.folder, screen=screen, **asked)
                session.find_window()
                self.assertEqual((320 * scale, 240 * scale), session.size())
                session.scale = scale
                game.play(self, session, game.STEPS[:4])
                session.key("Escape")
                self.assertEqual(0, session.finish(120)[0])

    def test_the_zips_dlls_need_only_windows_own(self):
        for dll in BUNDLED_DLLS:
            needed = set(imports(os.path.join(self.folder, dll)))
            self.assertEqual(set(), needed - set(BUNDLED_DLLS) - WINDOWS_DLLS,
                             dll)

    def test_plays_the_game_and_the_cheat_word_and_ends_on_escape(self):
        import game
        session = self.start(self.folder)
        session.find_window()
        self.assertEqual(xpanel.CAPTION, session.name())
        game.play(self, session)
        game.toggle_overlay(session)
        session.key("Escape")
        self.assertEqual(0, session.finish(120)[0])

    def test_the_checker_reads_an_answer_and_reports_in_utf8(self):
        # The notation's own characters, through a pipe and in a file whose
        # name lies outside any one code page.
        answer = "y = (a·b) ⊕ ¬q0\n"
        where = tempfile.mkdtemp(dir=self.work)
        with open(os.path.join(where, "ответ.txt"), "w") as named:
            named.write(answer)
        checker = os.path.join(self.folder, "zelm-check.exe")
        # In English, and in German: as LANG names it, which Wine takes for
        # the display language too (where the locale is generated), and
        # with LANG cleared in the Windows environment, as the display
        # language alone names it; its catalog found beside the checker.
        if "de_DE.utf8" not in subprocess.run(["locale", "-a"], text=True,
                                              capture_output=True).stdout:
            skip("de_DE.UTF-8 is not generated (make locale-de_DE)", self)
        english = ("– Q0: not given.", "✗ Y: wrong in 16 of the 32 cases.")
        german = ("– Q0: nicht angegeben.",
                  "✗ Y: falsch in 16 von 32 Fällen.")
        for how, arguments, given, language, says in (
                ("piped", [], answer.encode(), "C.UTF-8", english),
                ("named", ["ответ.txt"], b"", "C.UTF-8", english),
                ("in German", ["ответ.txt"], b"", "de_DE.UTF-8", german),
                ("in the display language",
                 ["/c", "set", "LANG=&&", "Z:" + checker.replace("/", "\\"),
                  "ответ.txt"], b"", "de_DE.UTF-8", german)):
            with self.subTest(answer=how):
                program = "cmd" if arguments[:1] == ["/c"] else checker
                done = subprocess.run(
                    ["wine", program] + arguments, input=given, cwd=where,
                    env=dict(self.env, LANG=language), capture_output=True,
                    timeout=120)
                self.assertEqual(1, done.returncode, done.stderr)
                self.assertIn(("  y = (a·b) ⊕ q0'\r\n\r\n%s\r\n" % says[0])
                              .encode(), done.stdout)
                self.assertIn(says[1].encode(), done.stdout)

    def test_the_bundles_sdl_image_returns_from_a_png_ending_in_a_chunk(self):
        probe = os.path.join(self.folder, "img_load_probe.exe")
        shutil.copy(os.environ["ZELM_IMG_PROBE"], probe)
        self.addCleanup(os.remove, probe)
        for what, png in (("a tEXt", TEXT_CUT), ("the image data",
                                                 REAL_Y[:len(REAL_Y) - 40])):
            with self.subTest(cut_in=what), tempfile.NamedTemporaryFile(
                    dir=self.work, suffix=".png") as damaged:
                damaged.write(png)
                damaged.flush()
                done = subprocess.run(["wine", probe, damaged.name],
                                      env=self.env, capture_output=True,
                                      timeout=120)
                self.assertEqual(1, done.returncode, done.stderr)
                # The patch's word: the short read ended the load.
                self.assertIn(b"the file ends too early", done.stderr)

    def test_damaged_images_end_start_up_with_their_line(self):
        runs_past = ("data/y.png: damaged PNG: a chunk runs past the end of "
                     "the file")
        cases = [
            ("missing", None, "Couldn't open data/y.png"),
            ("cut short", REAL_Y[:len(REAL_Y) // 2], runs_past),
            ("random bytes", random.Random(7).randbytes(4096),
             "Unsupported image format"),
            ("cut short in a tEXt", TEXT_CUT, runs_past),
            ("a signature and junk", REAL_Y[:8] + b"\xff" * 64, runs_past),
        ]
        for what, damaged, line in cases:
            with self.subTest(image=what):
                copy = self.copy_with({"y.png": damaged})
                code, _, err = self.start(copy).finish(120)
                self.assertEqual(1, code, err)
                self.assertEqual(line, err.splitlines()[-1])

    def copy_with(self, images):
        """A copy of the unpacked folder with each named image of data/
        replaced by the bytes given, or removed where they are None."""
        copy = tempfile.mkdtemp(dir=self.work)
        shutil.copytree(self.folder, copy, dirs_exist_ok=True)
        for name, replaced in images.items():
            image = os.path.join(copy, "data", name)
            os.remove(image)
            if replaced is not None:
                with open(image, "wb") as out:
                    out.write(replaced)
        return copy


if __name__ == "__main__":
    chosen = WineTest if WINE_ONLY else PortableExecutableTest
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(chosen)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)
