#!/usr/bin/env python3
"""Runs the real kiosk (embedded browser) under an X server with a session bus and checks
what an operator would see: feedback files from the demo's feedback page, the idle
cover switched by a marker file, pages sent by other programs, a listed program run from
a command URL, and a visitor's cookie forgotten when the kiosk returns to its start page.

usage: attract_test.py TARNWICK DEMO_PAGES   (DISPLAY and DBUS_SESSION_BUS_ADDRESS set)
"""
import contextlib
import http.server
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from kiosk_driver import KioskProcess, Results, black_share, xdotool

TARNWICK = sys.argv[1]
DEMO_PAGES = sys.argv[2]
results = Results()
check = results.check


class Kiosk(KioskProcess):
    """One kiosk process on its own program folder with a copy of the demo pages."""

    def __init__(self, start_page, settings="", base=None, markers=()):
        super().__init__(TARNWICK, results, "tarnwick-attract-")
        for name in markers:  # marker files there before the kiosk starts
            open(os.path.join(self.dir, name), "w").close()
        self.pages = os.path.join(self.dir, "pages")
        shutil.copytree(DEMO_PAGES, self.pages)
        with open(os.path.join(self.pages, "cookie.htm"), "w") as f:
            # Reports the cookie it finds through a feedback command, then sets one.
            f.write("<!DOCTYPE html><html><body>cookie<script>"
                    "var seen = document.cookie || 'none';"
                    "document.cookie = 'visitor=ann; max-age=3600';"
                    "location.href = 'tw-command:FEEDBACK?seen=' + seen;"
                    "</script></body></html>")
        self.base = base or "file://" + self.pages
        with open(os.path.join(self.dir, "Tarnwick.ini"), "w") as ini:
            ini.write("[PREFERENCES]\nScreenMode=1\n%s\n[BROWSER]\nBrowser=1\n[URLS]\nStart=%s/%s\n"
                      % (settings, self.base, start_page))
        self.start()

    def feedback(self):
        """Contents of the feedback files, oldest first."""
        folder = os.path.join(self.dir, "feedback")
        if not os.path.isdir(folder):
            return []
        files = [os.path.join(folder, n) for n in os.listdir(folder) if n.endswith(".txt")]
        files.sort(key=lambda p: os.stat(p).st_mtime_ns)
        out = []
        for p in files:
            with open(p) as f:
                out.append(f.read())
        return out


def test_demo_feedback_page():
    k = Kiosk("feedback.htm", "Debug=1")
    check(k.wait_for_line("Page Loaded - file://%s/feedback.htm" % k.pages), "feedback page not loaded")
    time.sleep(0.5)
    # Into the page, to its first field, a name, and Enter sends the form.
    xdotool("mousemove", "400", "100")
    xdotool("click", "1")
    xdotool("key", "Tab")
    xdotool("type", "Ann")
    xdotool("key", "Return")
    check(k.wait_for(lambda: k.feedback() != [], 15), "no feedback file written")
    got = k.feedback()
    check(len(got) == 1 and got[0].startswith("name=Ann\nrating=5") and "comments=" in got[0],
          "feedback file: %r" % got)
    check(not any("Command - FEEDBACK" in line for line in k.log()), "feedback asked for a password")
    k.stop()


