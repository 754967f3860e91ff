"""web_test.py: the browser build, played in headless Chromium as a player
plays it, its canvas read back.

Usage: web_test.py SITE.  Serves the built folder on 127.0.0.1 and drives
Debian's Chromium over the DevTools protocol (browser.py).  Exits 77,
saying why, when the site is not built or Chromium is missing.
"""
import base64
import gettext
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import browser
import game
from skipping import skip

SITE = sys.argv[1]
SOURCE_DIR = os.environ.get("ZELM_SOURCE_DIR", "")
if not os.path.exists(os.path.join(SITE, "zelm.wasm")):
    skip("%s holds no page (make web)" % SITE)
if not os.path.exists(browser.CHROMIUM):
    skip("%s is missing" % browser.CHROMIUM)

# The circuit's equations, typed as a player might.
RIGHT = ("jq0 = a'q1' + q2\nkq0 = q1 + b'\n"
         "jq1 = b q2 + a q2 + a q0 + a'b'q0'q1'q2'\nkq1 = a + b + q0'\n"
         "jq2 = a q1 + b'q0'q1\nkq2 = 1\n"
         "y = q2 + a q0 q1' + a'b'q0 q1 + a'b'q0'q1'\n")

# A game by keyboard alone: the keys, then the lamps lit and the sentence
# said, worked out by hand from the state and output tables; and what the
# notebook then holds, from the same tables, a part not seen as dots.
CONTROLS = {"Input A": "a", "Input B": "b", "Flip-flop Q2": "q2",
            "Flip-flop Q1": "q1", "Flip-flop Q0": "q0", "Clock": None,
            "Reset": None}
KEYBOARD = [
    (["Tab", "Space"], ["a"], "Input A on. Y dark."),
    (["Tab"] * 5 + ["Enter"], ["a"], "Clock: Q2 Q1 Q0 now 0 0 0. Y dark."),
    (["Shift+Tab"] * 5 + ["Space"], ["y"], "Input A off. Y lit."),
    (["Tab"] * 5 + ["Enter"], ["q1", "q0", "y"],
     "Clock: Q2 Q1 Q0 now 0 1 1. Y lit."),
    (["Enter"], ["q1"], "Clock: Q2 Q1 Q0 now 0 1 0. Y dark."),
    (["Tab", "Space"], ["y"], "Reset: Q2 Q1 Q0 now 0 0 0. Y lit."),
    (["Shift+Tab"] * 5 + ["Space"], ["b"], "Input B on. Y dark."),
    (["Tab", "Space"], ["b", "q2", "y"], "Flip-flop Q2 on. Y lit."),
    (["Tab", "Space"], ["b", "q2", "q1", "y"], "Flip-flop Q1 on. Y lit."),
    (["Tab", "Space"], ["b", "q2", "q1", "q0", "y"],
     "Flip-flop Q0 on. Y lit."),
    (["Tab", "Enter"], ["b"], "Clock: Q2 Q1 Q0 now 0 0 0. Y dark."),
]
SEEN = """Q2Q1Q0 | AB=00 | AB=01 | AB=10 | AB=11
000    | 011/1 | .../0 | 000/0 | ...
001    | ...   | ...   | ...   | ...
010    | .../0 | ...   | ...   | ...
011    | 010/1 | ...   | ...   | ...
100    | ...   | .../1 | ...   | ...
101    | ...   | ...   | ...   | ...
110    | ...   | .../1 | ...   | ...
111    | ...   | 000/1 | ...   | ...
"""


# The browser as players set it up, and a site that lost a file: one row
# each.  Each row: how (the profile's preferences, a script run before the
# page's, the files the server lacks, a key and its text stored before:
# the notebook, or the answer), what
# the player then does (plays, copies the notebook as text, leaves and
# comes back), and what the page must show: its status line, where the
# panel cannot play, the sentence beside the notebook, what the checker
# says, and where the stored text must be found afterwards.
# The notebook as the page wrote it before Clear made generations.
NOTES = ("zelm-notebook", '[{"next":"011","y":"1"}]')
BLOCK_COOKIES = {"profile": {"default_content_setting_values": {"cookies": 2}}}
STORAGE_FULL = ("Storage.prototype.setItem = function() {"
                " throw new DOMException('full', 'QuotaExceededError'); };")
