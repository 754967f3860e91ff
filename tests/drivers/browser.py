"""browser.py: a folder served on 127.0.0.1 and Debian's Chromium, headless,
driven over the DevTools protocol, for the page's tests and benchmarks.

Chromium speaks the protocol on two pipes (--remote-debugging-pipe: it
reads commands on its fd 3 and writes answers and events on its fd 4,
each message JSON ended by a NUL), so Python's standard library is all it
takes.  Every wait polls until what is expected holds or a deadline
passes.
"""
import base64
import fcntl
import functools
import http.server
import json
import os
import shutil
import subprocess
import tempfile
import threading
import time

from pictures import Image, read_png

CHROMIUM = "/usr/bin/chromium"
# axe-core, the accessibility engine, kept in the tests (tests/axe/).
AXE = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(
    __file__))), "axe", "axe.min.js")
DEADLINE = 30.0  # seconds


def _until(fetch, what):
    """Calls fetch until it returns something truthy, which it returns."""
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        value = fetch()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError("the page never showed %s" % what)


class Server:
    """A static file server for folder on 127.0.0.1, on a free port unless
    given one, answering with Handler; the files named missing are not
    found, as on a host that left them out."""

    class Handler(http.server.SimpleHTTPRequestHandler):
        missing = ()

        def log_message(self, *args):
            pass

        def send_head(self):
            if os.path.basename(self.path.split("?")[0]) in self.missing:
                self.send_error(404)
                return None
            return super().send_head()

    def __init__(self, folder, port=0, missing=()):
        handler = functools.partial(
            type("Handler", (self.Handler,), {"missing": missing}),
            directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", port),
                                                     handler)
        self.port = self.httpd.server_address[1]
        self.url = "http://127.0.0.1:%d/" % self.port
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Browser:
    """One headless Chromium with a page, or more, of the given window
    size, its profile's preferences as given (such as sites' cookies
    refused)."""

    def __init__(self, width=1000, height=800, preferences=None):
        self.profile = tempfile.mkdtemp(prefix="zelm-chromium-")
        if preferences:
            os.mkdir(os.path.join(self.profile, "Default"))
            with open(os.path.join(self.profile, "Default", "Preferences"),
                      "w") as written:
                json.dump(preferences, written)
        to_chromium, self._out = os.pipe()
        self._in, from_chromium = os.pipe()

        # In the child, above any number dup2 could clobber, then at 3, 4;
        # subprocess closes every other descriptor after this runs.
        def pipes_at_3_and_4():
            high = [fcntl.fcntl(fd, fcntl.F_DUPFD, 10)
                    for fd in (to_chromium, from_chromium)]
            os.dup2(high[0], 3)
            os.dup2(high[1], 4)
        self.process = subprocess.Popen(
            [CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu",
             "--disable-quic", "--no-first-run",
             "--disable-background-networking", "--disable-component-update",
             "--disable-sync", "--remote-debugging-pipe",
             "--window-size=%d,%d" % (width, height),
             "--user-data-dir=" + self.profile, "about:blank"],
            preexec_fn=pipes_at_3_and_4, pass_fds=(3, 4),
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(to_chromium)
        os.close(from_chromium)
        self._buffer = b""
        self._next_id = 0
        self.events = []
        self.new_tab()

    def new_tab(self):
        """Opens another page in the same browser, in front, and makes it
        the one commands go to (self.session); returns its session."""
        target = self.call("Target.createTarget", url="about:blank")
        self.session = self.call("Target.attachToTarget", flatten=True,
                                 targetId=target["targetId"])["sessionId"]
        self.call("Runtime.enable", session=True)
        self.call("Page.enable", session=True)
        return self.session

    def close(self):
        self.process.kill()
        self.process.wait()
        os.close(self._in)
        os.close(self._out)
        shutil.rmtree(self.profile, ignore_errors=True)

    def call(self, method, session=False, **params):
        """Sends a command (to the page when session) and returns its
        result; events that arrive meanwhile are kept in self.events."""
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = self.session
        os.write(self._out, json.dumps(message).encode() + b"\0")
        while True:
            answer = self._read()
            if answer.get("id") == self._next_id:
                if "error" in answer:
                    raise RuntimeError("%s: %s" % (method, answer["error"]))
                return answer["result"]
            self.events.append(answer)

    def _read(self):
        while b"\0" not in self._buffer:
            chunk = os.read(self._in, 1 << 16)
            if not chunk:
                raise RuntimeError("Chromium closed its pipe")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        return json.loads(message)

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page (awaited)."""
        result = self.call("Runtime.evaluate", session=True,
                           expression=expression, awaitPromise=True,
                           returnByValue=True)
        if "exceptionDetails" in result:
            raise RuntimeError(result["exceptionDetails"])
        return result["result"].get("value")

    def open(self, url):
        self.call("Page.navigate", session=True, url=url)

    def resize(self, width, height):
        """Makes the window that size, as a player drags it, once the
        page has seen it."""
        window = self.call("Browser.getWindowForTarget", session=True)
        self.call("Browser.setWindowBounds", windowId=window["windowId"],
                  bounds={"width": width, "height": height})
        self.wait_for("innerWidth == %d && outerHeight == %d && new Promise("
                      "done => requestAnimationFrame(() => done(true)))"
                      % (width, height), "the window %dx%d" % (width, height))

    def wait_for(self, expression, what):
        """Polls until the expression is truthy in the page; returns it."""
        return _until(lambda: self.evaluate(expression), what)

    def wait_for_canvas(self, check, what):
        """Polls until check(the canvas as an RGB Image) holds; returns
        that Image."""
        def shows():
            width, height, rgba = self.canvas_rgba()
            rgb = bytearray(rgba)
            del rgb[3::4]
            image = Image(width, height, bytes(rgb))
            return image if check(image) else None
        return _until(shows, what)

    def canvas_rgba(self, selector="canvas"):
        """The canvas's own pixels: (width, height, RGBA bytes)."""
        width, height, data = self.evaluate(
            "(() => { const c = document.querySelector('%s');"
            " const d = c.getContext('2d').getImageData(0, 0, c.width,"
            " c.height).data; let s = '';"
            " for (let i = 0; i < d.length; i += 8192)"
            "  s += String.fromCharCode.apply(null, d.subarray(i, i + 8192));"
            " return [c.width, c.height, btoa(s)]; })()" % selector)
        return width, height, base64.b64decode(data)

    def click(self, x, y, button="left"):
        """Presses and releases a mouse button at page point (x, y)."""
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", session=True, type=kind,
                      x=x, y=y, button=button, clickCount=1)

    def tap(self, x, y):
        """Touches the screen at page point (x, y) and lifts."""
        self.call("Input.dispatchTouchEvent", session=True, type="touchStart",
                  touchPoints=[{"x": x, "y": y}])
        self.call("Input.dispatchTouchEvent", session=True, type="touchEnd",
                  touchPoints=[])

    # Keys that are no letters: (key, code, virtual key code, text).
    KEYS = {"Escape": ("Escape", "Escape", 27, ""),
            "Tab": ("Tab", "Tab", 9, ""),
            "Enter": ("Enter", "Enter", 13, "\r"),
            "Space": (" ", "Space", 32, " ")}

    def key(self, *names):
        """Types keys: single letters, or the KEYS above, "Shift+" before
        any of them holding Shift."""
        for name in names:
            shift = name.startswith("Shift+")
            name = name[len("Shift+"):] if shift else name
            key, code, number, text = self.KEYS[name] if name in self.KEYS \
                else (name, "Key" + name.upper(), ord(name.upper()), name)
            for kind in ("keyDown", "keyUp"):
                self.call("Input.dispatchKeyEvent", session=True, type=kind,
                          key=key, code=code, windowsVirtualKeyCode=number,
                          nativeVirtualKeyCode=number, modifiers=8 * shift,
                          text=text if kind == "keyDown" else "")

    def screenshot(self, left, top, width, height):
        """The page's pixels in that rectangle, as an RGB Image."""
        shot = self.call("Page.captureScreenshot", session=True, clip={
            "x": left, "y": top, "width": width, "height": height,
            "scale": 1})
        with tempfile.NamedTemporaryFile(suffix=".png") as png:
            png.write(base64.b64decode(shot["data"]))
            png.flush()
            return read_png(png.name)

    def buttons(self):
        """{name: pressed state or None} of every button in Chromium's
        accessibility tree, in the tree's order."""
        found = {}
        for node in self.call("Accessibility.getFullAXTree",
                              session=True)["nodes"]:
            if node.get("ignored") or node["role"]["value"] != "button":
                continue
            pressed = [p["value"]["value"] for p in node.get("properties", [])
                       if p["name"] == "pressed"]
            found[node["name"]["value"]] = pressed[0] if pressed else None
        return found

    def axe_violations(self):
        """What axe-core finds against WCAG 2.0 and 2.1, A and AA, as
        (rule, elements) pairs."""
        with open(AXE) as source:
            self.evaluate(source.read() + ";0")
        return self.evaluate(
            "axe.run(document, {runOnly: {type: 'tag', values: ['wcag2a', "
            "'wcag2aa', 'wcag21a', 'wcag21aa']}}).then(r => r.violations"
            ".map(v => [v.id, v.nodes.map(n => n.target.join(' '))]))")
