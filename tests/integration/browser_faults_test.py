#!/usr/bin/env python3
"""Runs the real kiosk (embedded browser) under an X server with a session bus and puts it
through the faults an unattended kiosk meets: dialogs left open when the kiosk returns to
its start page, pages that will not let go, renderers that crash or hang, a start page
that cannot be reached, a print without a printer, a listed program with a window, another
program's window put over the frame; and what systemd's watchdog hears meanwhile.

usage: browser_faults_test.py TARNWICK   (DISPLAY and DBUS_SESSION_BUS_ADDRESS set)
"""
import http.server
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

from kiosk_driver import KioskProcess, Results, click, process_tree, xdotool

TARNWICK = sys.argv[1]
results = Results()
check = results.check

PAGES = {
    "start.htm": "<!DOCTYPE html><html><head><title>Start</title></head><body>start</body></html>",
    # A message box the operator's child string leaves to the visitor.
    "note.htm": "<!DOCTYPE html><html><body>note<script>setTimeout(function(){alert('Please note: closed "
                "at five')},300)</script></body></html>",
    # A link that asks for a new window (NewBrowser 3: the kiosk asks the visitor).
    "popup.htm": "<!DOCTYPE html><html><body style='margin:0'><a href='start.htm' target='_blank' "
                 "style='display:block;height:300px;background:#ccc'>new window</a></body></html>",
    # A page that asks before it is left, once the visitor has touched it; its link leaves it.
    "stay.htm": "<!DOCTYPE html><html><body style='margin:0'><script>window.onbeforeunload=function(e)"
                "{e.preventDefault();e.returnValue='stay';return 'stay'}</script><a href='start.htm' "
                "style='display:block;height:300px;background:#ccc'>leave</a></body></html>",
    # A page that never gives its renderer back.
    "spin.htm": "<!DOCTYPE html><html><body>spin<script>setTimeout(function(){for(;;){}},200)</script>"
                "</body></html>",
    "offline.htm": "<!DOCTYPE html><html><head><title>Offline</title></head>"
                   "<body style='background:#00ff00'>offline</body></html>",
}


class Kiosk(KioskProcess):
    """One kiosk on its own program folder with the pages above."""

    def __init__(self, start_url=None, settings="", env=None):
        super().__init__(TARNWICK, results, "tarnwick-faults-")
        self.env.update(env or {})
        for name, text in PAGES.items():
            self.write_file("pages/" + name, text)
        self.base = "file://" + os.path.join(self.dir, "pages")
        self.write_file("Tarnwick.ini", "[PREFERENCES]\nScreenMode=1\nDebug=1\n%s\n[BROWSER]\nBrowser=1\n"
                        "[URLS]\nStart=%s\n" % (settings, start_url or self.base + "/start.htm"))
        self.start()

    def renderers(self):
        """Pids of the web engine's render processes under this kiosk."""
        out = []
        for pid in process_tree(self.process.pid):
            try:
                with open("/proc/%d/cmdline" % pid, "rb") as f:
                    if b"--type=renderer" in f.read():
                        out.append(pid)
            except OSError:
                pass
        return out


def stacking():
    """Names of the mapped top-level windows, top-most first."""
    r = subprocess.run(["xwininfo", "-root", "-children"], capture_output=True, text=True, timeout=10)
    names = []
    for line in r.stdout.splitlines():
        line = line.strip()
        if line.startswith("0x") and '"' in line:
            window = line.split()[0]
            if "IsViewable" in subprocess.run(["xwininfo", "-id", window], capture_output=True, text=True,
                                              timeout=10).stdout:
                names.append(line.split('"')[1])
    return names


def pixel(x, y):
    """The screen's colour at a point, as ImageMagick writes it ("srgb(r,g,b)")."""
    r = subprocess.run(["import", "-window", "root", "-crop", "1x1+%d+%d" % (x, y), "-format", "%[pixel:p{0,0}]",
                        "info:"], capture_output=True, text=True, timeout=30)
    return r.stdout.strip()


