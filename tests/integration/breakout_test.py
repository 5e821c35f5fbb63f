#!/usr/bin/env python3
"""Tries every known way out of the kiosk against the real program (embedded browser,
DISPLAY and DBUS_SESSION_BUS_ADDRESS set) and judges each row the same way: no program
started outside the kiosk, no window of another program, no new listening port, no file
written outside the program folder, the kiosk alive with its page still shown, and the
row's own log line.

usage: breakout_test.py TARNWICK
BREAKOUT_ROWS=word,word runs only the rows whose names hold one of the words;
BREAKOUT_DEBUG=1 adds each row's time and the windows that appeared in it;
BREAKOUT_BROWSER=external runs every row against the external browser (chromium) instead;
BREAKOUT_POISON=1 runs the rows a page's scripts could touch behind a poisoned page.
"""
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from breakout_mail import BEACON, MailVisitor, Pop3Responder, hostile_message
from kiosk_driver import (KioskProcess, Results, listening_ports, process_tree, screen_pixels, visible_top_windows,
                          wait_for_window, window_geometry, window_exists, window_name, window_pid, x_server_alive, xdotool)

TARNWICK = os.path.abspath(sys.argv[1])
HERE = os.path.dirname(os.path.abspath(__file__))
PAGES = os.path.join(HERE, "breakout_pages")
SHIMS = os.path.join(HERE, "breakout_shims")
MARKER = bytes((0x2e, 0x8b, 0x57))  # the pages' background colour
EXTERNAL = os.environ.get("BREAKOUT_BROWSER") == "external"
# Every row whose way out a page's script could touch, again behind a page that replaces
# the built-ins first (breakout_pages/poison.js).
POISON = os.environ.get("BREAKOUT_POISON") == "1"
# The programs the kiosk's browser runs as its own helpers.
ENGINE_HELPERS = ("chromium", "chrome_crashpad") if EXTERNAL else ("QtWebEngineProcess",)
results = Results()

# The visitor's home and temporary folders: nothing may appear in them.
WORK = tempfile.mkdtemp(prefix="tarnwick-breakout-")
HOME = os.path.join(WORK, "home")
TMP = os.path.join(WORK, "tmp")
CALLS = os.path.join(WORK, "calls.txt")  # written by the shims
XDG = {"XDG_CONFIG_HOME": os.path.join(HOME, ".config"), "XDG_DATA_HOME": os.path.join(HOME, ".local", "share"),
       "XDG_CACHE_HOME": os.path.join(HOME, ".cache"), "XDG_DOWNLOAD_DIR": os.path.join(HOME, "Downloads")}
for folder in [TMP, *XDG.values()]:
    os.makedirs(folder, exist_ok=True)
with open(os.path.join(XDG["XDG_CONFIG_HOME"], "user-dirs.dirs"), "w") as f:
    f.write('XDG_DOWNLOAD_DIR="%s"\n' % XDG["XDG_DOWNLOAD_DIR"])
open(CALLS, "w").close()
os.chdir(HOME)  # the kiosk's working folder is checked too


# --- the test's web site ---------------------------------------------------------------

def small_pdf():
    """A one-page PDF with a blue square."""
    content = b"0 0 1 rg 20 20 160 160 re f"
    objects = [b"<</Type/Catalog/Pages 2 0 R>>", b"<</Type/Pages/Kids[3 0 R]/Count 1>>",
               b"<</Type/Page/Parent 2 0 R/MediaBox[0 0 200 200]/Contents 4 0 R/Resources<<>>>>",
               b"<</Length %d>>stream\n%s\nendstream" % (len(content), content)]
    out = bytearray(b"%PDF-1.4\n")
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b"%d 0 obj\n%s\nendobj\n" % (number, body)
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    out += b"".join(b"%010d 00000 n \n" % o for o in offsets)
    out += b"trailer\n<</Size %d/Root 1 0 R>>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
    return bytes(out)


class Site(http.server.BaseHTTPRequestHandler):
    """The pages, the row's action put into row.htm, and the special answers."""
    row_actions = {}
    requests = []  # (time, path) of every request

    def do_GET(self):
        Site.requests.append((time.time(), self.path))
        path, _, query = self.path.partition("?")
        headers = {"Content-Type": "text/html"}
        status = 200
        if path == "/secret":
            status = 401
            headers["WWW-Authenticate"] = 'Basic realm="kiosk test"'
            body = b"<html><body>401</body></html>"
        elif path == "/download.bin":
            headers = {"Content-Type": "application/octet-stream",
                       "Content-Disposition": 'attachment; filename="download.bin"'}
            body = bytes(range(256)) * 64
        elif path == "/doc.pdf":
            headers = {"Content-Type": "application/pdf"}
            body = small_pdf()
        elif path == "/ran":
            status, body = 204, b""
        elif path in ("/row.htm", "/home.htm", "/popup.htm", "/row.js", "/poison.js"):
            with open(os.path.join(PAGES, path[1:]), "rb") as f:
                body = f.read()
            if path in ("/row.js", "/poison.js"):
                headers["Content-Type"] = "text/javascript"
            if path == "/row.htm":
                action = json.dumps(Site.row_actions.get(query, {})).replace("</", "<\\/")
                body = body.replace(b"/*ROW*/null", action.encode())
                if POISON:
                    body = body.replace(b"<!--POISON-->", b'<script src="poison.js"></script>')
        else:
            status = 404
            body = b"not here"
        self.send_response(status)
        for name, value in headers.items():
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        self.wfile.write(body)

    def do_POST(self):
        self.rfile.read(int(self.headers.get("Content-Length") or 0))
        self.do_GET()

    def log_message(self, *args):
        pass


