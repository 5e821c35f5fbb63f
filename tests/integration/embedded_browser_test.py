#!/usr/bin/env python3
"""Runs the real kiosk with its embedded browser on local pages (DISPLAY must point at an
X server) and checks what the activity log and the screen show: loaded pages, frames,
script dialogs, new windows, downloads and password requests.

usage: embedded_browser_test.py TARNWICK
"""
import http.server
import os
import shutil
import sys
import threading
import time

from kiosk_driver import KioskProcess, Results, wait_for_window, xdotool

TARNWICK = sys.argv[1]
PAGES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "browser_pages")
results = Results()
check = results.check


class Kiosk(KioskProcess):
    """The kiosk on a copy of the test pages."""

    def __init__(self, start_url, settings="", pages_base=None):
        super().__init__(TARNWICK, results, "tarnwick-browser-")
        shutil.copytree(PAGES, os.path.join(self.dir, "pages"))
        base = pages_base or "file://" + os.path.join(self.dir, "pages")
        self.write_file("Tarnwick.ini", "[PREFERENCES]\nScreenMode=1\nDebug=1\n%s\n[BROWSER]\nBrowser=1\n"
                        "[URLS]\nStart=%s/%s\n" % (settings, base, start_url))
        self.start()


def indexes(log, *texts):
    """Positions of the first lines containing each text, in order (None when missing)."""
    out = []
    for t in texts:
        out.append(next((i for i, line in enumerate(log) if t in line), None))
    return out


def test_pages_and_frames():
    k = Kiosk("frames.htm")
    check(k.wait_for_line("Page Loaded - " + "file://" + k.dir + "/pages/second.htm"), "second page never loaded")
    log = k.log()
    order = indexes(log, "Browser Control running correctly", "Page Loaded - file://%s/pages/frames.htm" % k.dir,
                    "Page Loaded - file://%s/pages/second.htm" % k.dir)
    check(None not in order and order == sorted(order), "pages in order: %s\n%s" % (order, log))
    check(any(line == "Before Navigate - file://%s/pages/frame.htm" % k.dir for line in log),
          "the frame's navigation did not pass before-navigate")
    k.stop()


def test_script_dialogs():
    k = Kiosk("alerts.htm", "\n[CHILDSTRINGS]\nChildString0=Please note")
    check(k.wait_for_line("Dialog Message - You won a prize"), "unwanted alert not cancelled and logged")
    check(k.wait_for_line("'Microsoft Internet Explorer' Dialog Box Canceled"), "cancel line missing")
    # The alert that starts with the operator's text waits for the visitor.
    time.sleep(2)
    check(not any("after.htm" in line for line in k.log()), "page went on although the visitor's alert was open")
    check(not any("Please note" in line for line in k.log()), "the visitor's alert was logged")
    # A touch on the box, then Enter: the box's default button answers it.
    xdotool("mousemove", "400", "300")
    xdotool("click", "1")
    xdotool("key", "Return")
    check(k.wait_for_line("Page Loaded - file://%s/pages/after.htm" % k.dir, 10), "alert never answered")
    k.stop()


def test_new_windows():
    for mode, answer, expect_loaded in [(1, None, True), (2, None, False), (3, "Return", False), (3, "click", True)]:
        k = Kiosk("newwindow.htm", "NewBrowser=%d" % mode)
        check(k.wait_for_line("Page Loaded - file://%s/pages/newwindow.htm" % k.dir), "new-window page not loaded")
        # Pages open new windows only from a visitor's click.
        time.sleep(0.3)
        xdotool("mousemove", "200", "150")
        xdotool("click", "1")
        if mode == 3:
            window = wait_for_window("New Browser Window Detected")
            check(window is not None, "NewBrowser 3: no question")
            if window and answer == "Return":
                xdotool("mousemove", "--window", window, "130", "80")
                xdotool("key", "Return")
            elif window:
                xdotool("mousemove", "--window", window, "72", "122")
                xdotool("click", "1")
        loaded = k.wait_for_line("Page Loaded - file://%s/pages/popup.htm" % k.dir, 6)
        check(loaded == expect_loaded, "NewBrowser %d (%s): popup loaded %s" % (mode, answer, loaded))
        windows = xdotool("search", "--onlyvisible", "--name", "Popup page")
        check(not windows.stdout.strip(), "NewBrowser %d: a second browser window appeared" % mode)
        k.stop()


class Server(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        if self.path.startswith("/secret"):
            body = b"<html><body>401<script>setTimeout(function(){location='/file.bin'},300)</script></body></html>"
            self.send_response(401)
            self.send_header("WWW-Authenticate", 'Basic realm="kiosk test"')
            self.send_header("Content-Type", "text/html")
        elif self.path.startswith("/file.bin"):
            body = bytes(range(256)) * 8
            self.send_response(200)
            self.send_header("Content-Type", "application/octet-stream")
            self.send_header("Content-Disposition", 'attachment; filename="file.bin"')
        else:
            body = b"<html><body>start<script>setTimeout(function(){location='/secret'},300)</script></body></html>"
            self.send_response(200)
            self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def test_password_and_download_refused():
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Server)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        k = Kiosk("start", pages_base="http://127.0.0.1:%d" % server.server_address[1])
        check(k.wait_for_line("'Enter Network Password' Dialog Box Canceled"), "password request not refused")
        check(k.wait_for_line("'File Download' Dialog Box Canceled"), "download not refused")
        k.stop()
    finally:
        server.shutdown()
        server.server_close()


for test in [test_pages_and_frames, test_script_dialogs, test_new_windows, test_password_and_download_refused]:
    print("--", test.__name__, flush=True)
    try:
        test()
    except Exception as e:  # a broken scenario must not hide the others
        results.fail("%s: %r" % (test.__name__, e))

results.finish()