def test_idle_marker_file_and_pokes():
    k = Kiosk("start.htm", "[PROGRAMS]\nProgram0=/usr/bin/touch")
    check(k.wait_for_line("Page Loaded - file://%s/start.htm" % k.pages), "start page not loaded")
    time.sleep(0.5)
    toolbar = (0, 560, 800, 30)  # the tool bar's strip at the bottom of the frame
    check(screen_colours(*toolbar) > 2, "tool bar not on the screen")
    marker = os.path.join(k.dir, "idle.txt")
    open(marker, "w").close()
    check(k.wait_for_line("Idle mode On", 2), "idle.txt did not switch idle mode on")
    time.sleep(0.3)
    check(screen_colours(*toolbar) == 1, "the idle cover does not cover the frame")
    os.remove(marker)
    check(k.wait_for_line("Idle mode Off", 2), "removing idle.txt did not switch idle mode off")
    time.sleep(0.3)
    check(screen_colours(*toolbar) > 2, "the frame did not come back after idle mode")

    target = "file://%s/news.htm" % k.pages
    r = k.poke("TW_SendURL", target)
    check(r.returncode == 0, "poke failed: %s" % r.stderr)
    check(k.wait_for_line("DDE SendURL Received - " + target), "TW_SendURL not received")
    check(k.wait_for_line("Page Loaded - " + target), "poked page not loaded")
    for topic, line in [("TW_ActiveOn", "Active mode On"), ("TW_ActiveOff", "Active mode Off")]:
        check(k.poke(topic).returncode == 0, topic + " poke failed")
        check(k.wait_for_line(line, 5), topic + " had no effect")

    # A listed program started by a command URL: run, bracketed by idle mode.
    made = os.path.join(k.dir, "ran.txt")
    check(k.poke("TW_SendURL", "tw-command:EXECUTE?1#" + made).returncode == 0, "execute poke failed")
    check(k.wait_for(lambda: os.path.exists(made), 10), "listed program did not run")
    check(k.wait_for_line("Program Terminated - /usr/bin/touch " + made, 10), "program end not logged")
    log = k.log()
    want = ["Started Program - /usr/bin/touch " + made, "Idle mode On", "Idle mode Off",
            "Program Terminated - /usr/bin/touch " + made]
    at = [next((i for i, line in enumerate(log) if line == w and i > 0), None) for w in want]
    last = [max((i for i, line in enumerate(log) if line == w), default=None) for w in want]
    check(None not in last and last == sorted(last), "launcher lines out of order: %s" % log[-8:])
    k.stop()


