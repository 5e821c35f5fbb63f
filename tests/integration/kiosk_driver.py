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
    """The web engine needs no GPU, and no sandbox when run as root."""
    env = dict(os.environ, QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu")
    if os.geteuid() == 0:
        env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
    return env


class KioskProcess:
    """One kiosk on a temporary program folder. Subclasses write the folder's files, then
    call start()."""

    def __init__(self, tarnwick, results, prefix="tarnwick-test-"):
        self.tarnwick = tarnwick
        self.results = results
        self.dir = tempfile.mkdtemp(prefix=prefix)
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
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=10)


def click(x, y, pause=0.15):
    xdotool("mousemove", str(x), str(y))
    xdotool("click", "1")
    time.sleep(pause)


def wait_for_window(name, seconds=10):
    """The id of the first visible window whose name matches, or None."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        r = xdotool("search", "--onlyvisible", "--name", name)
        if r.returncode == 0 and r.stdout.strip():
            return r.stdout.split()[0]
        time.sleep(0.1)
    return None
