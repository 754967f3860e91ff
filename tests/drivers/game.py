"""game.py: what the panel shows, read off a screenshot, and the short game
every build of zelm is played through.

The oracle is the committed artwork: a lamp is lit when its square on the
screen equals its lit image, dark when it equals the background's square
composed over white, and anything else is a fault.
"""
import os
import shutil

import xpanel
from pictures import LAMP_SIZE, read_png
from tables import LAMPS, OVERLAY_AT, middle

DATA = os.path.join(xpanel.SOURCE_DIR, "data")


BACKGROUND = read_png(os.path.join(DATA, "zelm.png"), True)
LIT = {name: read_png(os.path.join(DATA, name + ".png")) for name in LAMPS}
OVERLAY = read_png(os.path.join(DATA, "gnarlwick.png"))


def lamp_state(shot, name):
    x, y = LAMPS[name]
    size = LAMP_SIZE
    square = shot.crop(x, y, size, size).data
    if square == LIT[name].data:
        return "lit"
    if square == BACKGROUND.crop(x, y, size, size).data:
        return "dark"
    return "unclear"


def lit_lamps(shot):
    """The set of lit lamps, or None when any lamp is neither state."""
    states = {name: lamp_state(shot, name) for name in LAMPS}
    if "unclear" in states.values():
        return None
    return {name for name, state in states.items() if state == "lit"}


def showing(lamps):
    return lambda shot: lit_lamps(shot) == set(lamps)


def overlay_region(shot):
    return shot.crop(*OVERLAY_AT, OVERLAY.width, OVERLAY.height)


def overlay_shown(shot):
    return overlay_region(shot).data == OVERLAY.data


def overlay_hidden(shot):
    """The panel shows under the overlay's place (within SDL's rounding)."""
    x, y = OVERLAY_AT
    panel = BACKGROUND.crop(x, y, OVERLAY.width, OVERLAY.height).data
    return max(abs(p - q) for p, q in
               zip(overlay_region(shot).data, panel)) <= 3


CLOCK, RESET = middle("clock"), middle("reset")
# The middle of each lamp's 24 x 24 square, one pixel in from its point.
LAMP_MIDDLE = {name: (x + 12, y + 12) for name, (x, y) in LAMPS.items()}

# Each step: what the player does, where, with which button, then the
# lamps that must be lit, worked out by hand from the state and output
# tables.
STEPS = [
    ("right-click lamp a", LAMP_MIDDLE["a"], 3, ["y"]),
    ("clock 000 ab=00", CLOCK, 1, ["q1", "q0", "y"]),
    ("clock 011 ab=00", CLOCK, 1, ["q1"]),
    ("clock 010 ab=00", CLOCK, 1, ["q2", "y"]),
    ("switch b on", LAMP_MIDDLE["b"], 1, ["b", "q2", "y"]),
    ("clock 100 ab=01", CLOCK, 1, ["b", "q1", "q0"]),
    ("switch a on", LAMP_MIDDLE["a"], 1, ["a", "b", "q1", "q0"]),
    ("clock 011 ab=11", CLOCK, 1, ["a", "b", "q2", "y"]),
    ("reset", RESET, 1, ["a", "b"]),
    ("force q0", LAMP_MIDDLE["q0"], 1, ["a", "b", "q0", "y"]),
    ("force q1", LAMP_MIDDLE["q1"], 1, ["a", "b", "q1", "q0"]),
    ("force q2", LAMP_MIDDLE["q2"], 1, ["a", "b", "q2", "q1", "q0", "y"]),
    ("click lamp y", LAMP_MIDDLE["y"], 1, ["a", "b", "q2", "q1", "q0", "y"]),
    ("clock 111 ab=11", CLOCK, 1, ["a", "b"]),
]


def play(test, session, steps=STEPS):
    """Plays the steps on a freshly started panel, each a subtest."""
    session.wait_for(showing([]), "the panel, all dark")
    for what, (x, y), button, expected in steps:
        with test.subTest(step=what):
            session.click(x, y, button)
            session.wait_for(showing(expected),
                             "%s after %s" % (expected, what))


def toggle_overlay(session):
    """Types the cheat word twice: the overlay shows, then hides."""
    session.point(300, 40)  # focus follows the pointer into the window
    session.key(*"gnarlwick")
    session.wait_for(overlay_shown, "the overlay after the cheat word")
    session.key("shift+G", *"narlwick")  # Shift does not change the symbol
    session.wait_for(overlay_hidden, "the panel after the word again")


# The launcher's window on each screen: the screen, the SDL 1.2 the game
# plays on (sdl12-compat, which can scale, or Debian 12's own, which
# cannot), ZELM_SCALE, then the scale the window must show and what the
# launcher must say.  The largest whole multiple of 320 x 240 within half
# the screen each way: 2 on 1920 x 1080, 4 on 3840 x 2160.
SDL12_COMPAT = "/usr/lib/x86_64-linux-gnu/sdl12-compat"
LAUNCHES = [
    ("1920x1080", SDL12_COMPAT, None, 2, ""),
    ("3840x2160", SDL12_COMPAT, None, 4, ""),
    ("3840x2160", SDL12_COMPAT, "3", 3, ""),
    ("1920x1080", SDL12_COMPAT, "big", 2,
     "zelm: ZELM_SCALE=big is not a whole number from 1 to 99; the window "
     "is scaled by 2\n"),
    ("3840x2160", None, None, 1, ""),
]


def missing_launcher_tools():
    """What LAUNCHES needs and this machine lacks."""
    return [tool for tool in ("xrandr", SDL12_COMPAT)
            if not shutil.which(tool) and not os.path.exists(tool)]


def play_launcher(test, launcher, elsewhere):
    """Starts the launcher from elsewhere on each of LAUNCHES, and plays a
    few steps of the game on its window, clicked at the scaled places."""
    for screen, sdl, asked, scale, said in LAUNCHES:
        with test.subTest(screen=screen, sdl=sdl, ZELM_SCALE=asked):
            session = xpanel.Session(screen)
            test.addCleanup(session.close)
            for name, value in (("LD_LIBRARY_PATH", sdl),
                                ("ZELM_SCALE", asked)):
                session.env.pop(name, None)
                if value:
                    session.env[name] = value
            session.run(elsewhere, [launcher])
            session.find_window()
            test.assertEqual((320 * scale, 240 * scale), session.size())
            session.scale = scale
            play(test, session, STEPS[:4])
            session.key("Escape")
            test.assertEqual((0, "", said), session.finish())
