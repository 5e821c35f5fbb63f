"""Driving the real kiosk in integration tests: a kiosk process on a program folder of its
own, its activity log read back as texts, the checks' tally, and the mouse and keyboard
through xdotool (DISPLAY must point at an X server)."""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time


class Results:
    """The tally of one test script; the closing line is read by the test runner."""

    def __init__(self):
        self.passes = 0
        self.failures = []

    def check(self, condition, message):
        if condition:
            self.passes += 1
        else:
            self.fail(message)
        return condition

    def fail(self, message):
        self.failures.append(message)
        print("FAIL:", message, flush=True)

    def finish(self):
        print("%d passed, %d failed" % (self.passes, len(self.failures)))
        sys.exit(1 if self.failures else 0)


def kiosk_environment():
    """The web engine needs no GPU, and no sandbox when run as root. The software GL's
    shader cache (the kiosk's own drawing, written to the account's cache folder whenever a
    new shader is first used) is switched off, so that a test can tell every file the
    kiosk writes outside its program folder."""
    env = dict(os.environ, QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu", MESA_SHADER_CACHE_DISABLE="true")
    if os.geteuid() == 0:
        env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
    return env


class KioskLog:
    """The activity log of a kiosk running in a program folder."""

    def __init__(self, folder):
        self.dir = folder

    def log(self):
        """The log's texts, without their time stamps."""
        try:
            with open(os.path.join(self.dir, "log", "TWCurrentLog.txt")) as f:
                return [line.rstrip("\n").split(" --- ", 1)[-1] for line in f]
        except FileNotFoundError:
            return []

    def wait_for(self, predicate, seconds=20):
        deadline = time.time() + seconds
        while time.time() < deadline:
            if predicate():
                return True
            time.sleep(0.05)
        return False

    def wait_for_line(self, text, seconds=20, after=0):
        """True once a log line from position `after` on contains the text."""
        return self.wait_for(lambda: any(text in line for line in self.log()[after:]), seconds)


class KioskProcess(KioskLog):
    """One kiosk on a temporary program folder. Subclasses write the folder's files, then
    call start()."""

    def __init__(self, tarnwick, results, prefix="tarnwick-test-"):
        super().__init__(tempfile.mkdtemp(prefix=prefix))
        self.tarnwick = tarnwick
        self.results = results
        self.env = kiosk_environment()
        self.process = None
        self.out = None

    def write_file(self, relative, text, newline=None):
        path = os.path.join(self.dir, relative)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", newline=newline) as f:
            f.write(text)
        return path

    def start(self):
        self.out = open(os.path.join(self.dir, "out.txt"), "w")
        self.process = subprocess.Popen([self.tarnwick, "--dir", self.dir], stdout=self.out, stderr=self.out,
                                        env=self.env)

    def poke(self, *args):
        """A message to the running kiosk over the session bus, as another program sends it."""
        return subprocess.run([self.tarnwick, "--poke", *args], capture_output=True, text=True, timeout=20,
                              env=self.env)

    def show(self, page):
        """The page of the folder's pages/ (self.base) sent to the kiosk; True once it has loaded."""
        url = self.base + "/" + page
        mark = len(self.log())
        self.poke("TW_SendURL", url)
        return self.wait_for_line("Page Loaded - " + url, 20, mark)

    def exited(self, seconds=15):
        try:
            self.process.wait(seconds)
        except subprocess.TimeoutExpired:
            return False
        return True

    def stop(self):
        """Ends the kiosk as the system does and checks that it closed down in order."""
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            if not self.exited(15):
                self.process.kill()
                self.process.wait()
                self.results.fail("kiosk did not stop within 15 s of SIGTERM")
        self.results.check(self.process.returncode == 0, "kiosk exit status %s" % self.process.returncode)
        self.results.check(self.log()[-1:] == ["Tarnwick Closing Down"], "last log line: %s" % self.log()[-1:])
        self.out.close()
        if self.results.failures:
            with open(os.path.join(self.dir, "out.txt")) as f:
                print("kiosk output:\n" + f.read())
            print("log:\n" + "\n".join(self.log()))
            if os.environ.get("TARNWICK_KEEP"):
                print("kept", self.dir)
                return
        shutil.rmtree(self.dir, ignore_errors=True)


def xdotool(*args):
    # A search stops at its first X error and prints nothing: a window that was destroyed
    # while it was being looked at (a dialog closing) would make every other window seem
    # gone. The search is asked again (up to 20 times) until it sees the windows as they stand.
    for _ in range(21):
        r = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=10)
        if args[:1] != ("search",) or r.returncode == 0 or "X Error" not in r.stderr:
            break
        time.sleep(0.01)
    return r