def test_dialogs_left_open_across_the_idle_return():
    k = Kiosk(settings="NewBrowser=3\n[ATTRACT]\nTimeStart=7\n[CHILDSTRINGS]\nChildString0=Please note")
    check(k.wait_for_line("Page Loaded - %s/start.htm" % k.base), "start page not loaded")
    # A box left to the visitor is still up when the start page comes back.
    xdotool("mousemove", "700", "700")
    check(k.show("note.htm"), "note page not loaded")
    mark = len(k.log())
    check(k.wait_for_line("Visitor Session Cleared", 15, mark), "no idle return while the box was up")
    check(k.wait_for_line("Page Loaded - %s/start.htm" % k.base, 10, mark), "start page not back behind the box")
    # The visitor answers the box that was there: nothing is left to answer, nothing breaks.
    xdotool("key", "Return")
    click(400, 300)
    time.sleep(1)
    check(k.process.poll() is None, "kiosk died after the box had been answered")
    check(not any("Dialog Message" in line for line in k.log()), "the visitor's box was logged")

    # The new-window question has the same shape: nobody answers, the idle return comes.
    xdotool("mousemove", "710", "710")
    check(k.show("popup.htm"), "popup page not loaded")
    click(200, 200)
    asked = k.wait_for(lambda: "New Browser Window Detected" in stacking(), 5)
    check(asked, "no new-window question")
    mark = len(k.log())
    check(k.wait_for_line("Page Loaded - %s/start.htm" % k.base, 15, mark), "start page not back behind the question")
    time.sleep(0.5)
    check("New Browser Window Detected" not in stacking(), "the question stayed over the start page")
    check(k.process.poll() is None, "kiosk died after the question")
    k.stop()


def test_leave_page_prompt():
    k = Kiosk()
    check(k.wait_for_line("Page Loaded - %s/start.htm" % k.base), "start page not loaded")
    check(k.show("stay.htm"), "page with a leave prompt not loaded")
    # The visitor's own link: the page's wish holds (its prompt is answered "stay").
    click(200, 60)
    check(k.wait_for_line("'Microsoft Internet Explorer' Dialog Box Canceled", 10), "visitor's leave not asked")
    time.sleep(0.5)
    check(not any(line == "Page Loaded - %s/start.htm" % k.base for line in k.log()[-3:]),
          "the visitor's link left a page that asked to stay")
    # The kiosk's own change of page always wins.
    mark = len(k.log())
    k.poke("TW_SendURL", k.base + "/start.htm")
    check(k.wait_for_line("Page Loaded - %s/start.htm" % k.base, 15, mark), "the page held the kiosk's navigation")
    check(any(line == "'Microsoft Internet Explorer' Dialog Box OKed" for line in k.log()[mark:]),
          "the kiosk's leave not logged")
    k.stop()


class ServiceManager:
    """A notify socket as systemd gives a service: every message with its time, and the
    kiosk's log as it was when the message came."""

    def __init__(self, directory):
        self.path = os.path.join(directory, "notify.socket")
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
        self.sock.bind(self.path)
        self.sock.settimeout(0.2)
        self.messages = []  # (time, text, log lines then)
        self.kiosk = None
        self.running = True
        self.thread = threading.Thread(target=self.listen, daemon=True)
        self.thread.start()

    def listen(self):
        while self.running:
            try:
                text = self.sock.recv(4096).decode()
            except socket.timeout:
                continue
            self.messages.append((time.time(), text, self.kiosk.log() if self.kiosk else []))

    def times(self, text, after=0.0, before=float("inf")):
        return [t for t, m, _ in self.messages if m == text and after <= t < before]

    def close(self):
        self.running = False
        self.thread.join()
        self.sock.close()


def longest_gap(times, start, end):
    marks = [start] + [t for t in times if start <= t <= end] + [end]
    return max(b - a for a, b in zip(marks, marks[1:]))