class Pages(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


@contextlib.contextmanager
def cookie_site():
    """A web site on loopback whose cookie.htm reports the cookie it finds (through a
    feedback command), then sets one; yields its address."""
    folder = tempfile.mkdtemp(prefix="tarnwick-site-")
    with open(os.path.join(folder, "cookie.htm"), "w") as f:
        f.write("<!DOCTYPE html><html><body>cookie<script>"
                "var seen = document.cookie || 'none';"
                "document.cookie = 'visitor=ann; max-age=3600';"
                "location.href = 'tw-command:FEEDBACK?seen=' + seen;"
                "</script></body></html>")
    handler = lambda *a, **kw: Pages(*a, directory=folder, **kw)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        yield "http://127.0.0.1:%d" % server.server_address[1]
    finally:
        server.shutdown()
        server.server_close()
        shutil.rmtree(folder, ignore_errors=True)


def test_cookie_forgotten_after_idle_return():
    with cookie_site() as base:
        k = Kiosk("cookie.htm", "[ATTRACT]\nTimeStart=10", base=base)
        check(k.wait_for(lambda: len(k.feedback()) >= 1, 20), "cookie page gave no report")
        # The same visitor sees the cookie on the next visit to the page.
        k.poke("TW_SendURL", base + "/cookie.htm")
        check(k.wait_for(lambda: len(k.feedback()) >= 2, 10), "second visit gave no report")
        check(k.wait_for_line("Visitor Session Cleared", 20), "no session end at the start page time")
        check(k.wait_for(lambda: len(k.feedback()) >= 3, 10), "start page after idle time gave no report")
        check(k.feedback()[:3] == ["seen=none\n", "seen=visitor=ann\n", "seen=none\n"],
              "cookies seen: %r" % k.feedback())
        log = k.log()
        cleared = max(i for i, line in enumerate(log) if line == "Visitor Session Cleared")
        check(log[cleared + 1].startswith("Timed Start Activation - "), "session not cleared before the start page")
        k.stop()


def test_idle_warning_touch_keeps_the_session():
    with cookie_site() as base:
        k = Kiosk("cookie.htm", "[ATTRACT]\nTimeStart=8\nIdleWarningSeconds=4\n[BUTTONS]\nHighContrastOn=1", base=base)
        check(k.wait_for(lambda: len(k.feedback()) >= 1, 20), "cookie page gave no report")
        # Nobody there: the idle return comes without a warning.
        check(k.wait_for_line("Visitor Session Cleared", 20), "no idle return")
        check(k.wait_for(lambda: len(k.feedback()) >= 2, 10), "start page after idle time gave no report")
        # A visitor moves the pointer, then leaves it: the warning covers the frame.
        xdotool("mousemove", "300", "200")
        time.sleep(1.2)
        xdotool("mousemove", "320", "230")
        mark = len(k.log())
        check(k.wait_for_line("Idle Warning Shown", 15, mark), "no idle warning before the idle return")
        time.sleep(0.3)
        toolbar = (0, 560, 800, 30)
        check(screen_colours(*toolbar) == 1, "the idle warning does not cover the frame")
        check("Visitor Session Cleared" not in k.log()[mark:], "session cleared before the warning")
        # A touch where the pointer already is answers it; the visitor's cookie is kept.
        xdotool("click", "1")
        check(k.wait_for_line("Idle Warning Answered", 3, mark), "a touch did not answer the idle warning")
        k.poke("TW_SendURL", base + "/cookie.htm")
        check(k.wait_for(lambda: len(k.feedback()) >= 3, 10), "second visit gave no report")
        time.sleep(0.3)
        check(screen_colours(*toolbar) > 2, "the frame did not come back after the answer")
        # The visitor's high contrast (the tool bar's first slot) goes with the session.
        page = (60, 200, 300, 150)
        xdotool("mousemove", "70", "571")
        xdotool("click", "1")
        check(k.wait_for_line("High Contrast On", 3, mark), "High Contrast was not pressed")
        time.sleep(0.8)
        check(black_share(*page) > 0.9, "the page is not in high contrast: %s" % black_share(*page))
        # No answer: the warning comes again, and the session goes at the idle time.
        check(k.wait_for_line("Visitor Session Cleared", 20, mark), "no idle return after an unanswered warning")
        check(k.wait_for(lambda: len(k.feedback()) >= 4, 10), "start page after idle time gave no report")
        time.sleep(0.8)
        check(black_share(*page) < 0.2, "high contrast outlived the session: %s" % black_share(*page))
        check(k.feedback()[:4] == ["seen=none\n", "seen=none\n", "seen=visitor=ann\n", "seen=none\n"],
              "cookies seen: %r" % k.feedback())
        lines = [line for line in k.log()[mark:]
                 if line.startswith("Idle Warning") or line == "Visitor Session Cleared"]
        check(lines == ["Idle Warning Shown", "Idle Warning Answered", "Idle Warning Shown",
                        "Visitor Session Cleared"], "idle warning lines: %s" % lines)
        k.stop()


def screen_colours(x, y, w, h):
    """Number of distinct colours in a region of the screen."""
    r = subprocess.run(["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage",
                        "-format", "%k", "info:"], capture_output=True, text=True, timeout=30)
    try:
        return int(r.stdout.strip() or 0)
    except ValueError:
        return 0


def test_marker_files_and_passes_on_demand():
    """What a loop woken by events (and not by a pass every few milliseconds) can miss."""
    # A marker file made before the start reports no change: the first pass finds it.
    k = Kiosk("start.htm", markers=["idle.txt"])
    check(k.wait_for_line("Idle mode On", 15), "idle.txt made before the start did not switch idle mode on")
    os.remove(os.path.join(k.dir, "idle.txt"))
    check(k.wait_for_line("Idle mode Off", 2), "removing idle.txt did not switch idle mode off")
    check(k.wait_for_line("Page Loaded - file://%s/start.htm" % k.pages), "start page not loaded")
    # Made and removed before a pass could look: the mode is left as the folder is, and
    # the folder is still watched afterwards.
    mark = len(k.log())
    active = os.path.join(k.dir, "active.txt")
    for _ in range(20):
        open(active, "w").close()
        os.remove(active)
    time.sleep(1)
    lines = k.log()[mark:]
    check(lines.count("Active mode On") == lines.count("Active mode Off"),
          "active mode left on by a marker file that is gone: %s" % lines)
    mark = len(k.log())
    open(active, "w").close()
    check(k.wait_for_line("Active mode On", 2, mark), "active.txt made later went unnoticed")
    os.remove(active)
    check(k.wait_for_line("Active mode Off", 2, mark), "removing active.txt went unnoticed")
    # A URL queued from inside a pass: the queued command presses Start, which queues the
    # start page while the pass runs; that page is still loaded.
    target = "file://%s/news.htm" % k.pages
    check(k.poke("TW_SendURL", target).returncode == 0, "poke failed")
    check(k.wait_for_line("Page Loaded - " + target), "poked page not loaded")
    mark = len(k.log())
    check(k.poke("TW_SendURL", "tw-command:START?").returncode == 0, "command poke failed")
    check(k.wait_for_line("Command - START", 10, mark), "queued command not carried out")
    check(k.wait_for_line("Page Loaded - file://%s/start.htm" % k.pages, 10, mark),
          "start page queued from inside a pass not loaded")
    k.stop()


def test_attract_video():
    clip = os.path.join(tempfile.mkdtemp(prefix="tarnwick-clip-"), "clip.avi")
    made = subprocess.run(["gst-launch-1.0", "-q", "videotestsrc", "num-buffers=40", "pattern=smpte", "!",
                           "video/x-raw,width=320,height=240,framerate=10/1", "!", "jpegenc", "!", "avimux", "!",
                           "filesink", "location=" + clip], capture_output=True, timeout=60)
    check(made.returncode == 0 and os.path.getsize(clip) > 0, "test clip not made: %s" % made.stderr)
    # A file that cannot be opened: said at start-up, the black window shows the caption.
    k = Kiosk("start.htm", "[ATTRACT]\nTimeVideo=3\nVideoFileName=%s.missing" % clip)
    check(k.wait_for_line("Unable to load AVI File - %s.missing" % clip, 10), "missing video not reported")
    check(k.wait_for_line("Starting Video", 10), "video not started at its time")
    k.stop()

    k = Kiosk("start.htm", "[ATTRACT]\nTimeVideo=3\nVideoFileName=%s\nVideoWidth=320\nVideoHeight=240" % clip)
    xdotool("mousemove", "700", "700")
    check(k.wait_for_line("Starting Video", 15), "video not started at its time")
    time.sleep(2)
    # The colour bars play in the middle of the black screen, over the frame.
    check(screen_colours(400, 300, 224, 168) >= 6, "no video on the screen")
    check(screen_colours(0, 0, 150, 120) <= 2, "the video window does not cover the frame")
    check(not any("Unable to load AVI File" in line for line in k.log()), "clip reported unplayable")
    # Still looping after the clip's own 4 seconds.
    time.sleep(3)
    check(screen_colours(400, 300, 224, 168) >= 6, "video stopped instead of looping")
    xdotool("mousemove", "512", "384")
    xdotool("click", "1")
    check(k.wait_for_line("Stopping Video", 10), "click did not stop the video")
    k.stop()
    shutil.rmtree(os.path.dirname(clip), ignore_errors=True)


for test in [test_demo_feedback_page, test_idle_marker_file_and_pokes, test_cookie_forgotten_after_idle_return,
             test_idle_warning_touch_keeps_the_session, test_marker_files_and_passes_on_demand, test_attract_video]:
    print("--", test.__name__, flush=True)
    try:
        test()
    except Exception as e:  # a broken scenario must not hide the others
        results.fail("%s: %r" % (test.__name__, e))

results.finish()
