#!/usr/bin/env python3
"""Runs the real kiosk with the real external browser (chromium) under a virtual X server
on pages served on loopback, and checks its whole life: the start and its log lines, the
browser's window fitted into the hole with nothing of the browser's own around the page,
commands and blocked addresses reaching the kiosk with no dialog of the browser's,
refused new windows, script dialogs, a killed browser started again, the kiosk's end
leaving no browser behind, and a browser that cannot run giving way to the embedded one.

usage: external_browser_test.py TARNWICK
"""
import http.server
import os
import shutil
import signal
import sys
import threading
import time

from kiosk_driver import KioskProcess, Results, click, process_tree, screen_pixels, visible_top_windows, window_pid, \
    xdotool

TARNWICK = sys.argv[1]
results = Results()
check = results.check
COLOUR = bytes((0x2e, 0x8b, 0x57))
PAGE_STYLE = "margin:0;background:#2e8b57"


def box(top, inner):
    return ('<div style="position:absolute;left:20px;top:%dpx;width:300px;height:40px;background:#fff">%s</div>'
            % (top, inner))


PAGES = {
    "/start.htm": "<title>start</title><body style='%s'>%s%s%s%s%s</body>" % (
        PAGE_STYLE,
        box(20, '<a id=c href="tw-command:nothing?" style="display:block;height:40px">command</a>'),
        box(80, '<a href="mailto:a@b.c" style="display:block;height:40px">mail</a>'),
        box(140, '<button style="width:300px;height:40px" onclick="window.open(\'/second.htm\')">open</button>'),
        box(200, '<button style="width:300px;height:40px" onclick="alert(\'You won a prize\')">alert</button>'),
        box(260, '<a href="/second.htm" style="display:block;height:40px">second</a>')),
    "/second.htm": "<title>second</title><body style='%s'>second page</body>" % PAGE_STYLE,
    # Says what it finds of an earlier visitor, leaves its own traces, and comes back once.
    "/visitor.htm": "<body><script>"
                    "var seen = (document.cookie || 'none') + '|' + (localStorage.getItem('v') || 'none');"
                    "document.cookie = 'visitor=ann; max-age=3600'; localStorage.setItem('v', 'ann');"
                    "new Image().src = '/seen?' + encodeURIComponent(seen);"
                    "if (!location.search) setTimeout(function () { location.href = '/visitor.htm?again'; }, 500);"
                    "</script></body>",
}
requests = []


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        requests.append(self.path)
        body = PAGES.get(self.path.split("?")[0])
        self.send_response(200 if body else 404)
        self.send_header("Content-Type", "text/html")
        data = (body or "not found").encode()
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def log_message(self, *args):
        pass


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
BASE = "http://127.0.0.1:%d" % server.server_address[1]


class Kiosk(KioskProcess):
    def __init__(self, file_name, settings="NewBrowser=2", start="/start.htm", more=""):
        super().__init__(TARNWICK, results, "tarnwick-external-")
        self.write_file("Tarnwick.ini", "[PREFERENCES]\nScreenMode=1\n%s\n[BROWSER]\nBrowser=0\n"
                        "FileName=%s\n[URLS]\nStart=%s%s\n%s" % (settings, file_name, BASE, start, more))
        self.start()


def exe(pid):
    try:
        return os.path.basename(os.readlink("/proc/%d/exe" % pid))
    except OSError:
        return ""


def browser_main_pid(kiosk):
    """The browser program the kiosk started (its child), or None."""
    for pid in process_tree(kiosk.process.pid) - {kiosk.process.pid}:
        try:
            with open("/proc/%d/stat" % pid) as f:
                ppid = int(f.read().rsplit(")", 1)[1].split()[1])
        except (OSError, ValueError, IndexError):
            continue
        if ppid == kiosk.process.pid and exe(pid).startswith("chromium"):
            return pid
    return None


def browser_window(kiosk):
    """(id, x, y, width, height) of the browser's visible window, or None."""
    pid = browser_main_pid(kiosk)
    for w in visible_top_windows():
        if pid is not None and window_pid(w) == pid:
            r = xdotool("getwindowgeometry", "--shell", str(w))
            g = dict(line.split("=", 1) for line in r.stdout.split() if "=" in line)
            return w, int(g["X"]), int(g["Y"]), int(g["WIDTH"]), int(g["HEIGHT"])
    return None


