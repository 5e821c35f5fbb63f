#!/usr/bin/env python3
"""The kiosk's windows that wait for a visitor (the new-window question, a message box, the
error dialog, the e-mail window) while what they belong to goes away under them: the kiosk
asked to end (SIGTERM, as systemd does), the browser or its page process killed, the idle
return. The kiosk must neither crash nor hang, must close down in order, and a build with
AddressSanitizer and UndefinedBehaviorSanitizer (scripts/test --sanitize) must report nothing.

usage: race_test.py TARNWICK embedded|external   (DISPLAY and DBUS_SESSION_BUS_ADDRESS set)
"""
import os
import signal
import subprocess
import sys
import time

from kiosk_driver import KioskProcess, Results, click, process_tree, wait_for_window, window_geometry, xdotool

TARNWICK, BROWSER = sys.argv[1], sys.argv[2]
results = Results()
check = results.check

# What the sanitizers print when they find something.
SANITIZER_REPORTS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:", "SUMMARY: UndefinedBehavior")

PAGES = {
    "start.htm": "<!DOCTYPE html><html><head><title>Start</title></head><body>start</body></html>",
    # A link that asks for a new window (NewBrowser 3: the kiosk asks the visitor).
    "popup.htm": "<!DOCTYPE html><html><body style='margin:0'><a href='start.htm' target='_blank' "
                 "style='display:block;height:300px;background:#ccc'>new window</a></body></html>",
    # A message box the operator's child string leaves to the visitor.
    "note.htm": "<!DOCTYPE html><html><body>note<script>setTimeout(function(){alert('Please note: closed "
                "at five')},300)</script></body></html>",
}


class Kiosk(KioskProcess):
    def __init__(self, more=""):
        super().__init__(TARNWICK, results, "tarnwick-race-")
        for name, text in PAGES.items():
            self.write_file("pages/" + name, text)
        self.base = "file://" + os.path.join(self.dir, "pages")
        browser = "Browser=0\nFileName=/usr/bin/chromium" if BROWSER == "external" else "Browser=1"
        self.write_file("Tarnwick.ini", "[PREFERENCES]\nScreenMode=1\nNewBrowser=3\n[BROWSER]\n%s\n[URLS]\n"
                        "Start=%s/start.htm\n[CHILDSTRINGS]\nChildString0=Please note\n%s"
                        % (browser, self.base, more))
        self.start()
        check(self.wait_for_line("Page Loaded - %s/start.htm" % self.base, 40), "start page not loaded")

    def ask_new_window(self):
        xdotool("mousemove", "710", "710")
        check(self.show("popup.htm"), "popup page not loaded")
        time.sleep(0.5)
        click(200, 200)
        question = wait_for_window("New Browser Window Detected", 10)
        if question:
            self.question = window_geometry(question)
        return check(question, "no new-window question")

    def kill_browser(self):
        """The browser program (external) or the page's process (embedded), killed."""
        marker = b"--type=renderer"
        pids = []
        for pid in process_tree(self.process.pid) - {self.process.pid}:
            try:
                with open("/proc/%d/cmdline" % pid, "rb") as f:
                    cmdline = f.read()
                with open("/proc/%d/stat" % pid) as f:
                    ppid = int(f.read().rsplit(")", 1)[1].split()[1])
            except (OSError, ValueError, IndexError):
                continue
            if BROWSER == "external" and ppid == self.process.pid and b"chromium" in cmdline.split(b"\0")[0]:
                pids.append(pid)
            elif BROWSER == "embedded" and marker in cmdline:
                pids.append(pid)
        check(pids, "no browser process to kill")
        for pid in pids:
            os.kill(pid, signal.SIGKILL)

    def sanitizers_quiet(self):
        with open(os.path.join(self.dir, "out.txt"), errors="replace") as f:
            found = [line.rstrip() for line in f if any(r in line for r in SANITIZER_REPORTS)]
        check(not found, "sanitizer report: %s" % found[:3])


def window_shown(name):
    return wait_for_window(name, 0.1) is not None


def finish(k):
    """SIGTERM while the window waits: the kiosk closes down in order, and the sanitizers
    (which print as the process ends) have said nothing."""
    if k.process.poll() is None:
        k.process.send_signal(signal.SIGTERM)
        try:
            k.process.wait(30)
        except subprocess.TimeoutExpired:
            pass
    if k.process.poll() is not None:
        k.out.flush()
        k.sanitizers_quiet()
    k.stop()


def question_then_sigterm():
    k = Kiosk()
    k.ask_new_window()
    finish(k)


def question_then_browser_killed():
    k = Kiosk()
    if k.ask_new_window():
        k.kill_browser()
        time.sleep(2)
        check(k.process.poll() is None, "kiosk died when the browser went under the question")
        # The visitor presses "Transfer Control" where the question was (or still is).
        x, y, _, _ = k.question
        click(x + 72, y + 122)
        check(k.wait_for(lambda: not window_shown("New Browser Window Detected"), 10), "the question stayed")
        check(k.wait_for_line("Page Loaded - %s/start.htm" % k.base, 40, 0), "no page after the browser came back")
        time.sleep(1)
        check(k.process.poll() is None, "kiosk died after the question had been answered")
    finish(k)


def question_then_idle_return():
    k = Kiosk("[ATTRACT]\nTimeStart=6\n")
    if k.ask_new_window():
        mark = len(k.log())
        check(k.wait_for_line("Visitor Session Cleared", 15, mark), "no idle return while the question was up")
        check(k.wait_for(lambda: not window_shown("New Browser Window Detected"), 10), "the question outlived the visitor")
        time.sleep(1)
        check(k.process.poll() is None, "kiosk died at the idle return")
    finish(k)


def message_box_then_sigterm():
    k = Kiosk()
    xdotool("mousemove", "700", "700")
    check(k.show("note.htm"), "note page not loaded")
    time.sleep(1.5)
    finish(k)


def error_dialog_then_sigterm():
    k = Kiosk()
    k.poke("TW_SendURL", "tw-command:PRINT?")
    check(k.wait_for_line("Print failed - no printer", 15), "print without a printer not logged")
    check(k.wait_for(lambda: window_shown("Error"), 10), "no error dialog")
    finish(k)


def email_window_then_sigterm():
    k = Kiosk("[BUTTONS]\nEmailOn=5\n[EMAIL]\nDefaultServer=127.0.0.1\n")
    k.poke("TW_SendURL", "tw-command:EMAIL?")
    check(k.wait_for_line("Email Window Opened", 15), "no e-mail window")
    time.sleep(1)
    finish(k)


for test in [question_then_sigterm, question_then_browser_killed, question_then_idle_return,
             message_box_then_sigterm, error_dialog_then_sigterm, email_window_then_sigterm]:
    print("--", BROWSER, test.__name__, flush=True)
    try:
        test()
    except Exception as e:  # a broken scenario must not hide the others
        results.fail("%s: %r" % (test.__name__, e))

results.finish()