# --- what happens on the machine --------------------------------------------------------

def read_process(pid):
    """(ppid, exe, command line, has the test's DISPLAY) of a process, or None once gone.
    Another user's environment and program can be read only as root."""
    def read(name):
        try:
            with open("/proc/%d/%s" % (pid, name), "rb") as f:
                return f.read()
        except OSError:
            return b""
    try:
        with open("/proc/%d/stat" % pid, "rb") as f:
            stat = f.read()
        ppid = int(stat[stat.rindex(b")") + 2:].split()[1])
    except (OSError, ValueError, IndexError):
        return None
    # The command line first: a process that ends between the two reads then has its
    # command line and no program, never a program without the command line that says
    # what it ran.
    cmdline = read("cmdline").replace(b"\0", b" ").decode(errors="replace").strip()
    try:
        exe = os.readlink("/proc/%d/exe" % pid)
    except OSError:
        exe = ""
    environ = b"\0" + read("environ")
    return ppid, exe, cmdline, ("\0DISPLAY=%s\0" % os.environ["DISPLAY"]).encode() in environ


class Watcher(threading.Thread):
    """Samples new processes (about 10 times a second) and mapped top-level windows (about
    4 times a second) for the whole run, so that short-lived ones are seen as well."""

    def __init__(self):
        super().__init__(daemon=True)
        self.lock = threading.Lock()
        self.processes = {}  # pid -> dict(ppid, exe, cmd, display, seen, baseline)
        self.live = set()
        self.windows = set()
        self.window_events = []  # (time, id, pid, name)
        self.kiosk_pids = set()
        self.kiosk_dirs = set()
        self.stopping = False
        self._sample_processes(baseline=True)
        self.windows = visible_top_windows()

    def run(self):
        tick = 0
        while not self.stopping:
            self._sample_processes(baseline=False)
            if tick % 2 == 0:
                self._sample_windows()
            tick += 1
            time.sleep(0.1)

    def _sample_processes(self, baseline):
        now = time.time()
        pids = {int(n) for n in os.listdir("/proc") if n.isdigit()}
        with self.lock:
            for pid in pids - self.live:
                info = read_process(pid)
                if info:
                    self.processes[pid] = dict(ppid=info[0], exe=info[1], cmd=info[2], display=info[3], seen=now,
                                               baseline=baseline)
            # A process seen between its fork and its exec still shows its parent's program.
            # One that is ending has no command line left: what was read while it ran stays.
            for pid in pids & self.live:
                p = self.processes.get(pid)
                if p and not p["baseline"] and now - p["seen"] < 3:
                    info = read_process(pid)
                    if info and info[2]:
                        p.update(exe=info[1], cmd=info[2], display=p["display"] or info[3])
            self.live = pids

    def _sample_windows(self):
        now = time.time()
        current = visible_top_windows()
        for w in current - self.windows:
            pid = window_pid(w)
            if pid is None and not window_exists(w):
                continue  # gone again before it could be asked whose it is
            event = (now, w, pid, window_name(w))
            with self.lock:
                self.window_events.append(event)
        self.windows = current

    def foreign_processes(self, since, helpers=ENGINE_HELPERS):
        """New processes since the time that are outside the kiosk: in its tree but not the
        engine's helpers, or elsewhere with the test's display. The test's own tools count
        as neither."""
        me = os.getpid()
        found = []
        with self.lock:
            for pid, p in self.processes.items():
                if p["baseline"] or p["seen"] < since:
                    continue
                owner, at, hops = None, p["ppid"], 0
                while at > 1 and hops < 64:
                    if at in self.kiosk_pids:
                        owner = "kiosk"
                        break
                    if at == me:
                        owner = "test"
                        break
                    at = self.processes.get(at, {}).get("ppid", 0)
                    hops += 1
                if owner == "test" or pid in self.kiosk_pids:
                    continue
                program = p["exe"] or (p["cmd"].split() or [""])[0]
                if owner == "kiosk" and os.path.basename(program).startswith(helpers):
                    continue
                parent = self.processes.get(p["ppid"], {})
                # The external browser's launcher script (a browser started anew), and what
                # it runs to look at the machine before it becomes the browser.
                launcher = "/bin/sh /usr/bin/chromium "
                if owner == "kiosk" and EXTERNAL and (p["cmd"].startswith(launcher)
                                                      or parent.get("cmd", "").startswith(launcher)):
                    continue
                # (The same, once the launcher has become the browser itself.)
                if (owner == "kiosk" and EXTERNAL and os.path.basename(parent.get("exe", "")).startswith("chromium")
                        and os.path.basename(program) in ("expr", "uname", "grep", "find", "findmnt", "ls", "tr")):
                    continue
                # The kiosk's own helper script starting (a shell not yet showing what it runs).
                if (owner == "kiosk" and EXTERNAL and not p["cmd"] and os.path.basename(program) in ("dash", "sh")
                        and os.path.basename(parent.get("exe", "")).startswith("chromium")):
                    continue
                # The browser's crash reporter, which leaves its parent, with its files in
                # the kiosk's throw-away profile.
                if (EXTERNAL and os.path.basename(program).startswith("chrome_crashpad")
                        and any(d in p["cmd"] for d in self.kiosk_dirs)):
                    continue
                # The external browser asking the kiosk's own helper whether it handles an
                # address itself (it is told yes, and hands the address to nobody).
                if owner == "kiosk" and EXTERNAL and "/browser-profile/bin/xdg-settings " in p["cmd"]:
                    continue
                # A helper's own child that had already ended when it was first seen (nothing
                # left to read of it): the engine's, like its parent.
                parent_exe = os.path.basename(self.processes.get(p["ppid"], {}).get("exe", ""))
                if owner == "kiosk" and not p["exe"] and not p["cmd"] and parent_exe.startswith(ENGINE_HELPERS):
                    continue
                if owner == "kiosk" or p["display"]:
                    found.append((pid, "pid %d %s (%s)" % (pid, p["cmd"][:120] or p["exe"], owner or "display")))
        return found

    def new_windows(self, since):
        with self.lock:
            return [e for e in self.window_events if e[0] >= since]