NOT_KEPT = "would not keep these notes, so they go when you leave the page."
SET_ASIDE = 'set aside, as they were, under "zelm-notebook-unread"'
MISSING = "%s did not arrive. Check the connection, then try again.Try again"
REFUSALS = [
    (BLOCK_COOKIES, "", (), None, "play", None, NOT_KEPT, None, None),
    (None, STORAGE_FULL, (), NOTES, "play", None, NOT_KEPT, None,
     "zelm-notebook"),
    (None, "", ("zelm.js",), NOTES, "", MISSING % "zelm.js", "", "✗ Y",
     "zelm-notebook"),
    (None, "", ("zelm.wasm",), NOTES, "", MISSING % "zelm.wasm", "", "✗ Y",
     "zelm-notebook"),
    (None, "", ("zelm.data",), NOTES, "", MISSING % "zelm.data", "", "✗ Y",
     "zelm-notebook"),
    (None, "delete window.WebAssembly", (), NOTES, "", "needs WebAssembly",
     "", "needs WebAssembly", "zelm-notebook"),
    (None, "", (), ("zelm-notebook", '[{"next":"01'), "play", None, SET_ASIDE,
     None, "zelm-notebook-unread"),
    (None, "", (), ("zelm-notebook", '[{"next":"9x9","y":"q"}]'), "play", None,
     SET_ASIDE, None, "zelm-notebook-unread"),
    (None, "", (), ("zelm-answer", '{"name":"Ada"}'), "play", None, "", None,
     "zelm-answer-unread"),
    (None, "delete Navigator.prototype.clipboard", (), None, "copy", None, "",
     None, None),
    (None, "", (), None, "leave and come back", None, "", None, None),
]
# What emscripten says of its own, which must never reach the page.
EMSCRIPTEN_WORDS = ("Aborted", "RuntimeError", "wasm support", "ASSERTIONS",
                    "NetworkError", "both async and sync")


def luminance(rgb):
    """WCAG's relative luminance of an (r, g, b) colour."""
    return sum(w * (c / 12.92 if c <= 0.03928 else
                    ((c + 0.055) / 1.055) ** 2.4)
               for w, c in zip((0.2126, 0.7152, 0.0722),
                               (c / 255 for c in rgb)))


def contrast(one, other):
    high, low = sorted((luminance(one), luminance(other)), reverse=True)
    return (high + 0.05) / (low + 0.05)


# Counts the timers, intervals and animation frames the page asks for,
# and the unload listeners added; and whether the panel's right, middle
# and wheel presses were kept from the page: installed before any script
# of the page runs.
WATCH = """
window.scheduled = 0;
window.unloads = 0;
const addListener = EventTarget.prototype.addEventListener;
EventTarget.prototype.addEventListener = function(type) {
  window.unloads += type == 'unload';
  return addListener.apply(this, arguments);
};
for (const name of ['setTimeout', 'setInterval', 'requestAnimationFrame']) {
  const original = window[name];
  window[name] = function() { window.scheduled++;
                              return original.apply(this, arguments); };
}
window.kept = {};
for (const type of ['contextmenu', 'wheel', 'mousedown'])
  window.addEventListener(type, e => { window.kept[type + e.button] =
                                       e.defaultPrevented; });
"""


# Marks a page the back/forward cache brings back.
RESTORED = ";window.addEventListener('pageshow', e => { window.restored = "\
           "e.persisted; });"