def test_renderer_killed_and_hung():
    # Under systemd's watchdog (WatchdogSec=2: a keep-alive every second).
    directory = tempfile.mkdtemp(prefix="tarnwick-notify-")
    service = ServiceManager(directory)
    k = Kiosk(env={"NOTIFY_SOCKET": service.path, "WATCHDOG_USEC": "2000000"})
    service.kiosk = k
    start = "Page Loaded - %s/start.htm" % k.base
    check(k.wait_for_line(start), "start page not loaded")
    check(k.wait_for(lambda: service.times("READY=1"), 5), "no READY=1")
    ready = [log for _, m, log in service.messages if m == "READY=1"]
    check(bool(ready) and any(start in line for line in ready[0]), "READY=1 before the start page was loaded")
    time.sleep(3.5)
    healthy_from = time.time() - 3.5
    check(len(service.times("WATCHDOG=1", healthy_from)) >= 3, "too few keep-alives while healthy: %s" %
          service.times("WATCHDOG=1", healthy_from))
    # A kiosk that does not run its event loop feeds nobody.
    os.kill(k.process.pid, signal.SIGSTOP)
    stopped = time.time()
    time.sleep(3)
    resumed = time.time()
    os.kill(k.process.pid, signal.SIGCONT)
    check(service.times("WATCHDOG=1", stopped + 0.1, resumed) == [], "keep-alive while stopped")
    check(k.wait_for(lambda: service.times("WATCHDOG=1", resumed), 5), "no keep-alive after the stop")

    check(k.show("offline.htm"), "second page not loaded")
    renderers = k.renderers()
    check(renderers != [], "no render process found")
    mark = len(k.log())
    for pid in renderers:
        os.kill(pid, signal.SIGKILL)
    check(k.wait_for_line("Browser Page Crashed - %s/offline.htm - killed" % k.base, 10, mark),
          "killed renderer not logged")
    check(k.wait_for_line(start, 15, mark), "start page not back after the crash")

    mark = len(k.log())
    check(k.show("spin.htm"), "spinning page not loaded")
    began = time.time()
    check(k.wait_for_line("Browser Page Crashed - %s/spin.htm - not responding" % k.base, 40, mark),
          "hung page not ended")
    ended = time.time()
    check(k.wait_for_line(start, 15, mark), "start page not back after the hang")
    print("hung page replaced after %.1f s" % (time.time() - began))
    # The hanging page silenced the watchdog until it was ended; then it is fed again.
    gap = longest_gap(service.times("WATCHDOG=1"), began, ended)
    check(gap >= 3, "keep-alives went on while the page hung (longest gap %.1f s)" % gap)
    back = time.time()
    check(k.wait_for(lambda: service.times("WATCHDOG=1", back), 5), "no keep-alive after the hang")
    k.stop()
    check(service.times("STOPPING=1") != [], "no STOPPING=1 at shutdown")
    service.close()
    shutil.rmtree(directory, ignore_errors=True)


class Start(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        body = b"<!DOCTYPE html><html><body>served start</body></html>"
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def test_unreachable_start_page():
    port = free_port()
    url = "http://127.0.0.1:%d/start" % port
    k = Kiosk(url)
    check(k.wait_for_line("Page Unreachable - " + url, 20), "outage not logged")
    time.sleep(1)
    check(not any("chrome-error" in line or "Page Loaded" in line for line in k.log()),
          "an error page was shown as a page: %s" % k.log())
    check(k.wait_for(lambda: pixel(400, 300) == "srgb(0,255,0)", 5), "offline page not shown: %s" % pixel(400, 300))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), Start)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        check(k.wait_for_line("Page Loaded - " + url, 70), "start page not loaded once the server was up")
        check(k.wait_for_line("Page Reachable Again - " + url, 5), "end of the outage not logged")
        log = k.log()
        check(sum(1 for line in log if line.startswith("Page Unreachable")) == 1, "more than one outage line: %s" % log)
        k.stop()
    finally:
        server.shutdown()
        server.server_close()