def files_in(*folders):
    """Every file under the folders with its size and modification time."""
    found = {}
    for folder in folders:
        for base, _, names in os.walk(folder):
            for n in names:
                path = os.path.join(base, n)
                try:
                    st = os.lstat(path)
                except OSError:
                    continue
                found[path] = (st.st_size, st.st_mtime_ns)
    return found


def changed_files(before, after):
    return sorted(p for p, v in after.items() if before.get(p) != v)


# --- the kiosk ------------------------------------------------------------------------------

# A program folder whose path is longer than a socket's may be (about a hundred bytes).
LONG_FOLDER_PREFIX = "tarnwick-breakout-prog-" + "long" * 20 + "-"


class Kiosk(KioskProcess):
    """The kiosk on the test's site, with the shims first on its PATH and its home and
    temporary folders in the test's work folder. `settings` are the row's (Row.kiosk)."""

    def __init__(self, base, settings):
        super().__init__(TARNWICK, results, LONG_FOLDER_PREFIX if settings["long_folder"] else "tarnwick-breakout-prog-")
        self.settings = settings
        self.env.update(XDG, HOME=HOME, TMPDIR=TMP, TARNWICK_BREAKOUT_CALLS=CALLS,
                        PATH=SHIMS + os.pathsep + os.environ.get("PATH", "/usr/bin:/bin"))
        # A camera for the engine to offer (the machine has none): without one a page's
        # request for it fails before anyone is asked.
        self.env["QTWEBENGINE_CHROMIUM_FLAGS"] += " --use-fake-device-for-media-stream"
        self.write_file("Tarnwick.ini",
                        "[PREFERENCES]\nScreenMode=1\nDebug=1\nNewBrowser=%d\nBlockRightButton=%d\nKeyBlock=1\n"
                        "LogLoadedURLs=1\nLogProtocol=1\n[BROWSER]\n%s\n[URLS]\nStart=%s/home.htm\n"
                        "[EMAIL]\nMailTo=%d\nDefaultServer=%s\nSecurity=none\nAllowPlainTextAuth=1\nShowKeyboard=0\n"
                        "HideKeyboard=0\n[PROTOCOLS]\nBlock0=ftp\nBlock1=telnet\nBlock2=news\n"
                        # Message boxes with this text are left to the visitor.
                        "[CHILDSTRINGS]\nChildString0=Security Alert\n%s"
                        % (settings["new_browser"], 0 if settings["right_button_menu"] else 1,
                           "Browser=0\nFileName=/usr/bin/chromium" if EXTERNAL else "Browser=1", base,
                           1 if settings["mail_to"] else 0, pop3.address,
                           # The visitor's zoom, in the tool bar's first slot.
                           "[BUTTONS]\nZoomInOn=1\n" if settings["zoom"] else ""))
        self.frozen = None
        if settings["frozen_profile"]:
            # The browser's helpers cannot be written: an immutable folder where they go
            # (which the kiosk, even as root, can neither empty nor write).
            self.frozen = os.path.join(self.dir, "browser-profile", "bin")
            os.makedirs(self.frozen)
            if subprocess.run(["chattr", "+i", self.frozen], capture_output=True).returncode != 0:
                self.frozen = "unsupported"
        self.start()

    def thaw(self):
        if self.frozen and self.frozen != "unsupported":
            subprocess.run(["chattr", "-i", self.frozen], capture_output=True)

    def alive(self):
        return self.process.poll() is None


def poke_url(url):
    r = subprocess.run([TARNWICK, "--poke", "TW_SendURL", url], capture_output=True, text=True, timeout=20)
    return r.returncode == 0


def browser_area(pixels):
    """The bounding box (x, y, w, h) of the page's colour on the screen, or None."""
    if not pixels:
        return None
    width, height, data = pixels
    xs, ys = [], []
    for y in range(0, height, 2):
        row = data[y * width * 3:(y + 1) * width * 3]
        hits = [x for x in range(0, width, 2) if row[x * 3:x * 3 + 3] == MARKER]
        if hits:
            xs += [hits[0], hits[-1]]
            ys.append(y)
    if not ys:
        return None
    return min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


def page_shown(area):
    """Share of the browser area that shows the page's colour."""
    pixels = screen_pixels()
    if not pixels or not area:
        return 0.0
    width, _, data = pixels
    x0, y0, w, h = area
    points = [(x, y) for y in range(y0 + 5, y0 + h - 5, 10) for x in range(x0 + 5, x0 + w - 5, 10)]
    hits = sum(1 for x, y in points if data[(y * width + x) * 3:(y * width + x) * 3 + 3] == MARKER)
    return hits / max(1, len(points))


# --- what a row does -------------------------------------------------------------------------