def colour_area():
    """Bounding box of the page's colour on the screen, and the share of it that has it."""
    pixels = screen_pixels()
    if not pixels:
        return None, 0.0
    width, height, data = pixels
    xs, ys, hits, total = [], [], 0, 0
    for y in range(0, height, 2):
        row = data[y * width * 3:(y + 1) * width * 3]
        found = [x for x in range(0, width, 2) if row[x * 3:x * 3 + 3] == COLOUR]
        if found:
            xs += [found[0], found[-1]]
            ys.append(y)
    if not ys:
        return None, 0.0
    x0, y0, x1, y1 = min(xs), min(ys), max(xs), max(ys)
    # The share is taken right of the page's boxes, where nothing but the page's colour
    # should ever be (a browser's question box over the page would show there).
    for y in range(y0 + 4, y1 - 4, 8):
        for x in range(max(x0 + 340, x0), x1 - 4, 8):
            total += 1
            hits += data[(y * width + x) * 3:(y * width + x) * 3 + 3] == COLOUR
    return (x0, y0, x1 - x0 + 2, y1 - y0 + 2), hits / max(1, total)


def lines_in_order(log, *texts):
    at = 0
    for t in texts:
        found = next((i for i in range(at, len(log)) if t in log[i]), None)
        if found is None:
            return False
        at = found + 1
    return True


def test_running_kiosk():
    k = Kiosk("chromium", "NewBrowser=2\nLogLoadedURLs=1")
    loaded = "Page Loaded - %s/start.htm" % BASE
    if not check(k.wait_for_line(loaded, 60), "start page never loaded by the external browser"):
        k.stop()
        return
    check(lines_in_order(k.log(), "Browser Process Started", "Browser running properly - all handles grabbed",
                         "URL Echo Registered", "tw-command Protocol Registered",
                         "Initial Loading of Start - %s/start.htm" % BASE, loaded), "start lines: %s" % k.log())
    time.sleep(1.0)
    window = None
    for _ in range(40):
        window = browser_window(k)
        if window:
            break
        time.sleep(0.25)
    if not check(window is not None, "no visible window of the browser"):
        k.stop()
        return
    _, wx, wy, ww, wh = window
    area, share = colour_area()
    # Only the page shows: its colour fills the window exactly, nothing of the browser's own
    # (tabs, address bar, an information bar) above it; the kiosk's panels are around it.
    check(area is not None and abs(area[0] - wx) <= 2 and abs(area[1] - wy) <= 2 and abs(area[2] - ww) <= 24
          and abs(area[3] - wh) <= 4, "page area %s, window %s" % (area, window[1:]))
    check(wy > 0 and wx > 0 and wy + wh < 600, "the window covers the panels: %s" % (window[1:],))
    windows_before = visible_top_windows()

    def click_box(top):
        click(wx + 100, wy + top + 20, pause=0.2)

    after = len(k.log())
    click_box(20)
    check(k.wait_for_line("Unknown Command - nothing", 10, after), "the command link did not reach the kiosk")
    after = len(k.log())
    click_box(80)
    check(k.wait_for_line("Blocked mailto Protocol - a@b.c", 10, after), "the mailto link was not blocked and logged")
    click_box(140)
    time.sleep(1.5)
    check(visible_top_windows() == windows_before, "a new window appeared")
    check("/second.htm" not in requests, "the refused new window's page was asked for")
    _, share = colour_area()
    check(share > 0.97, "something covers the page after the links (a browser dialog?): %.2f" % share)
    after = len(k.log())
    click_box(200)
    check(k.wait_for_line("Dialog Message - You won a prize", 10, after), "the alert was not answered and logged")
    time.sleep(0.5)
    _, share = colour_area()
    check(share > 0.97, "the alert stayed over the page: %.2f" % share)

    # The browser killed: the kiosk starts it again and shows the start page.
    pid = browser_main_pid(k)
    after = len(k.log())
    os.kill(pid, signal.SIGKILL)
    check(k.wait_for_line("Closing Process - ", 10, after), "the lost browser was not noticed")
    check(k.wait_for_line(loaded, 60, after), "no start page after the browser was killed")
    check(browser_main_pid(k) not in (None, pid), "no new browser process")

    tree = process_tree(k.process.pid)
    k.stop()
    time.sleep(0.5)
    left = [p for p in tree if os.path.exists("/proc/%d" % p) and exe(p).startswith("chromium")]
    check(not left, "browser processes left after the kiosk ended: %s" % left)


