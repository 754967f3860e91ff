"""measure.py: what zelm costs, beside a plain C floor doing the same work.

Usage: measure.py BUILD_DIR SOURCE_DIR WEB_BUILD_DIR.  In a private Xvfb
it runs the Google Benchmark binary (the core operations and one Draw,
each paired with its C floor), then starts the real zelm and the floor
program (bench/floor_*.c) in turn and measures each the same way: the
time from start to a shown window, the CPU per handled click over a
burst, the CPU spent idle, and the peak resident memory.  Last, it counts the
instructions of one start-up and shutdown under callgrind (SDL's dummy
driver), beside the same count less the image file check that start-up
added.  Then the page in headless Chromium beside the floor page (the
floor program built the same way, with a 10 ms polling wait, on a page of
nothing but its canvas): the bytes the server sends for a first visit, a
second one and the answer checker's section, the time from navigation to
the first frame (the floor's follows a first click), and the page's own
task time over 5 idle seconds; and the first visit's bytes again as a
server that compresses every file with gzip -9 sends them.  Prints one
table with the ratios; the goal is every ratio at most 1.05, and 1.02 for
start-up.
"""
import gzip
import json
import os
import re
import statistics
import subprocess
import sys
import threading
import time

BUILD, SOURCE, WEB = sys.argv[1], sys.argv[2], sys.argv[3]
import browser
import xpanel

STARTS = 7          # runs of each program for the start-up time
CLICKS = 2000       # clicks in the burst
IDLE_SECONDS = 3.0
CLOCK = (128, 20)   # the burst presses the clock button


def cpu_ns(pid):
    """CPU time the process has used, in nanoseconds."""
    with open("/proc/%d/schedstat" % pid) as stat:
        return int(stat.read().split()[0])


def peak_rss_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def wait_until_idle(pid, idle_rate, quiet=0.3):
    """Waits until the process uses no more CPU than idle_rate (ns a
    second) plus a millisecond over `quiet` seconds; returns its CPU ns."""
    last = cpu_ns(pid)
    while True:
        time.sleep(quiet)
        now = cpu_ns(pid)
        if now - last <= idle_rate * quiet + 1e6:
            return now
        last = now


def start_time(session, command):
    """Seconds from starting the program to its window being shown."""
    begin = time.monotonic()
    session.run(SOURCE, command)
    while not session.xdotool("search", "--onlyvisible", "--name",
                              xpanel.CAPTION_PATTERN).stdout.strip():
        time.sleep(0.002)
    shown = time.monotonic() - begin
    session.find_window()
    session.point(300, 40)
    session.key("Escape")
    session.finish()
    return shown


def running_costs(session, command):
    """(CPU ms per click, idle CPU ms per second, peak RSS KiB)."""
    session.run(SOURCE, command)
    session.find_window()
    session.wait_for(xpanel.panel_drawn, "the first frame")
    pid = session.program.pid
    session.point(*CLOCK)
    time.sleep(0.5)
    # Idle first: SDL's event wait wakes up on its own, and the burst's
    # figure leaves that out.
    idle_from, begin = cpu_ns(pid), time.monotonic()
    time.sleep(IDLE_SECONDS)
    idle_rate = (cpu_ns(pid) - idle_from) / (time.monotonic() - begin)
    before, begin = cpu_ns(pid), time.monotonic()
    session.xdotool("click", "--repeat", CLICKS, "--delay", 1, 1)
    after = wait_until_idle(pid, idle_rate)
    spent = after - before - idle_rate * (time.monotonic() - begin)
    per_click = spent / CLICKS / 1e6
    idle = idle_rate / 1e6
    peak = peak_rss_kib(pid)
    session.key("Escape")
    session.finish()
    return per_click, idle, peak


def bench_figures(session):
    """{name: median ns} from the Google Benchmark binary."""
    out = subprocess.run(
        [os.path.join(BUILD, "zelm_bench"), "--benchmark_format=json",
         "--benchmark_repetitions=5",
         "--benchmark_report_aggregates_only=true"],
        env=session.env, check=True, capture_output=True, text=True).stdout
    return {b["run_name"]: b["real_time"] for b in json.loads(out)["benchmarks"]
            if b.get("aggregate_name") == "median"}


def startup_instructions():
    """(instructions of Init and Destroy, those of the image file check)."""
    out = os.path.join(BUILD, "startup.callgrind")
    subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" +
                    out, os.path.join(BUILD, "zelm_startup")], cwd=SOURCE,
                   env=dict(os.environ, SDL_VIDEODRIVER="dummy"), check=True,
                   capture_output=True)
    report = subprocess.run(["callgrind_annotate", "--inclusive=yes", out],
                            check=True, capture_output=True, text=True).stdout
    os.remove(out)

    def count(pattern):
        line = next(l for l in report.splitlines() if re.search(pattern, l))
        return int(line.split()[0].replace(",", ""))
    return count(r"PROGRAM TOTALS"), count(r"=> .*ImageFileFault")


IDLE_PAGE_SECONDS = 5
PAGE_RUNS = 3        # medians of this many visits
SETTLE_SECONDS = 1.5  # for what a page fetches after its program runs