def test_print_failure_shown_above_the_keyboard():
    k = Kiosk(settings="[BUTTONS]\nNumberOfButtons=6\nStartOn=1\nKeyboardOn=6\nPrintOn=5")
    check(k.wait_for_line("Page Loaded - %s/start.htm" % k.base), "start page not loaded")
    click(10 + 132 * 5 + 60, 543 + 28)  # the Keyboard button
    check(k.wait_for_line("Keyboard Shown", 5), "keyboard not raised")
    k.poke("TW_SendURL", "tw-command:PRINT?")
    check(k.wait_for_line("Print failed - no printer", 10), "print without a printer not logged")
    check(k.wait_for_line("The page could not be printed", 5), "the visitor was not told")
    time.sleep(1.5)  # several passes raise the kiosk's windows
    top = stacking()
    check(top[:1] == ["Error"] or (top and "Error" in top[0]), "error dialog not on top: %s" % top[:4])
    k.stop()


def test_listed_program_above_the_kiosk():
    k = Kiosk(settings="[PROGRAMS]\nProgram0=/usr/bin/xmessage -name listed -timeout 4")
    check(k.wait_for_line("Page Loaded - %s/start.htm" % k.base), "start page not loaded")
    k.poke("TW_SendURL", "tw-command:EXECUTE?1#hello")
    check(k.wait_for_line("Started Program - /usr/bin/xmessage -name listed -timeout 4 hello", 10), "program not started")
    shown = k.wait_for(lambda: "listed" in stacking()[:1] or "xmessage" in stacking()[:1], 5)
    time.sleep(1.5)
    top = stacking()
    check(shown and top and top[0] in ("listed", "xmessage"), "program window not above the kiosk: %s" % top[:4])
    check(k.wait_for_line("Program Terminated - ", 15), "program end not logged")
    time.sleep(1)
    top = stacking()
    check(top and top[0] not in ("listed", "xmessage") and "FormBottom" in top[:6],
          "kiosk not back on top: %s" % top[:6])
    # Ended while a program runs: the program goes first, the closing line is still the last.
    mark = len(k.log())
    k.poke("TW_SendURL", "tw-command:EXECUTE?1#again")
    check(k.wait_for_line("Started Program - ", 10, mark), "second run not started")
    k.process.send_signal(signal.SIGTERM)
    check(k.exited(15), "kiosk did not end during the program run")
    log = k.log()[mark:]
    k.stop()
    check(log[-3:] == ["Idle mode Off", "Program Terminated - /usr/bin/xmessage -name listed -timeout 4 again",
                       "Tarnwick Closing Down"], "shutdown during a program run: %s" % log[-4:])


def test_foreign_window_put_back_under_the_frame():
    k = Kiosk()
    check(k.wait_for_line("Page Loaded - %s/start.htm" % k.base), "start page not loaded")
    # Another program's window, not one the kiosk started, over the tool bar.
    foreign = subprocess.Popen(["xmessage", "-name", "foreign", "-geometry", "+0+540", "over the tool bar"],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    names = ("foreign", "xmessage")

    def under_the_frame():
        top = stacking()
        at = [i for i, name in enumerate(top) if name in names]
        return bool(at) and "FormBottom" in top and top.index("FormBottom") < at[0]

    try:
        check(k.wait_for(lambda: any(name in stacking() for name in names), 10), "foreign window not shown")
        check(k.wait_for(under_the_frame, 5), "foreign window left over the frame: %s" % stacking()[:6])
        # Raised again by its program: put back again.
        window = xdotool("search", "--onlyvisible", "--name", "xmessage").stdout.split()
        window = window or xdotool("search", "--onlyvisible", "--classname", "foreign").stdout.split()
        check(bool(window), "foreign window not found")
        if window:
            xdotool("windowraise", window[0])
            check(k.wait_for(under_the_frame, 5), "raised foreign window left over the frame: %s" % stacking()[:6])
    finally:
        foreign.kill()
        foreign.wait()
    k.stop()


for test in [test_dialogs_left_open_across_the_idle_return, test_leave_page_prompt, test_renderer_killed_and_hung,
             test_unreachable_start_page, test_print_failure_shown_above_the_keyboard,
             test_listed_program_above_the_kiosk, test_foreign_window_put_back_under_the_frame]:
    print("--", test.__name__, flush=True)
    try:
        test()
    except Exception as e:  # a broken scenario must not hide the others
        results.fail("%s: %r" % (test.__name__, e))

results.finish()