def test_new_window_taken_into_the_page():
    # NewBrowser=1: the new window's page is shown in the one window instead.
    k = Kiosk("chromium", "NewBrowser=1")
    if not check(k.wait_for_line("Page Loaded - %s/start.htm" % BASE, 60), "start page never loaded"):
        k.stop()
        return
    time.sleep(1.0)
    window = browser_window(k)
    if check(window is not None, "no visible window of the browser"):
        windows_before = visible_top_windows()
        click(window[1] + 100, window[2] + 160, pause=0.2)
        check(k.wait_for_line("Page Loaded - %s/second.htm" % BASE, 10), "the new window's page was not shown")
        check(visible_top_windows() == windows_before, "a new window appeared")
    k.stop()


def test_idle_return_forgets_the_visitor():
    k = Kiosk("chromium", start="/visitor.htm", more="[ATTRACT]\nTimeStart=10\n")
    seen = lambda: [p[len("/seen?"):] for p in requests if p.startswith("/seen?")]
    check(k.wait_for(lambda: len(seen()) >= 2, 60), "the visitor page did not report twice: %s" % seen())
    check(k.wait_for_line("Visitor Session Cleared", 30), "no idle return")
    check(k.wait_for_line("Closing Process - New Visitor Session", 5), "the browser was not started anew")
    check(k.wait_for(lambda: len(seen()) >= 3, 60), "the start page after the idle return did not report")
    check(seen()[:3] == ["none%7Cnone", "visitor%3Dann%7Cann", "none%7Cnone"],
          "what the next visitor found: %s" % seen())
    k.stop()


def test_browser_that_cannot_run():
    # It starts, but ends at once every time: three tries, then the embedded browser.
    k = Kiosk("/bin/false")
    check(k.wait_for_line("External Browser Not Available - Embedded Browser Used", 30),
          "the browser that cannot run was not given up")
    check(k.wait_for_line("Page Loaded - %s/start.htm" % BASE, 60), "the embedded browser did not take over")
    log = k.log()
    check(sum("Browser Process Started" in line for line in log) == 3, "three tries: %s" % log)
    check(lines_in_order(log, "External Browser Problem - ", "Browser Control running correctly"),
          "fallback lines: %s" % log)
    k.stop()


class HeldKey:
    """Another program's grab of Ctrl+F4 on the display (Xlib through ctypes)."""

    def __init__(self):
        import ctypes
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x.XGrabKey.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int,
                                    ctypes.c_int, ctypes.c_int]
        self.x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.display = self.x.XOpenDisplay(None)
        f4 = self.x.XKeysymToKeycode(self.display, 0xFFC1)  # XK_F4
        self.x.XGrabKey(self.display, f4, 1 << 2, self.x.XDefaultRootWindow(self.display), 1, 1, 1)  # ControlMask
        self.x.XSync(self.display, 0)

    def release(self):
        self.x.XCloseDisplay(self.display)


def test_browser_shortcut_held_by_another_program():
    # A shortcut the kiosk cannot take from the visitor: the external browser is not used.
    held = HeldKey()
    try:
        k = Kiosk("chromium")
        check(k.wait_for_line("Key Lock Failed - Ctrl+F4 is held by another program", 30), "the held key not logged")
        check(k.wait_for_line("External Browser Problem - the browser's own shortcuts could not all be taken", 30),
              "the external browser used with a shortcut left to the visitor")
        check(k.wait_for_line("Page Loaded - %s/start.htm" % BASE, 60), "the embedded browser did not take over")
        check(not any("Browser Process Started" in line for line in k.log()), "the browser was started")
        k.stop()
    finally:
        held.release()


def main():
    if not shutil.which("chromium"):
        print("chromium is not installed: skipped")
        sys.exit(77)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        test_running_kiosk()
        test_new_window_taken_into_the_page()
        test_idle_return_forgets_the_visitor()
        test_browser_that_cannot_run()
        test_browser_shortcut_held_by_another_program()
    finally:
        server.shutdown()
        server.server_close()
    results.finish()


main()