class CountingServer(browser.Server):
    """The test's server, counting the bytes it sends, headers and all, and
    what a server that compresses every file it sends with gzip -9 would
    send in their place."""

    class Handler(browser.Server.Handler):
        def setup(self):
            super().setup()
            self.wfile = Counted(self.wfile, self.server)

        def send_head(self):
            body = super().send_head()
            if body is not None:
                data = body.read()
                body.seek(0)
                with self.server.lock:
                    self.server.saved += len(data) - len(
                        gzip.compress(data, 9, mtime=0))
            return body

    def __init__(self, folder):
        super().__init__(folder)
        self.httpd.sent = 0
        self.httpd.saved = 0
        self.httpd.lock = threading.Lock()

    @property
    def sent(self):
        return self.httpd.sent

    @property
    def compressed(self):
        return self.httpd.sent - self.httpd.saved


class Counted:
    """A stream that adds what is written to its server's count."""

    def __init__(self, stream, server):
        self.stream, self.server = stream, server

    def write(self, data):
        with self.server.lock:
            self.server.sent += len(data)
        return self.stream.write(data)

    def __getattr__(self, name):
        return getattr(self.stream, name)


def page_bytes(site):
    """Bytes the site's server sends, headers and all: (a first visit, the
    same compressed, a second visit in the same browser, the answer
    checker's section first opened), the last 0 where the site has
    none."""
    server, page = CountingServer(site), browser.Browser()
    try:
        sent = []
        for _ in range(2):
            before = server.sent
            page.open(server.url)
            page.wait_for("window.Module && Module.calledRun", "the program")
            time.sleep(SETTLE_SECONDS)
            sent.append(server.sent - before)
            if len(sent) == 1:
                sent.append(server.compressed)
        before = server.sent
        if page.evaluate("!!document.getElementById('check')"):
            page.evaluate("document.querySelector('#check summary').click()")
            page.wait_for("typeof createZelmCheck == 'function'", "checker")
            time.sleep(SETTLE_SECONDS)
        return sent[0], sent[1], sent[2], server.sent - before
    finally:
        page.close()
        server.close()


def page_times(site):
    """(ms from navigation to the first frame, the page's task ms over
    IDLE_PAGE_SECONDS idle seconds)."""
    server, page = browser.Server(site), browser.Browser()
    try:
        page.call("Performance.enable", session=True)
        begin = time.monotonic()
        page.open(server.url)
        page.wait_for("window.Module && Module.calledRun", "the program")
        x, y = page.evaluate(
            "(r => [r.left + 10, r.top + 10])(document"
            ".getElementById('canvas').getBoundingClientRect())")
        page.click(x, y)
        page.wait_for("document.getElementById('canvas').getContext('2d')"
                      ".getImageData(160, 120, 1, 1).data[0] < 200",
                      "the first frame")
        shown = (time.monotonic() - begin) * 1e3

        def task_ms():
            metrics = page.call("Performance.getMetrics", session=True)
            return 1e3 * next(m["value"] for m in metrics["metrics"]
                              if m["name"] == "TaskDuration")
        time.sleep(1)  # the press's own events settle first
        idle_from = task_ms()
        time.sleep(IDLE_PAGE_SECONDS)
        return shown, task_ms() - idle_from
    finally:
        page.close()
        server.close()


def row(name, ours, floor, unit, digits):
    ratio = ours / floor if floor else float("nan")
    print("| %-34s | %12.*f | %12.*f | %-8s | %5.2f |" %
          (name, digits, ours, digits, floor, unit, ratio))


def main():
    zelm = [os.path.join(BUILD, "zelm")]
    floor = [os.path.join(BUILD, "zelm_floor_panel")]
    session = xpanel.Session()
    try:
        figures = bench_figures(session)
        starts = {name: statistics.median(start_time(session, command)
                                          for _ in range(STARTS))
                  for name, command in (("zelm", zelm), ("floor", floor))}
        running = {name: running_costs(session, command)
                   for name, command in (("zelm", zelm), ("floor", floor))}
    finally:
        session.close()

    print("| %-34s | %12s | %12s | %-8s | %5s |" %
          ("figure", "zelm", "C floor", "unit", "ratio"))
    print("|%s|%s|%s|%s|%s|" % ("-" * 36, "-" * 14, "-" * 14, "-" * 10,
                                "-" * 7))
    for name in ("ClockStep", "UpdateOutput", "CheckCheatKey", "Draw"):
        row(name, figures["BM_" + name], figures["BM_Floor" + name], "ns", 1)
    row("start to shown window", starts["zelm"] * 1e3,
        starts["floor"] * 1e3, "ms", 1)
    row("CPU per handled click", running["zelm"][0], running["floor"][0],
        "ms", 3)
    row("CPU while idle", running["zelm"][1], running["floor"][1],
        "ms/s", 3)
    row("peak resident memory", running["zelm"][2], running["floor"][2],
        "KiB", 0)
    pages = {}
    for name, site in (("zelm", os.path.join(WEB, "site")),
                       ("floor", os.path.join(WEB, "bench", "site"))):
        times = [page_times(site) for _ in range(PAGE_RUNS)]
        pages[name] = (page_bytes(site),
                       [statistics.median(t) for t in zip(*times)])
    total, check = startup_instructions()
    row("start-up instr. (floor: unchecked)", total, total - check,
        "instr", 0)
    names = ("first visit, bytes sent", "first visit, gzip -9",
             "second visit, bytes sent", "checker opened, bytes sent")
    for i, name in enumerate(names):
        row("page: " + name, pages["zelm"][0][i], pages["floor"][0][i],
            "bytes", 0)
    row("page: navigation to first frame", pages["zelm"][1][0],
        pages["floor"][1][0], "ms", 1)
    row("page: task time, %d s idle" % IDLE_PAGE_SECONDS, pages["zelm"][1][1],
        pages["floor"][1][1], "ms", 2)


if __name__ == "__main__":
    main()