def click(x, y, pause=0.15):
    xdotool("mousemove", str(x), str(y))
    xdotool("click", "1")
    time.sleep(pause)


def window_geometry(window):
    """(x, y, width, height) of a window on the screen."""
    geometry = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", window).stdout.split())
    return int(geometry["X"]), int(geometry["Y"]), int(geometry["WIDTH"]), int(geometry["HEIGHT"])


def wait_for_window(name, seconds=10):
    """The id of the first visible window whose name matches, or None."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        r = xdotool("search", "--onlyvisible", "--name", name)
        if r.returncode == 0 and r.stdout.strip():
            return r.stdout.split()[0]
        time.sleep(0.1)
    return None


def x_server_alive():
    """True while the X server of DISPLAY answers."""
    try:
        return xdotool("getmouselocation").returncode == 0
    except subprocess.TimeoutExpired:
        return False


def visible_top_windows():
    """Ids of the mapped top-level windows (the root window's viewable children)."""
    display = os.environ.get("DISPLAY", "")
    if display not in _root_windows:
        root = xdotool("search", "--maxdepth", "0", "--name", "")
        _root_windows[display] = {int(w) for w in root.stdout.split() if w.isdigit()}
    r = xdotool("search", "--maxdepth", "1", "--onlyvisible", "--name", "")
    return {int(w) for w in r.stdout.split() if w.isdigit()} - _root_windows[display]


_root_windows = {}


def window_pid(window):
    """The window's _NET_WM_PID, or None when it has none."""
    r = xdotool("getwindowpid", str(window))
    return int(r.stdout) if r.returncode == 0 and r.stdout.strip().isdigit() else None


def window_name(window):
    return xdotool("getwindowname", str(window)).stdout.strip()


def screen_pixels():
    """The whole screen as (width, height, rgb bytes), or None when it cannot be read."""
    r = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], capture_output=True, timeout=30)
    # "P6 WIDTH HEIGHT 255" and one white space before the pixels.
    header, at = [], 0
    while r.returncode == 0 and len(header) < 4 and at < len(r.stdout):
        while at < len(r.stdout) and r.stdout[at:at + 1].isspace():
            at += 1
        end = at
        while end < len(r.stdout) and not r.stdout[end:end + 1].isspace():
            end += 1
        header.append(r.stdout[at:end])
        at = end + 1
    if len(header) < 4 or header[0] != b"P6" or header[3] != b"255":
        return None
    width, height = int(header[1]), int(header[2])
    data = r.stdout[at:]
    return (width, height, data) if len(data) >= width * height * 3 else None


def black_share(x, y, w, h):
    """The share of pure black pixels in a region of the screen (-1 when it cannot be read)."""
    shot = screen_pixels()
    if not shot:
        return -1.0
    width, _, data = shot
    black = 0
    for row in range(y, y + h):
        line = data[(row * width + x) * 3:(row * width + x + w) * 3]
        black += sum(1 for i in range(0, len(line), 3) if line[i:i + 3] == b"\0\0\0")
    return black / float(w * h)


def process_parents():
    """Parent pid of every running process."""
    parents = {}
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % name, "rb") as f:
                stat = f.read()
            parents[int(name)] = int(stat[stat.rindex(b")") + 2:].split()[1])
        except (OSError, ValueError, IndexError):
            pass
    return parents


def process_tree(pid):
    """The pid and all its running descendants."""
    children = {}
    for child, parent in process_parents().items():
        children.setdefault(parent, []).append(child)
    tree, todo = set(), [pid]
    while todo:
        p = todo.pop()
        if p not in tree:
            tree.add(p)
            todo.extend(children.get(p, []))
    return tree


def listening_ports(pids):
    """The listening TCP sockets (local address:port, pid) held by the given processes."""
    r = subprocess.run(["ss", "-ltnpH"], capture_output=True, text=True, timeout=10)
    found = set()
    for line in r.stdout.splitlines():
        fields = line.split()
        for part in line.split("pid=")[1:]:
            pid = part.split(",")[0].split(")")[0]
            if pid.isdigit() and int(pid) in pids and len(fields) > 3:
                found.add((fields[3], int(pid)))
    return found


def window_exists(window):
    return subprocess.run(["xwininfo", "-id", str(window)], capture_output=True, timeout=10).returncode == 0