class Row:
    """One way out. `act` is the page's action, `do` what the visitor does, `log` the line the
    kiosk must write (None: no line needed)."""

    def __init__(self, name, act, do, log=None, loaded=(), windows="kiosk", not_requested=(),
                 may_show=None, settle=1.5, right_button_menu=False, nowhere=False, ran=None, log_wait=None,
                 mail_to=False, embedded_only=False, new_browser=2, long_folder=False, frozen_profile=False,
                 poison=True, external_only=False, started=None, log_unpoisoned=False, zoom=False):
        self.name, self.act, self.do, self.log = name, act, do, log
        self.loaded = loaded  # other pages the row may load (paths on the site)
        self.windows = windows  # "kiosk": the kiosk's own may appear; "none": none at all; "menu": its menu must
        self.not_requested = not_requested  # site paths the kiosk must never ask for
        self.may_show = may_show  # a site path whose page may replace the row's page
        self.settle = settle
        self.right_button_menu = right_button_menu  # needs the kiosk with the right button on
        self.nowhere = nowhere  # no file in the program folder either
        self.ran = ran  # what the page reports (/ran?WHAT) once its script has done the action
        self.log_wait = log_wait  # seconds the log line may take (a flood's count comes after its window)
        self.mail_to = mail_to  # needs the kiosk with mailto links opening its e-mail window
        # About the kiosk's own Qt windows only, which are the same with either browser.
        self.embedded_only = embedded_only
        self.external_only = external_only  # about the external browser's start
        # The page's scripts can touch this row's way out: it runs again behind a page
        # that replaces the built-ins first (BREAKOUT_POISON=1).
        self.poison = poison
        # The kiosk the row needs; one is started anew only when these change.
        self.kiosk = dict(right_button_menu=right_button_menu, mail_to=mail_to, new_browser=new_browser,
                          long_folder=long_folder, frozen_profile=frozen_profile, zoom=zoom)
        # A row about the kiosk's start: a function of the kiosk's log that says what is
        # wrong (None: all is well), instead of a row page.
        self.started = started
        # The line comes only when the page's own window.open reaches the kiosk, which a
        # poisoned page may have replaced (nothing opens then, and nothing is logged).
        self.log_unpoisoned = log_unpoisoned


def link(href, target=None):
    return {"act": "link", "href": href, "target": target}


def click_row(name, act, log=None, **kw):
    """A click on the page's target box that runs a script; the page reports it ran."""
    return Row(name, {"act": act}, click, log, ran=act, **kw)


def link_row(name, href, log=None, **kw):
    """A click on a link; the page reports the click, so a missed click cannot pass."""
    return Row(name, link(href, kw.pop("target", None)), click, log, ran="click", **kw)


