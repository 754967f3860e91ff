"""xpanel.py: the real zelm in a private Xvfb, seen and driven as a player.

Each Session starts its own X server and the program, finds the window by
its caption, clicks and types through xdotool (which moves the real
pointer, so focus follows it into the window), and reads the window back
with ImageMagick's import.  Every wait polls the screen until it shows
what is expected or a deadline passes.
"""
import os
import shlex
import shutil
import subprocess
import time

from pictures import parse_ppm

ZELM = os.environ.get("ZELM", "")
SOURCE_DIR = os.environ.get("ZELM_SOURCE_DIR", "")
# A command to run zelm under, such as valgrind, split like a shell would.
WRAPPER = shlex.split(os.environ.get("ZELM_WRAPPER", ""))
CAPTION = "Zelmora :-)"
CAPTION_PATTERN = "^" + CAPTION.replace(")", "\\)") + "$"  # for xdotool
DEADLINE = 30.0  # seconds; generous, since CI machines are slow
IMPORT = "/usr/bin/import"
TOOLS = ["Xvfb", "xdotool", IMPORT, "/usr/bin/convert"]


def missing_tools():
    """What the player's tests need and this machine lacks."""
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if not ZELM or not SOURCE_DIR:
        missing.append("ZELM and ZELM_SOURCE_DIR in the environment")
    return missing


def panel_drawn(shot):
    """Whether a frame is on screen: the white fill at the corner, the
    panel in the middle."""
    return (shot.pixel(0, 0) == (255, 255, 255) and
            shot.pixel(160, 120) != (255, 255, 255))


def start_xvfb(screen="640x480"):
    """Starts Xvfb on a free display, its screen WIDTHxHEIGHT; returns
    (process, ':N').

    -noreset matters: by default the server resets whenever its last
    client leaves, and a program connecting during that reset is refused.
    """
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen + "x24",
         "-nolisten", "tcp", "-noreset"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        server.kill()
        raise RuntimeError("Xvfb did not start")
    return server, ":" + number


class Session:
    """One X server and, once started, one zelm in it, its window shown at
    scale times the program's pixels (which screenshots read back at 1,
    and clicks and moves are made at)."""

    def __init__(self, screen="640x480"):
        self.server, self.display = start_xvfb(screen)
        self.scale = 1
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("SDL_VIDEODRIVER", None)
        self.program = None
        self.window = None
        end = time.monotonic() + DEADLINE
        while self.xdotool("getdisplaygeometry").returncode != 0:
            if time.monotonic() > end:
                raise RuntimeError("Xvfb on %s never answered" % self.display)
            time.sleep(0.05)

    def close(self):
        if self.program is not None and self.program.poll() is None:
            self.program.kill()
            self.program.communicate()
        self.server.terminate()  # lets Xvfb remove its lock and socket
        self.server.wait()

    def run(self, cwd, command=None):
        """Starts zelm (or command) in cwd, under WRAPPER if set; returns
        at once."""
        self.program = subprocess.Popen(
            command or WRAPPER + [ZELM], cwd=cwd, env=self.env,
            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
            stderr=subprocess.PIPE)

    def finish(self, timeout=DEADLINE):
        """Waits for zelm to exit; returns (exit code, stdout, stderr)."""
        out, err = self.program.communicate(timeout=timeout)
        return self.program.returncode, out.decode(), err.decode()

    def xdotool(self, *args):
        return subprocess.run(["xdotool"] + [str(a) for a in args],
                              env=self.env, capture_output=True, text=True)

    def find_window(self, pattern=CAPTION_PATTERN):
        """Waits for the window captioned as the pattern (xdotool's) says."""
        end = time.monotonic() + DEADLINE
        while time.monotonic() < end:
            if self.program.poll() is not None:
                raise AssertionError("the program exited early: %r" %
                                     (self.finish(),))
            found = self.xdotool("search", "--name", pattern).stdout.split()
            if found:
                self.window = found[0]
                return self.window
            time.sleep(0.05)
        raise AssertionError("no window captioned %r" % pattern)

    def name(self):
        return self.xdotool("getwindowname", self.window).stdout.rstrip("\n")

    def screenshot(self):
        shot = subprocess.run(
            [IMPORT, "-display", self.display, "-window", self.window,
             "-depth", "8", "ppm:-"], capture_output=True)
        if shot.returncode != 0:
            return None
        return parse_ppm(shot.stdout).shrunk(self.scale)

    def size(self):
        """The window's width and height on the screen."""
        geometry = self.xdotool("getwindowgeometry", self.window).stdout
        width, height = geometry.split("Geometry: ")[1].split()[0].split("x")
        return int(width), int(height)

    def wait_for(self, check, what):
        """Polls screenshots until check(image) holds; returns the image.
        A window not crisply scaled never passes."""
        end = time.monotonic() + DEADLINE
        last = None
        while time.monotonic() < end:
            last = self.screenshot()
            if last is not None and check(last):
                return last
            time.sleep(0.05)
        raise AssertionError("the screen never showed %s" % what)

    def point(self, x, y):
        """Moves the real pointer to pixel (x, y) of the program's."""
        self.xdotool("mousemove", "--window", self.window,
                     x * self.scale + self.scale // 2,
                     y * self.scale + self.scale // 2)

    def click(self, x, y, button=1):
        self.point(x, y)
        self.xdotool("click", button)

    def key(self, *names):
        self.xdotool("key", "--delay", 20, *names)