class PageTest(unittest.TestCase):

    def open(self, site=SITE, new_page=True, query=""):
        """Serves site and opens it, with the query given, in self.page, a
        new one unless told; returns the server."""
        server = browser.Server(site)
        self.addCleanup(server.close)
        if new_page:
            self.page = browser.Browser()
            self.addCleanup(self.page.close)
        self.page.call("Page.addScriptToEvaluateOnNewDocument", session=True,
                       source=WATCH)
        self.page.open(server.url + query)
        self.page.wait_for("window.Module && Module.calledRun", "the program")
        self.locate()
        return server

    def locate(self):
        """Where the canvas stands on the page: self.at(x, y) is the page
        point of panel pixel (x, y)."""
        left, top, width = self.page.evaluate(
            "(r => [r.left, r.top, r.width])"
            "(document.getElementById('canvas').getBoundingClientRect())")
        self.scale = width / 320
        self.at = lambda x, y: (left + (x + 0.5) * self.scale,
                                top + (y + 0.5) * self.scale)

    def text(self, element):
        return self.page.evaluate(
            "document.getElementById('%s').textContent" % element)

    def test_a_game_at_a_larger_scale_with_the_cheat_word_and_escape(self):
        self.open()
        p = self.page
        self.assertEqual("Zelmora :-)", p.evaluate("document.title"))
        self.assertEqual(float(int(self.scale)), self.scale)
        self.assertGreater(self.scale, 1)
        self.assertEqual("canvas", p.evaluate("document.activeElement.id"))
        # Before any input, the desktop's first frame, Y dark: the
        # background over white, within the rounding of the blend.
        shot = p.wait_for_canvas(game.showing([]), "the panel, all dark")
        self.assertLessEqual(max(abs(x - y) for x, y in
                                 zip(shot.data, game.BACKGROUND.data)), 3)
        # The keyboard reaches the panel before any click.
        p.key(*"gnarlwick")
        p.wait_for_canvas(game.overlay_shown, "the overlay")
        p.key("g", *"narlwick")
        p.wait_for_canvas(game.overlay_hidden, "the panel again")
        for what, (x, y), button, expected in game.STEPS:
            with self.subTest(step=what):
                p.click(*self.at(x, y), {1: "left", 3: "right"}[button])
                p.wait_for_canvas(game.showing(expected), what)
                if what == "right-click lamp a":
                    self.assertEqual("Pressed the panel. Y lit.",
                                     self.text("status"))
        # Idle, the page runs nothing of its own.
        before = p.evaluate("window.scheduled")
        time.sleep(1)
        self.assertEqual(before, p.evaluate("window.scheduled"))
        # Right and middle presses and the wheel stay with the panel; a
        # tap is a left press (lamp a on).
        p.click(*self.at(5, 5), "middle")
        p.call("Input.dispatchMouseEvent", session=True, type="mouseWheel",
               x=self.at(5, 5)[0], y=self.at(5, 5)[1], deltaX=0, deltaY=120)
        self.assertEqual({"contextmenu2": True, "wheel0": True,
                          "mousedown1": True},
                         {k: v for k, v in p.evaluate("window.kept").items()
                          if k in ("contextmenu2", "wheel0", "mousedown1")})
        p.tap(*self.at(*game.LAMP_MIDDLE["a"]))
        p.wait_for_canvas(game.showing(["b"]), "lamp a off after a tap")
        # The mouse keeps the exact boxes: just left of lamp a's, a press
        # on the panel, lamp a as it was.
        p.click(*self.at(30, 85))
        p.wait_for("statusLine.textContent == 'Pressed the panel. Y dark.'",
                   "the panel pressed")
        p.wait_for_canvas(game.showing(["b"]), "lamp a still off")
        self.assertEqual(0, p.evaluate("window.unloads"))
        p.key("Escape")
        p.wait_for("document.getElementById('status').textContent",
                   "the closing line")
        self.assertEqual("The panel is closed.Start again",
                         self.text("status"))

    def test_played_by_keyboard_and_screen_reader_with_its_notebook(self):
        server = self.open()
        p = self.page
        p.call("Browser.grantPermissions", origin=server.url[:-1],
               permissions=["clipboardReadWrite", "clipboardSanitizedWrite"])
        p.wait_for_canvas(game.showing([]), "the panel, all dark")
        self.assertEqual("", self.text("status"))
        self.assertIn("Y not yet worked out.", self.text("state"))
        self.assertEqual({name: "false" if lamp else None
                          for name, lamp in CONTROLS.items()},
                         {name: pressed for name, pressed in p.buttons()
                          .items() if name in CONTROLS})
        self.assertEqual([], p.axe_violations())
        for keys, lit, said in KEYBOARD:
            with self.subTest(said=said):
                p.key(*keys)
                p.wait_for_canvas(game.showing(lit), said)
                self.assertEqual(said, self.text("status").rstrip("\xa0"))
                self.assertEqual({name: str(lamp in lit).lower() for
                                  name, lamp in CONTROLS.items() if lamp},
                                 {name: pressed for name, pressed in
                                  p.buttons().items() if CONTROLS.get(name)})
                # The focus ring, white around black, stands out at least
                # three times as bright or dark as the panel beside it.
                left, top, width = p.evaluate(
                    "(r => [r.left, r.top, r.width])"
                    "(document.activeElement.getBoundingClientRect())")
                ring = p.screenshot(left - 12, top, 12, 1)
                self.assertEqual((255, 255, 255), ring.pixel(8, 0))
                self.assertGreaterEqual(contrast(ring.pixel(8, 0),
                                                 ring.pixel(0, 0)), 3)
        self.assertIn("A off, B on. Q2 Q1 Q0: 0 0 0. Y dark.",
                      self.text("state"))
        self.assertEqual([], p.axe_violations())
        # The notebook holds what the panel showed and nothing more, the
        # same after a reload; Clear empties it.
        for _ in range(2):
            p.evaluate("document.getElementById('copy-seen').click()")
            self.assertEqual(SEEN, p.wait_for("navigator.clipboard.readText()"
                                              ".then(t => t.includes('/')"
                                              " && t)", "the notebook"))
            self.assertEqual(["011/1", ".../0", "000/0", ""], p.evaluate(
                "[...document.querySelectorAll('#notebook tbody td')]"
                ".slice(0, 4).map(td => td.textContent)"))
            self.assertEqual("next state: 4 of 32; Y: 8 of 32",
                             self.text("seen-count"))
            p.call("Page.reload", session=True)
            p.wait_for("window.Module && Module.calledRun", "the program")
        p.evaluate("document.getElementById('clear-seen').click()")
        self.assertEqual("next state: 0 of 32; Y: 0 of 32",
                         self.text("seen-count"))

    def test_notes_kept_alike_by_the_page_open_twice(self):
        # Each tab notes what its panel shows into one notebook, and shows
        # what the other notes; Clear in one empties both, and the next
        # press in the other adds its one note.  The counts are read off
        # the state and output tables, as the game's.
        server = self.open()
        p = self.page
        tabs = [p.session, p.new_tab()]
        p.open(server.url)
        p.wait_for("window.Module && Module.calledRun", "the second tab")
        for tab, where, button, counts in (
                (0, game.CLOCK, "left", (1, 1)),
                (1, game.LAMP_MIDDLE["a"], "left", (1, 2)),
                (1, game.CLOCK, "left", (2, 2)),
                (0, None, "clear", (0, 0)),
                (1, (5, 5), "right", (0, 1))):
            p.session = tabs[tab]
            p.call("Page.bringToFront", session=True)
            if button == "clear":
                p.evaluate("document.getElementById('clear-seen').click()")
            else:
                self.locate()
                p.click(*self.at(*where), button)
            said = "next state: %d of 32; Y: %d of 32" % counts
            for session in tabs:
                p.session = session
                p.wait_for("document.getElementById('seen-count')"
                           ".textContent == '%s'" % said, said)
        # Told of a write that lacks its note, as when the other tab wrote
        # at the same moment, a tab keeps the note and writes it back.
        stored = p.evaluate("localStorage.getItem('zelm-notebook')")
        lacking = json.dumps({"generation": json.loads(stored)["generation"],
                              "seen": []}, separators=(",", ":"))
        p.evaluate("localStorage.setItem('zelm-notebook', %s);"
                   "dispatchEvent(new StorageEvent('storage', {key: "
                   "'zelm-notebook', newValue: %s}))"
                   % (json.dumps(lacking), json.dumps(lacking)))
        self.assertEqual(stored, p.evaluate(
            "localStorage.getItem('zelm-notebook')"))
        self.assertEqual("next state: 0 of 32; Y: 1 of 32",
                         self.text("seen-count"))

    def test_the_answer_checked_kept_saved_and_printed_beside_the_panel(self):
        self.open()
        p = self.page
        fetched = "performance.getEntriesByType('resource').map(e => e.name)"
        self.assertNotIn("zelm-check", ",".join(p.evaluate(fetched)))
        p.evaluate("document.querySelector('#check summary').click()")
        wrong = RIGHT.replace(" + a'b'q0'q1'\n", "\n")
        for answer, says in ((RIGHT, "\nSolved: all four parts are right."),
                             (wrong, "\n✗ Y: wrong in 1 of the 32 cases.")):
            p.evaluate("answer.value = ''; answer.focus()")
            p.call("Input.insertText", session=True, text=answer)
            self.assertIn(says, self.check())
        # In colour: three parts right, one wrong, and no table of cases.
        self.assertEqual([3, 1], p.evaluate(
            "['.right', '.wrong'].map(c => report.querySelectorAll(c).length)"))
        # The answer and the player's name are kept, the section open.
        p.evaluate("player.focus()")
        p.call("Input.insertText", session=True, text="Łucja Nowak")
        p.call("Page.reload", session=True)
        p.wait_for("window.Module && Module.calledRun", "the program")
        self.assertEqual([wrong, "Łucja Nowak", True], p.evaluate(
            "[answer.value, player.value, checkSection.open]"))
        # Printed: the panel, the notebook whole on one page, the answer
        # and its report, and no button.
        downloads = tempfile.mkdtemp(prefix="zelm-saved-")
        self.addCleanup(shutil.rmtree, downloads)
        self.check()
        pdf = os.path.join(downloads, "printed.pdf")
        with open(pdf, "wb") as printed:
            printed.write(base64.b64decode(p.call(
                "Page.printToPDF", session=True)["data"]))
        pages = subprocess.run(["pdftotext", "-layout", pdf, "-"], check=True,
                               capture_output=True, text=True).stdout
        self.assertEqual(1, sum("000" in page and "111" in page
                                for page in pages.split("\f")))
        for shown in ("jq2 = a q1 + b'q0'q1", "✗ Y: wrong in 1 of the 32"):
            self.assertIn(shown, pages)
        for hidden in ("Save my answer", "Copy as text", "How to play"):
            self.assertNotIn(hidden, pages)
        # Saved, in a file named for her that the checker reads as it is,
        # her name and her notebook in comments.
        p.call("Browser.setDownloadBehavior", behavior="allow",
               downloadPath=downloads)
        p.evaluate("document.getElementById('save-answer').click()")
        saved = os.path.join(downloads, "zelm-answer-Łucja-Nowak.txt")
        browser._until(lambda: os.path.exists(saved), "the saved answer")
        with open(saved) as kept:
            text = kept.read()
        self.assertTrue(text.startswith("# Name: Łucja Nowak\n" + wrong +
                                        "\n# What you have seen:\n# Q2Q1Q0 |"))
        p.evaluate("answer.value = %s" % json.dumps(text))
        self.assertIn("\n✗ Y: wrong in 1 of the 32 cases.", self.check())
        # On a phone each line of the report is a whole sentence, which the
        # page wraps.
        p.call("Emulation.setDeviceMetricsOverride", session=True, width=390,
               height=844, deviceScaleFactor=3, mobile=True)
        self.assertTrue(p.evaluate(
            "[...report.children].some(line => line.offsetHeight > 30)"))
        self.assertEqual([], [line for line in p.evaluate("reportLines")
                              if line[:2].strip() and line[-1] not in ".:"])
        p.call("Emulation.clearDeviceMetricsOverride", session=True)
        # What is typed into the box stays there, Escape too.
        p.evaluate("answer.value = ''; answer.focus()")
        p.key(*"gnarlwick", "Escape")
        self.assertEqual("gnarlwick", p.evaluate("answer.value"))
        p.evaluate("canvas.scrollIntoView()")
        self.locate()  # the section has grown the page
        p.click(*self.at(*game.LAMP_MIDDLE["a"]))
        p.wait_for_canvas(lambda shot: game.lit_lamps(shot) == {"a"} and
                          game.overlay_hidden(shot), "lamp a, no overlay")
        self.assertEqual("Input A on. Y dark.", self.text("status"))
        # A press on the panel gives it the keyboard again.
        p.key(*"gnarlwick")
        p.wait_for_canvas(game.overlay_shown, "the overlay")

    def check(self):
        """Checks the answer in the box; the report, once shown."""
        self.page.evaluate("report.textContent = '';"
                           "document.getElementById('run-check').click()")
        return self.page.wait_for("report.innerText", "a report")

    def test_what_a_visitor_meets_on_a_laptop_and_a_phone(self):
        # The panel at the largest whole scale in device pixels: with the
        # heading and how to play beside it in view on a laptop, across
        # the width of a phone held upright.
        for width, height, ratio, scale in ((1280, 800, 1, 2),
                                            (390, 844, 3, 3)):
            with self.subTest(screen=(width, height)):
                self.page = browser.Browser(width, height)
                self.addCleanup(self.page.close)
                self.page.call("Emulation.setDeviceMetricsOverride",
                               session=True, width=width, height=height,
                               deviceScaleFactor=ratio, mobile=ratio > 1)
                self.open(new_page=False)
                self.assertEqual(scale, self.scale * ratio)
                bottom = self.page.evaluate(
                    "Math.max(...['canvas', 'how'].map(id => document."
                    "getElementById(id).getBoundingClientRect().bottom))")
                if ratio == 1:
                    self.assertLessEqual(bottom, height)
                else:
                    self.assertGreater((scale + 1) * 320, width * ratio)
        # Desk windows, their scrollbar taking room: the whole panel in view
        # and no sideways scrolling, at a scale that a resize away and back
        # gives again.
        for width, height, scale in ((645, 900, 1), (970, 1100, 2),
                                     (1290, 1400, 3)):
            with self.subTest(window=(width, height)):
                self.page = browser.Browser(width, height)
                self.addCleanup(self.page.close)
                self.open(new_page=False)
                for size in ((width, height), (700, 500), (width, height)):
                    self.page.resize(*size)
                    self.locate()
                    self.assertTrue(self.page.evaluate(
                        "(r => r.left >= 0 && r.right <= document."
                        "documentElement.clientWidth && document."
                        "documentElement.scrollWidth <= document."
                        "documentElement.clientWidth)"
                        "(canvas.getBoundingClientRect())"), size)
                self.assertEqual(scale, self.scale)
        p = self.page
        self.assertEqual([], p.call("Page.getInstallabilityErrors",
                                    session=True)["installabilityErrors"])
        text = p.evaluate("document.body.innerText")
        for words in ("Zelmora", "How to play", "CLOCK", "Escape"):
            self.assertIn(words, text)
        root = p.call("DOM.getDocument", session=True)["root"]["nodeId"]
        canvas = p.call("DOM.querySelector", session=True, nodeId=root,
                        selector="canvas")["nodeId"]
        self.assertIn("type here", p.call(
            "Accessibility.getPartialAXTree", session=True, nodeId=canvas,
            fetchRelatives=False)["nodes"][0]["name"]["value"])
        # Every kind of text at least 4.5 times as bright as the page.
        def rgb(colour):
            return [int(c) for c in colour[4:-1].split(",")[:3]]
        ground = rgb(p.evaluate(
            "getComputedStyle(document.body).backgroundColor"))
        for colour in p.evaluate(
                "[...document.querySelectorAll('h1, h2, p, b, summary')]"
                ".map(e => getComputedStyle(e).color)"):
            self.assertGreaterEqual(contrast(rgb(colour), ground), 4.5,
                                    colour)

    def test_played_in_the_hand_on_phones_and_a_tablet(self):
        # Each device: its screen in CSS pixels, device pixels to one, the
        # screen it was turned from, then the panel's scale in device
        # pixels (the largest whole one across the width; held sideways,
        # the largest that shows it whole, None) and what a tap two pixels
        # left of lamp a's box does, lamp a lit: it presses lamp a within
        # a fingertip's 44 CSS pixels of its middle, as where it is drawn
        # small, and else the panel.
        off = (["y"], "Input A off. Y lit.")
        for width, height, ratio, turned, scale, (lit, said) in (
                (320, 568, 2, None, 2, off), (360, 740, 3, None, 3, off),
                (390, 844, 3, None, 3, off),
                (768, 1024, 2, None, 4, (["a"], "Pressed the panel. Y dark.")),
                (844, 390, 3, (390, 844), None, off)):
            with self.subTest(screen=(width, height), turned=turned):
                p = self.page = browser.Browser(width, height)
                self.addCleanup(p.close)
                p.call("Emulation.setTouchEmulationEnabled", session=True,
                       enabled=True, maxTouchPoints=5)
                for w, h in filter(None, (turned, (width, height))):
                    p.call("Emulation.setDeviceMetricsOverride", session=True,
                           width=w, height=h, deviceScaleFactor=ratio,
                           mobile=True)
                    if (w, h) == (width, height) and turned:
                        p.wait_for("innerWidth == %d" % width, "the turn")
                    else:
                        self.open(new_page=False)
                p.wait_for_canvas(game.showing([]), "the panel")
                # Nothing has the focus, so no ring, until the first tap.
                self.assertEqual("BODY", p.evaluate(
                    "document.activeElement.tagName"))
                self.locate()
                shown = p.evaluate(
                    "[document.documentElement.scrollWidth <= innerWidth,"
                    " canvas.getBoundingClientRect().bottom <= innerHeight,"
                    " document.getElementById('how').innerText]")
                self.assertTrue(shown[0], "no sideways scrolling")
                self.assertEqual(float(int(self.scale * ratio)),
                                 self.scale * ratio)
                if scale:
                    self.assertEqual(scale, self.scale * ratio)
                else:
                    self.assertTrue(shown[1], "the panel whole in view")
                self.assertIn("Tap one to switch it.", shown[2])
                self.assertNotIn("Escape", shown[2])
                # Scrolled, a tap lands where the finger is, and the page
                # stays where it was.
                p.evaluate("scrollTo(0, 80)")
                self.locate()
                p.tap(*self.at(*game.LAMP_MIDDLE["a"]))
                p.wait_for_canvas(game.showing(["a"]), "lamp a, tapped")
                self.assertEqual(80, p.evaluate("scrollY"))
                p.tap(*self.at(29, 85))
                p.wait_for("statusLine.textContent.trim() == %s"
                           % json.dumps(said), said)
                p.wait_for_canvas(game.showing(lit), said)
        # The word typed on the phone's keyboard, which sends no key codes.
        p.tap(*p.evaluate("keyboard.scrollIntoView(), (r => [r.x + 5, r.y + 5])"
                          "(keyboard.getBoundingClientRect())"))
        p.wait_for("document.activeElement.id == 'keys'", "the keyboard")
        # The keyboard up, the window shorter than wide: the panel keeps
        # its scale.
        p.call("Emulation.setDeviceMetricsOverride", session=True, width=844,
               height=300, deviceScaleFactor=3, mobile=True)
        p.wait_for("innerHeight == 300", "the keyboard's room")
        width = self.scale * 320
        self.locate()
        self.assertEqual(width, self.scale * 320)
        p.call("Input.insertText", session=True, text="gnarl")
        p.call("Input.insertText", session=True, text="Wick")
        p.wait_for_canvas(game.overlay_shown, "the overlay")
        self.assertEqual(["", "none", "off"], p.evaluate(
            "[keys.value, keys.autocapitalize, keys.getAttribute("
            "'autocorrect')]"))

    def test_played_in_german_switched_to_french_and_offline(self):
        # As the catalogs word it: the page, the line under the panel and
        # the checker's report; the menu switches every text at once, the
        # panel and the notebook kept; offline, the language chosen shows.
        server = self.open(query="?lang=de")
        p = self.page
        german = ("de", "So wird gespielt", "Eingang A ein. Y dunkel.",
                  "✗ Y: falsch in 16 von 32 Fällen.")
        french = ("fr", "Comment jouer", "Entrée A à 1. Y éteint.",
                  "✗ Y\u00a0: faux dans 16 des 32 cas.")

        def shows(language, how, said, report, chosen=None):
            if chosen:
                p.evaluate("languageMenu.value = '%s'; languageMenu.onchange()"
                           % chosen)
            p.wait_for("document.documentElement.lang == '%s'" % language,
                       language)
            self.assertEqual([how, said], p.evaluate(
                "[document.getElementById('how-heading').textContent,"
                " statusLine.textContent]"))
            p.wait_for("report.innerText.includes(%s)" % json.dumps(report),
                       report)
            p.wait_for_canvas(game.showing(["a"]), "lamp a, as it was")
        p.click(*self.at(*game.LAMP_MIDDLE["a"]))
        p.wait_for("statusLine.textContent", "a sentence")
        p.evaluate("document.getElementById('check').open = true;"
                   "answer.focus()")
        p.call("Input.insertText", session=True, text="y = a")
        self.check()
        shows(*german)
        shows(*french, chosen="fr")
        self.assertIn("1 sur 32", self.text("seen-count"))
        # Polish counts by three forms, as Python's gettext module, reading
        # the same catalog's header, counts.
        p.evaluate("languageMenu.value = 'pl'; languageMenu.onchange()")
        p.wait_for("document.documentElement.lang == 'pl'", "Polish")
        with open(os.path.join(SITE, "pl.mo"), "rb") as mo:
            forms = gettext.GNUTranslations(mo).plural
        counts = [1, 2, 5, 22, 25]
        self.assertEqual([forms(n) for n in counts], p.evaluate(
            "%s.map(n => catalog.plural(n))" % counts))
        shows(*german, chosen="de")
        p.wait_for("!!navigator.serviceWorker.controller", "the worker")
        server.close()
        p.open(server.url)
        p.wait_for("window.Module && Module.calledRun", "the panel offline")
        self.locate()
        p.click(*self.at(*game.LAMP_MIDDLE["a"]))
        self.check()
        shows(*german)

    def test_nothing_the_page_says_escapes_the_catalog(self):
        # A pseudo-language made from the template alone, each line of each
        # message in marks, added to a copy of the built site, never
        # shipped: after a press and a check, every text of the page, shown
        # or not, and every name and hint of its controls, is in marks,
        # but for the panel's names, the game's, the notation's and the
        # answer's, and the languages' own in the menu.
        site = tempfile.mkdtemp(prefix="zelm-site-")
        self.addCleanup(shutil.rmtree, site)
        shutil.copytree(SITE, site, dirs_exist_ok=True)
        po = os.path.join(site, "xx.po")
        subprocess.run(
            "msginit --no-translator -l en -o - -i %s/po/zelm.pot 2>/dev/null "
            "| msgfilter --keep-header sed -e 's/^/⟦/' -e 's/$/⟧/' >%s"
            % (SOURCE_DIR, po), shell=True, check=True)
        subprocess.run([sys.executable, os.path.join(
            SOURCE_DIR, "cmake", "web", "catalogs.py"), "language", po, site,
            tempfile.mkdtemp(dir=site)] + os.environ["ZELM_NOTATION"].split(),
            check=True)
        index = os.path.join(site, "index.html")
        with open(index) as page:
            html = page.read().replace(
                "</select>", '<option value="xx">xx</option></select>')
        with open(index, "w") as page:
            page.write(html)
        self.open(site, query="?lang=xx")
        p = self.page
        p.wait_for("document.documentElement.lang == 'xx'", "the language")
        p.click(*self.at(*game.LAMP_MIDDLE["a"]))
        p.evaluate("document.getElementById('check').open = true;"
                   "answer.value = 'y = a'")
        self.check()
        texts = p.evaluate(
            "(() => { const seen = [], walk = document.createTreeWalker("
            "document.body); while (walk.nextNode()) { const n = walk."
            "currentNode; if (n.nodeType == 3 && !n.parentNode.closest("
            "'script, option')) seen.push(n.data); if (n.nodeType == 1) "
            "seen.push(n.getAttribute('aria-label') || '', "
            "n.getAttribute('placeholder') || ''); } return seen; })()")
        names = {"A", "B", "Q0", "Q1", "Q2", "Y", "CLOCK", "RESET", "Zelmora",
                 "Q2Q1Q0", "AB", "a", "y"}
        text = "\n".join(texts)
        for _ in range(text.count("⟦")):
            text = re.sub("⟦[^⟦⟧]*⟧", "", text)
        self.assertLessEqual(set(re.findall("[A-Za-z][A-Za-z0-9]*", text)),
                             names, text)

    def test_played_offline_and_replaced_when_rebuilt(self):
        site = tempfile.mkdtemp(prefix="zelm-site-")
        self.addCleanup(shutil.rmtree, site)
        shutil.copytree(SITE, site, dirs_exist_ok=True)
        server = self.open(site)
        p = self.page
        p.wait_for("!!navigator.serviceWorker.controller", "the worker")
        first = p.evaluate("caches.keys()")
        def open_checker():
            p.evaluate("document.getElementById('check').open = true")
            p.wait_for("checker && checker.then(m => !!m)", "the checker")
        open_checker()
        # With the server stopped, a reload plays from the worker's cache,
        # the checker too, once opened.
        server.close()
        p.call("Page.reload", session=True)
        p.wait_for("window.Module && Module.calledRun", "the panel offline")
        self.locate()
        p.click(*self.at(*game.LAMP_MIDDLE["a"]))
        p.wait_for_canvas(game.showing(["a"]), "lamp a lit, offline")
        open_checker()
        p.evaluate("answer.value = 'y = 1';"
                   "document.getElementById('run-check').click()")
        p.wait_for("report.textContent.includes('✗ Y')", "a report, offline")
        # The site rebuilt with a change, served again at the address: its
        # new worker replaces the cache, and the next visit sees it.
        index = os.path.join(site, "index.html")
        with open(index) as page:
            html = page.read().replace("<h1>Zelmora", "<h1>Zelmora again")
        with open(index, "w") as page:
            page.write(html)
        subprocess.run(["cmake", "-DSITE=" + site, "-DTEMPLATE=" + os.path.join(
            SOURCE_DIR, "front", "web", "sw.js.in"), "-DESBUILD=esbuild",
            "-P", os.path.join(SOURCE_DIR, "cmake", "web",
                               "ServiceWorker.cmake")], check=True)
        self.addCleanup(browser.Server(site, server.port).close)
        p.call("Page.reload", session=True)
        p.wait_for("caches.keys().then(k => k.length == 1 && k[0] != %s)"
                   % json.dumps(first[0]), "the new cache alone")
        p.call("Page.reload", session=True)
        p.wait_for("document.querySelector('h1')?.textContent == "
                   "'Zelmora again'", "the rebuilt page")

    def test_the_page_plays_whatever_the_browser_refuses(self):
        for row in REFUSALS:
            (preferences, script, missing, stored, does, status, kept, checker,
             stored_under) = row
            with self.subTest(row[:4]):
                server = browser.Server(SITE, missing=missing)
                self.addCleanup(server.close)
                p = self.page = browser.Browser(preferences=preferences)
                self.addCleanup(p.close)
                if stored is not None:
                    script = "localStorage.setItem(%s, %s);%s" % (
                        json.dumps(stored[0]), json.dumps(stored[1]), script)
                p.call("Page.addScriptToEvaluateOnNewDocument", session=True,
                       source=script + RESTORED)
                p.open(server.url)
                p.wait_for("(window.Module && Module.calledRun) || (window."
                           "statusLine && statusLine.textContent)", "a start")
                shown = p.evaluate("[document.getElementById('state').hidden,"
                                   " [...document."
                                   "querySelectorAll('.control')].every("
                                   "b => b.hidden)]")
                if status is None:
                    self.assertEqual([False, False], shown)
                    self.locate()
                    p.click(*self.at(*game.LAMP_MIDDLE["a"]))
                    p.wait_for_canvas(game.showing(["a"]), "lamp a lit")
                else:
                    self.assertIn(status, p.wait_for(
                        "statusLine.textContent", "a sentence"))
                    self.assertEqual([True, True], shown)
                if does == "copy":
                    p.evaluate("document.getElementById('copy-seen').click()")
                    self.assertEqual(["Q2Q1Q0", "Q2Q1Q0"], p.evaluate(
                        "[document.activeElement.value.slice(0, 6), "
                        "getSelection().toString().slice(0, 6)]"))
                    self.assertIn("selected below", self.text("seen-said"))
                if does == "leave and come back":
                    # Once the worker has claimed the page, which drops a
                    # page kept for Back as it does.
                    p.wait_for("!!navigator.serviceWorker.controller", "worker")
                    p.open("about:blank")
                    p.wait_for("location.href == 'about:blank'", "away")
                    back = p.call("Page.getNavigationHistory", session=True)
                    p.call("Page.navigateToHistoryEntry", session=True,
                           entryId=back["entries"][back["currentIndex"] - 1]
                           ["id"])
                    p.wait_for("window.restored", "the page from the cache")
                    p.wait_for_canvas(game.showing(["a"]), "lamp a still lit")
                if checker is not None:
                    p.evaluate("document.getElementById('check').open = true;"
                               "answer.value = 'y = a';"
                               "document.getElementById('run-check').click()")
                    self.assertIn(checker, p.wait_for("report.textContent",
                                                      "the checker"))
                beside = self.text("seen-kept")
                self.assertTrue(kept in beside if kept else not beside, beside)
                text = p.evaluate("document.body.innerText")
                for words in EMSCRIPTEN_WORDS:
                    self.assertNotIn(words, text)
                if stored_under:
                    self.assertEqual(stored[1], p.evaluate(
                        "localStorage.getItem('%s')" % stored_under))
        # Opened as a file, it says it must be served, and never blames
        # the connection.
        p = self.page = browser.Browser()
        self.addCleanup(p.close)
        p.open("file://" + os.path.abspath(os.path.join(SITE, "index.html")))
        self.assertIn("must be served by a web server", p.wait_for(
            "window.statusLine && statusLine.textContent", "a sentence"))

    def test_a_missing_image_shows_its_line(self):
        with tempfile.TemporaryDirectory() as site:
            shutil.copytree(SITE, site, dirs_exist_ok=True)
            loader = os.path.join(site, "zelm.js")
            with open(loader) as source:
                script = source.read()
            packed = '"filename":"/data/y.png"'
            self.assertIn(packed, script)
            with open(loader, "w") as out:
                out.write(script.replace(packed, packed.replace("y.", "x.")))
            self.open(site)
            line = self.page.wait_for(
                "document.getElementById('status').textContent", "a line")
            self.assertEqual("The panel could not start: Couldn't open "
                             "data/y.png. Try another browser, or tell whoever "
                             "keeps this site.", line)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