class Visitor:
    """What a visitor does on the row's page, in screen coordinates of the browser area."""

    def __init__(self):
        self.area = None
        self.kiosk = None  # the kiosk of the row being run

    def target(self):
        x, y, _, _ = self.area
        return x + 170, y + 130  # middle of the page's target box

    def blank(self):
        x, y, _, _ = self.area
        return x + 520, y + 330

    def click_target(self):
        xdotool("mousemove", *map(str, self.target()))
        xdotool("click", "1")

    def keys(self, combo):
        def do():
            # The page gets the focus first, as after any touch.
            xdotool("mousemove", *map(str, self.blank()))
            xdotool("click", "1")
            time.sleep(0.2)
            xdotool("key", "--clearmodifiers", combo)
        return do

    def key_list(self, combos):
        """Several of the browser's shortcuts one after another, each on the focused page."""
        def do():
            for combo in combos:
                self.keys(combo)()
                time.sleep(0.3)
        return do

    def right_click(self):
        xdotool("mousemove", *map(str, self.blank()))
        xdotool("click", "3")

    def drag_link(self):
        x0, y0 = self.target()
        x1, y1 = self.blank()
        xdotool("mousemove", str(x0), str(y0))
        xdotool("mousedown", "1")
        for step in range(1, 13):
            xdotool("mousemove", str(x0 + (x1 - x0) * step // 12), str(y0 + (y1 - y0) * step // 12))
            time.sleep(0.05)
        xdotool("mouseup", "1")


visitor = Visitor()
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Site)
BASE = "http://127.0.0.1:%d" % server.server_address[1]
pop3 = Pop3Responder(hostile_message(BASE))
mail = MailVisitor(visitor)


def zoomed_in_then_click():
    """The visitor makes the page larger (the tool bar's first slot), then uses its link:
    the kiosk's zoom, on this page and on each next document, opens no way out."""
    xdotool("mousemove", "70", "571")
    xdotool("click", "1")
    if not visitor.kiosk.wait_for_line("Zoom In Pressed", 3):
        return ["zoom: the Zoom In button was not pressed"]
    time.sleep(0.5)
    visitor.click_target()
    return []


def many_frames_then_poke():
    """Once the page holds its 10000 frames, another page is asked for."""
    visitor.click_target()
    if not wait_for_request("/ran?frames-10000", 90):
        return ["ran: the page did not report its 10000 frames within 90 s"]
    poke_url(BASE + "/home.htm")
    return []


def wait_for_request(path, seconds):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if any(p == path for _, p in Site.requests):
            return True
        time.sleep(0.1)
    return False


def print_then_close_error():
    visitor.click_target()
    # Without a printer the kiosk may say so in its own error dialog, which closes itself
    # after 10 s; Return closes it at once.
    dialog = wait_for_window("DialogError", 2)
    if dialog:
        xdotool("windowfocus", "--sync", dialog)
        xdotool("key", "Return")
        deadline = time.time() + 12
        while wait_for_window("DialogError", 0.2) and time.time() < deadline:
            time.sleep(0.2)


def in_a_fresh_dialog_window(do):
    """The kiosk answers at most five dialog boxes in ten seconds (prints and permission
    requests included) and only counts the rest. A flood row begins once the window of the
    rows before it has passed, so that what it sees is its own flood: a few dialogs
    answered, then its own count, and prints that reach the print limit."""
    def run():
        time.sleep(11)
        return do()
    return run


def transfer_in_the_question():
    """The visitor clicks, and then chooses "Transfer Control" in the kiosk's question."""
    visitor.click_target()
    dialog = wait_for_window("New Browser Window Detected", 5)
    if not dialog:
        # Refused before anyone is asked (the row's line says so), or a poisoned page's
        # window.open, called from another frame, which opens nothing.
        return []
    x, y, _, _ = window_geometry(dialog)
    xdotool("mousemove", str(x + 72), str(y + 122))
    xdotool("click", "1")
    return []


def message_boxes_then_home():
    """A page holds the visitor behind one message box after another; the kiosk changes the
    page (as Home, the idle return or another program's SendURL do) and that goes through."""
    visitor.click_target()
    if not wait_for_request("/ran?alert-loop", 5):
        return ["ran: the page did not begin its message boxes"]
    time.sleep(1.5)
    poke_url(BASE + "/home.htm")
    return []


def long_folder_started(k):
    log = k.log()
    failed = []
    if len(k.dir) < 110:
        failed.append("setup: the program folder is only %d characters long" % len(k.dir))
    if "Browser running properly - all handles grabbed" not in log:
        failed.append("browser: the external browser never came under control")
    failed += ["browser: " + line for line in log if line.startswith("External Browser Not Available")]
    return failed


def unwritable_helpers_started(k):
    if k.frozen == "unsupported":
        return ["setup: this file system cannot make a folder immutable (chattr +i)"]
    log = k.log()
    failed = []
    if not any(line.startswith("Browser Protection Not Set Up - the browser's helpers cannot be written")
               for line in log):
        failed.append("log: no line saying the browser's protection could not be set up")
    if "External Browser Not Available - Embedded Browser Used" not in log:
        failed.append("log: the embedded browser did not take over")
    if "Browser Process Started" in log:
        failed.append("browser: the external browser was started without its helpers")
    if not wait_for_window("DialogError", 5):
        failed.append("error-dialog: the operator's reason was not shown")
    return failed


# Addresses a page asks a new window for, and the line the kiosk's refusal writes.
NEW_WINDOW_ADDRESSES = [
    ("view-source:file:///etc/passwd", "Blocked view-source Protocol - file:///etc/passwd"),
    ("view-source:%s/home.htm" % BASE, "Blocked view-source Protocol - %s/home.htm" % BASE),
    ("file:///etc/passwd", "Blocked file Protocol - ///etc/passwd"),
    ("file://@PROG@/Tarnwick.ini", "Blocked file Protocol - //@PROG@/Tarnwick.ini"),
    ("chrome://settings", "Blocked chrome Protocol - //settings"),
    ("chrome://version", "Blocked chrome Protocol - //version"),
    # (The embedded engine asks for its own mark of a refused address, about:blank#blocked.)
    ("about:version", "Blocked about Protocol - "),
    ("devtools://devtools/bundled/inspector.html", "Blocked devtools Protocol - //devtools/bundled/"),
    ("data:text/html,<b>out</b>", "Blocked data Protocol - text/html,"),
    ("foo:bar", "Blocked foo Protocol - bar"),
]
ASKED_ADDRESSES = ("view-source:file:///etc/passwd", "file:///etc/passwd", "chrome://settings", "about:version")


def new_window_rows():
    """Each address without a click and from a click, transferred (NewBrowser=1) and, for
    some, asked (NewBrowser=3) with the visitor choosing to transfer: rows of one kiosk
    together."""
    rows, asked = [], []
    for url, line in NEW_WINDOW_ADDRESSES:
        short = url.replace(BASE, "").replace("@PROG@", "PROG")[:28]
        rows.append(Row("open %s, click, transfer" % short, {"act": "open-url-click", "url": url}, click, line,
                        windows="none", ran="open-url-click", new_browser=1, log_unpoisoned=True))
        if url in ASKED_ADDRESSES:
            asked.append(Row("open %s, click, asked" % short, {"act": "open-url-click", "url": url},
                            transfer_in_the_question, line, ran="open-url-click", new_browser=3,
                            log_unpoisoned=True))
    # Without the visitor's click or key nothing is opened or transferred (NewBrowser=1 would
    # transfer anything that was asked about): every address at once.
    # (Last of this kiosk's rows: the refusals may use up its budget of logged addresses.)
    rows.append(Row("open every address, no click", {"act": "open-urls-auto", "urls": [u for u, _ in NEW_WINDOW_ADDRESSES]},
                       lambda: None, None, windows="none", ran="open-urls-auto", new_browser=1, settle=2.0))
    return rows + asked


click = visitor.click_target
ROWS = [
    link_row("link foo:bar", "foo:bar", "Blocked foo Protocol - bar"),
    link_row("link vnc://127.0.0.1", "vnc://127.0.0.1", "Blocked vnc Protocol - //127.0.0.1"),
    link_row("link webcal://", "webcal://127.0.0.1/x.ics", "Blocked webcal Protocol - //127.0.0.1/x.ics"),
    link_row("link apt:x", "apt:x", "Blocked apt Protocol - x"),
    link_row("link telnet:x (blocked)", "telnet:x", "Blocked telnet Protocol - x"),
    link_row("link tel:123", "tel:123", "Blocked tel Protocol - 123"),
    link_row("link mailto: (MailTo off)", "mailto:a@b.c", "Blocked mailto Protocol - a@b.c"),
    Row("window.open without a click", {"act": "open-auto"}, lambda: None, None, windows="none",
        not_requested=("/popup.htm",), settle=2.0, ran="open-auto"),
    click_row("window.open from a click", "open-click", windows="none", not_requested=("/popup.htm",)),
    link_row("target=_blank link", "/popup.htm?blank", target="_blank", windows="none",
             not_requested=("/popup.htm",)),
    Row("file chooser", {"act": "file"}, click, "'Save As' Dialog Box Canceled"),
    link_row("download", "/download.bin", "'File Download' Dialog Box Canceled", nowhere=True),
    Row("window.print()", {"act": "print"}, print_then_close_error, "'Print' Dialog Box OKed", ran="print"),
    link_row("link file:///etc/passwd", "file:///etc/passwd", "Blocked file Protocol - ///etc/passwd"),
    link_row("link view-source:", "view-source:%s/home.htm" % BASE, "Blocked view-source Protocol - "),
    link_row("link chrome://settings", "chrome://settings", "Blocked chrome Protocol - "),
    link_row("link devtools://", "devtools://devtools/bundled/inspector.html", "Blocked devtools Protocol - "),
    link_row("link data:text/html", "data:text/html,<h1>x</h1>"),
    link_row("link javascript:", "javascript:void(document.title='js')"),
    *new_window_rows(),
    Row("message-box loop, then the kiosk's page", {"act": "alert-loop"}, message_boxes_then_home,
        "Page Loaded - %s/home.htm" % BASE, loaded=("/home.htm",), ran="alert-loop", log_wait=15),
    Row("long program folder", None, None, started=long_folder_started, long_folder=True, external_only=True,
        poison=False),
    Row("browser helpers not writable", None, None, started=unwritable_helpers_started, frozen_profile=True,
        external_only=True, poison=False),
    *[Row("key " + k, {}, visitor.keys(k), settle=1.2, poison=False)
      for k in ["F12", "ctrl+shift+i", "ctrl+u", "ctrl+o", "ctrl+s", "ctrl+p", "ctrl+n", "ctrl+t", "ctrl+l", "F11",
                "alt+F4", "alt+Tab", "ctrl+alt+F1", "ctrl+alt+BackSpace"]],
    # The browser's own accelerators, a group to a row: its task manager, closing its
    # window, its bars and bubbles, zoom and history, its keyboard keys, and the same
    # again with modifiers a browser might ignore (Super, Num Lock).
    *[Row("keys " + name, {}, visitor.key_list(group), settle=1.5, poison=False) for name, group in [
        ("task manager, closing", ["shift+Escape", "ctrl+F4", "ctrl+w", "ctrl+shift+w", "ctrl+shift+q"]),
        ("bars, bubbles, menus", ["ctrl+shift+d", "ctrl+d", "F6", "ctrl+f", "F3", "ctrl+g", "ctrl+h", "ctrl+j", "ctrl+shift+b", "ctrl+shift+o",
         "ctrl+shift+Delete", "ctrl+shift+a", "alt+e", "alt+shift+i", "F10", "F1", "F7"]),
        ("zoom, history, media", ["ctrl+plus", "ctrl+minus", "ctrl+0", "ctrl+KP_Add", "alt+Left", "alt+Home", "ctrl+Tab", "ctrl+2",
         "XF86Back", "XF86HomePage", "XF86Search", "XF86Favorites", "XF86AudioPlay"]),
        ("with Super, Num Lock", ["super+shift+Escape", "super+ctrl+F4", "super+F12", "super+ctrl+shift+i",
                                  "Num_Lock", "shift+Escape", "ctrl+F4", "Num_Lock"]),
    ]],
    Row("right click, right button blocked", {}, visitor.right_click, windows="none"),
    Row("drag and drop of a link", link("/popup.htm?dragged"), visitor.drag_link, not_requested=("/popup.htm",),
        ran="drag"),
    click_row("fullscreen request", "fullscreen", "Full Screen Request Refused - ", log_unpoisoned=True),
    click_row("notification permission", "notification", "Permission Request Refused - ", log_unpoisoned=True),
    click_row("geolocation permission", "geolocation", "Permission Request Refused - ", log_unpoisoned=True),
    click_row("camera permission", "camera", "Permission Request Refused - ", log_unpoisoned=True),
    click_row("HTTP authentication", "auth", "'Enter Network Password' Dialog Box Canceled"),
    click_row("window.close()", "close"),
    # Floods: a few are handled as usual, the rest answered unseen and counted in one line.
    Row("alert flood", {"act": "alert-flood"}, in_a_fresh_dialog_window(click), "Too Many Dialog Boxes - ",
        ran="alert-flood", log_wait=15),
    Row("print loop", {"act": "print-loop"}, in_a_fresh_dialog_window(print_then_close_error), "Print Refused - ",
        ran="print-loop", log_wait=15),
    click_row("feedback flood", "feedback-flood", "Feedback Refused - "),
    # The embedded engine drops such a frame's address without a word (nothing leaves the
    # kiosk, but there is no line to ask for).
    click_row("frame written as markup", "markup-frame", "Blocked foo Protocol - markup" if EXTERNAL else None),
    link_row("link to a PDF", "/doc.pdf", may_show="/doc.pdf", nowhere=True, settle=2.0),
    Row("zoomed in, then a link file:///etc/passwd", link("file:///etc/passwd"), zoomed_in_then_click,
        "Blocked file Protocol - ///etc/passwd", ran="click", zoom=True),
    Row("zoomed in, then window.open from a click", {"act": "open-click"}, zoomed_in_then_click, windows="none",
        not_requested=("/popup.htm",), ran="open-click", zoom=True),
    # The external browser offers no menu at all: its own would lead out (new windows,
    # saving, the page's source), and it has no room for the kiosk's.
    Row("right click, right button on", {}, visitor.right_click, windows="none" if EXTERNAL else "menu",
        right_button_menu=True),
    # The external browser runs the kiosk's guard in each of the frames: leaving such a page
    # takes it longer.
    Row("10000 iframes, then a poke", {"act": "iframes", "count": 10000}, many_frames_then_poke,
        "Page Loaded - %s/home.htm" % BASE, loaded=("/home.htm",), right_button_menu=True,
        log_wait=60 if EXTERNAL else None, poison=False),
    # The e-mail window as a way out: a mailto link opens the kiosk's own window and
    # nothing else; a received message cannot load or open anything; the window's fields
    # lead nowhere. Right-clicks show the kiosk's own menus (right button on).
    Row("link mailto: with a query (MailTo on)",
        link("mailto:a@example.org?subject=Hi%20there&body=Line%201%0D%0ALine%202&bcc=hidden@example.org"),
        mail.mailto_opens_own_window, "Email Window Opened - MailTo Use", ran="click", mail_to=True,
        right_button_menu=True, poison=False),
    Row("e-mail window: a hostile message", link("tw-command:EMAIL"), mail.reads_hostile_mail,
        "Message Selected for Viewing", ran="click", not_requested=(BEACON,), mail_to=True, right_button_menu=True,
        embedded_only=True, poison=False),
    Row("e-mail window: its fields", link("tw-command:EMAIL"), lambda: mail.fields_lead_nowhere(BASE),
        "Email Window Opened - Normal Use", ran="click", not_requested=(BEACON,), mail_to=True,
        right_button_menu=True, embedded_only=True, poison=False),
]


class Run:
    def __init__(self, watcher):
        self.watcher = watcher
        self.kiosk = None
        self.kiosk_windows = set()
        self.started = []
        # When rows saw the kiosk log a refused address: it logs a few in ten seconds and
        # counts the rest, so a row that needs its own line waits for room.
        self.refusals = []

    def kiosk_for(self, row):
        """A running kiosk with the row's settings, started anew only when needed."""
        k = self.kiosk
        if k and k.alive() and k.settings == row.kiosk and not row.started:
            return k, None
        if k and k.alive():
            k.stop()
        if k:
            k.thaw()
        self.kiosk = k = Kiosk(BASE, row.kiosk)
        self.started.append(k)
        self.watcher.kiosk_pids.add(k.process.pid)
        self.watcher.kiosk_dirs.add(k.dir)
        if not k.wait_for_line("Page Loaded - %s/home.htm" % BASE, 60 if EXTERNAL else 30):
            return k, "kiosk did not load its start page"
        if row.started:
            return k, None
        if EXTERNAL and "Browser running properly - all handles grabbed" not in k.log():
            return k, "the external browser did not start: %s" % k.log()
        time.sleep(0.5)
        self.kiosk_windows = visible_top_windows()
        visitor.area = browser_area(screen_pixels())
        if not visitor.area or visitor.area[2] < 400 or visitor.area[3] < 300:
            return k, "page not found on the screen: %s" % (visitor.area,)
        return k, None

    def row(self, index, row):
        t_start = time.time()
        k, problem = self.kiosk_for(row)
        if problem:
            return ["setup: " + problem]
        if row.started:
            failed = row.started(k) or []
            # The embedded browser may have taken over.
            procs = self.watcher.foreign_processes(t_start, ("chromium", "chrome_crashpad", "QtWebEngineProcess"))
            if procs:
                failed.append("process: " + "; ".join(text for _, text in procs))
            if not k.alive():
                failed.append("kiosk-alive: exited with status %s" % k.process.returncode)
            return failed
        token = str(index)
        # The program folder is known once its kiosk runs.
        Site.row_actions[token] = json.loads(json.dumps(row.act).replace("@PROG@", k.dir))
        page = "%s/row.htm?%s" % (BASE, token)
        at_log = len(k.log())
        t0 = time.time()
        files_before = files_in(HOME, TMP)
        prog_before = files_in(k.dir)
        with open(CALLS) as f:
            calls_before = len(f.readlines())
        tree = process_tree(k.process.pid)
        ports_before = listening_ports(tree)
        windows_before = visible_top_windows()
        if not poke_url(page) or not k.wait_for_line("Page Loaded - " + page, 15, at_log):
            return ["setup: row page not loaded"]
        if not k.wait_for(lambda: page_shown(visitor.area) >= 0.6, 5):
            return ["setup: row page not on the screen"]
        if row.log and row.log.startswith("Blocked "):
            while len([t for t in self.refusals if t > time.time() - 10.5]) >= 4:
                time.sleep(0.25)
        t_act = time.time()

        visitor.kiosk = k
        failed = row.do() or []
        if row.log and not (POISON and row.log_unpoisoned):
            expected = row.log.replace("@PROG@", k.dir)
            if not k.wait_for_line(expected, row.log_wait or (20 if row.loaded else 3), at_log):
                failed.append("log: no line with %r" % expected)
            time.sleep(0.8)
        else:
            time.sleep(row.settle)
        if row.windows == "menu":
            menus = [e for e in self.watcher.new_windows(t_act) if e[2] == k.process.pid]
            if not menus:
                failed.append("menu: the kiosk's own menu did not appear")
            xdotool("key", "Escape")
            time.sleep(0.3)
        time.sleep(0.25)  # one more window sample

        log = k.log()[at_log:]
        self.refusals += [time.time()] * sum(1 for line in log if line.startswith("Blocked "))
        if os.environ.get("BREAKOUT_DEBUG"):
            print("    log: " + " / ".join(log))
        with open(CALLS) as f:
            calls = [line.strip() for line in f.readlines()[calls_before:]]
        if calls:
            failed.append("escape-call: " + "; ".join(calls))
        procs = self.watcher.foreign_processes(t0)
        if procs:
            failed.append("process: " + "; ".join(text for _, text in procs))
        # Another program's window fails any row; in some rows the kiosk's own must not
        # appear either once the visitor acts.
        browser_starts = sum(1 for line in k.log()[at_log:] if line == "Browser running properly - all handles grabbed")

        # What the page window of an external browser the kiosk started anew in this row may
        # be called: its first document (an empty one of the kiosk's), or the kiosk's page
        # it was started on, by the time the window is first seen.
        restarted_names = ("Break-out home",) if "/home.htm" in row.loaded else ()

        def judge_window(at, w, pid, name):
            if (browser_starts and pid and self.watcher.processes.get(pid, {}).get("ppid") == k.process.pid
                    and ((name or "").endswith("text/html,") or name in restarted_names)):
                return
            if pid != k.process.pid or (row.windows == "none" and at >= t_act):
                failed.append("window: %s %r pid %s" % (hex(w), name, pid))
        events = self.watcher.new_windows(t0)
        for event in events:
            judge_window(*event)
        for w in visible_top_windows() - windows_before - {e[1] for e in events}:
            pid = window_pid(w)
            if pid is not None or window_exists(w):
                judge_window(time.time(), w, pid, window_name(w))
        alive = k.alive()
        if not alive:
            failed.append("kiosk-alive: exited with status %s" % k.process.returncode)
        if not x_server_alive():
            failed.append("x-server: no longer answers")
        # The kiosk's processes, and any other new one on the test's display.
        holders = (process_tree(k.process.pid) if alive else set()) | {pid for pid, _ in procs}
        ports = listening_ports(holders) - ports_before
        if ports:
            failed.append("port: " + ", ".join("%s pid %d" % p for p in sorted(ports)))
        written = changed_files(files_before, files_in(HOME, TMP))
        if row.nowhere:
            written += [p for p in changed_files(prog_before, files_in(k.dir))
                        if not p.startswith(os.path.join(k.dir, "log") + os.sep)
                        # The external browser's profile, thrown away at every start.
                        and not p.startswith(os.path.join(k.dir, "browser-profile") + os.sep)
                        and p != os.path.join(k.dir, "out.txt")]
        if written:
            failed.append("file: " + ", ".join(written))
        allowed = {page} | {BASE + p for p in row.loaded}
        if row.may_show:
            allowed.add(BASE + row.may_show)
        others = [line for line in log if line.startswith("Page Loaded - ") and line[14:] not in allowed]
        if others:
            failed.append("page-loaded: " + "; ".join(others))
        blocked = [line for line in log if "about:blank#blocked" in line]
        if blocked:
            failed.append("blocked-page: " + "; ".join(blocked))
        shown = page_shown(visitor.area) if alive else 0.0
        shows_other = row.may_show and ("Page Loaded - " + BASE + row.may_show) in log
        if shown < 0.6 and not shows_other:
            failed.append("page-shown: only %d%% of the browser area shows the page" % (shown * 100))
        if row.ran and not any(t >= t0 and p == "/ran?" + row.ran for t, p in Site.requests):
            failed.append("ran: the page did not report %r" % row.ran)
        asked = [p for t, p in Site.requests if t >= t0 and p.split("?")[0] in row.not_requested]
        if asked:
            failed.append("request: " + ", ".join(asked))
        # A menu or box the row left open would stand in the next row's way.
        if alive and visible_top_windows() - self.kiosk_windows:
            xdotool("key", "Escape")
            time.sleep(0.5)
        return failed


def main():
    if EXTERNAL and not os.access("/usr/bin/chromium", os.X_OK):
        print("chromium is not installed: skipped")
        sys.exit(77)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    watcher = Watcher()
    watcher.start()
    run = Run(watcher)
    began = time.time()
    failed_rows = []
    only = os.environ.get("BREAKOUT_ROWS")
    try:
        for index, row in enumerate(ROWS):
            if only and not any(word in row.name for word in only.split(",")):
                continue
            if EXTERNAL and row.embedded_only:
                print("ROW %-36s SKIPPED (the kiosk's own window: run with the embedded browser)" % row.name)
                continue
            if not EXTERNAL and row.external_only:
                continue
            if POISON and not row.poison:
                continue
            row_began = time.time()
            try:
                failed = run.row(index, row)
            except Exception as e:  # a broken row must not hide the others
                failed = ["harness: %r" % e]
            verdict = "PASS" if not failed else "FAIL - " + " | ".join(failed)
            print("ROW %-36s %s" % (row.name, verdict), flush=True)
            if os.environ.get("BREAKOUT_DEBUG"):
                print("    %.1f s, windows %s" % (time.time() - row_began, watcher.new_windows(row_began)))
            results.check(not failed, "row %s" % row.name)
            if failed:
                failed_rows.append(row.name)
    finally:
        watcher.stopping = True
        for k in run.started:
            k.thaw()
            if k.alive():
                k.stop()
            else:  # its end was a row's failure
                k.out.close()
                if not os.environ.get("TARNWICK_KEEP"):
                    shutil.rmtree(k.dir, ignore_errors=True)
        server.shutdown()
        server.server_close()
    print("%d of %d rows failed in %.0f s: %s" % (len(failed_rows), len(ROWS), time.time() - began,
                                                   ", ".join(failed_rows) or "none"))
    if not failed_rows or not os.environ.get("TARNWICK_KEEP"):
        shutil.rmtree(WORK, ignore_errors=True)
    results.finish()


main()
