"""web_test.py: the browser build, played in headless Chromium as a player
plays it, its canvas read back.

Usage: web_test.py SITE.  Serves the built folder on 127.0.0.1 and drives
Debian's Chromium over the DevTools protocol (browser.py).  Exits 77,
saying why, when the site is not built or Chromium is missing.
"""
import json
import os
import shutil
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [HERE, os.path.dirname(HERE)]
import browser  # noqa: E402
import game  # noqa: E402

SITE = sys.argv[1]
if not os.path.exists(os.path.join(SITE, "zelm.wasm")):
    print("skipped: %s holds no page (make web)" % SITE)
    sys.exit(77)
if not os.path.exists(browser.CHROMIUM):
    print("skipped: %s is missing" % browser.CHROMIUM)
    sys.exit(77)

# The circuit's equations, typed as a player might.
RIGHT = ("jq0 = a'q1' + q2\nkq0 = q1 + b'\n"
         "jq1 = b q2 + a q2 + a q0 + a'b'q0'q1'q2'\nkq1 = a + b + q0'\n"
         "jq2 = a q1 + b'q0'q1\nkq2 = 1\n"
         "y = q2 + a q0 q1' + a'b'q0 q1 + a'b'q0'q1'\n")

# Counts the timers, intervals and animation frames the page asks for, and
# whether the panel's right, middle and wheel presses were kept from the
# page: installed before any script of the page runs.
WATCH = """
window.scheduled = 0;
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


class PageTest(unittest.TestCase):

    def open(self, site=SITE):
        server = browser.Server(site)
        self.addCleanup(server.close)
        self.page = browser.Browser()
        self.addCleanup(self.page.close)
        self.page.call("Page.addScriptToEvaluateOnNewDocument", session=True,
                       source=WATCH)
        self.page.open(server.url)
        self.page.wait_for("window.Module && Module.calledRun", "the program")
        self.locate()

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
        self.assertEqual(("click to start", ""),
                         (self.text("hint"), self.text("status")))
        # No frame before the first event: nothing drawn in the middle.
        self.assertEqual(0, p.canvas_rgba()[2][4 * (120 * 320 + 160) + 3])
        # The keyboard reaches the panel before any click.
        p.key(*"gnarlwick")
        p.wait_for_canvas(game.overlay_shown, "the overlay")
        p.key("g", *"narlwick")
        p.wait_for_canvas(game.overlay_hidden, "the panel again")
        self.assertEqual("", self.text("hint"))
        for what, (x, y), button, expected in game.STEPS:
            with self.subTest(step=what):
                p.click(*self.at(x, y), {1: "left", 3: "right"}[button])
                p.wait_for_canvas(game.showing(expected), what)
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
        p.key("Escape")
        p.wait_for("document.getElementById('status').textContent",
                   "the closing line")
        self.assertEqual("The panel is closed.Start again",
                         self.text("status"))

    def test_the_answer_checker_beside_a_panel_that_keeps_its_keys(self):
        self.open()
        p = self.page
        fetched = "performance.getEntriesByType('resource').map(e => e.name)"
        self.assertNotIn("zelm-check", ",".join(p.evaluate(fetched)))
        p.evaluate("document.querySelector('#check summary').click()")
        for answer, says in (
                (RIGHT, "\nSolved: all four parts are right."),
                (RIGHT.replace(" + a'b'q0'q1'\n", "\n"),
                 "\n✗ Y: wrong in 1 of the 32 cases.")):
            p.evaluate("report.textContent = ''; answer.value = %s;"
                       "document.getElementById('run-check').click()"
                       % json.dumps(answer))
            self.assertIn(says, p.wait_for("report.textContent", says))
        # In colour: three parts and 31 cases right.
        self.assertEqual(3 + 31, p.evaluate(
            "report.querySelectorAll('.right').length"))
        # What is typed into the box stays there, Escape too.
        p.evaluate("answer.value = ''; answer.focus(); canvas.scrollIntoView()")
        self.locate()  # the report has grown the page
        p.key(*"gnarlwick", "Escape")
        self.assertEqual("gnarlwick", p.evaluate("answer.value"))
        p.click(*self.at(*game.LAMP_MIDDLE["a"]))
        p.wait_for_canvas(lambda shot: game.lit_lamps(shot) == {"a"} and
                          game.overlay_hidden(shot), "lamp a, no overlay")
        self.assertEqual("", self.text("status"))
        # A press on the panel gives it the keyboard again.
        p.key(*"gnarlwick")
        p.wait_for_canvas(game.overlay_shown, "the overlay")

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
            self.assertEqual("Couldn't open data/y.png", line)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
