#!/usr/bin/python3
"""Walks the real kiosk's windows on the accessibility bus as a screen reader does
(DISPLAY must point at an X server, DBUS_SESSION_BUS_ADDRESS at a session bus of the
test's own): every button and key that is shown has a role and a name, a button that
shows only its picture is named from the language file, the keyboard is raised through
the Keys button's action, the clock reads out the time, and the page's own tree (title,
heading, text, search field) is there for the embedded and the external browser.

usage: accessibility_test.py TARNWICK [embedded|external]
Runs under the system's Python, which has the accessibility bindings (pyatspi).
"""
import os
import re
import subprocess
import sys
import time

try:
    import pyatspi
except ImportError:
    print("pyatspi is not installed: skipped")
    sys.exit(77)

from kiosk_driver import KioskProcess, Results

TARNWICK = sys.argv[1]
EXTERNAL = sys.argv[2:] == ["external"]
results = Results()
check = results.check

PAGE = """<!DOCTYPE html><html><head><title>Opening hours</title></head><body>
<h1>Library opening hours</h1><p>Open every day from nine to five.</p>
<form><input type="search" aria-label="Search the catalogue"></form></body></html>"""


class Kiosk(KioskProcess):
    def __init__(self):
        super().__init__(TARNWICK, results, "tarnwick-a11y-")
        self.write_file("pages/hours.htm", PAGE)
        self.url = "file://" + os.path.join(self.dir, "pages", "hours.htm")
        browser = "Browser=0\nFileName=/usr/bin/chromium" if EXTERNAL else "Browser=1"
        # The Help button shows only its picture; the language file names it.
        self.write_file("Tarnwick.ini", "[PREFERENCES]\nScreenMode=1\nShowClock=1\n[BROWSER]\n%s\n"
                        "[URLS]\nStart=%s\nHelp=%s\n[TEXT]\nHelp=\nUp=\n"
                        "[BUTTONS]\nNumberOfButtons=6\nStartOn=1\nBackOn=2\nForwardOn=3\nHelpOn=4\nKeyboardOn=6\n"
                        % (browser, self.url, self.url))
        self.write_file("TWLang.ini", "[MESSAGES]\nHelpName=Ask for help\n")
        self.start()


def switch_accessibility_on():
    """What a screen reader does when it starts: the desktop's accessibility switched on."""
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                    "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:IsEnabled",
                    "variant:boolean:true"], check=True, capture_output=True, timeout=20)


def nodes(accessible, depth=0, limit=4000):
    """Every node under `accessible` as (role name, name, showing, node), depth first."""
    found = []
    stack = [(accessible, depth)]
    while stack and len(found) < limit:
        node, level = stack.pop()
        try:
            found.append((node.getRoleName(), node.name or "", node.getState().contains(pyatspi.STATE_SHOWING),
                          node))
            children = [node.getChildAtIndex(i) for i in range(node.childCount)]
        except Exception:  # a node that went away while it was read
            continue
        if level < 40:
            stack.extend((c, level + 1) for c in reversed(children) if c is not None)
    return found


def application(name_pattern, seconds=30):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and re.search(name_pattern, app.name or "", re.I):
                return app
        time.sleep(0.5)
    return None


def wait_for(predicate, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.5)
    return predicate()


def shown_controls(app):
    return [(role, name) for role, name, showing, _ in nodes(app) if showing and role == "push button"]


def page_document(apps_pattern):
    """The page's document (its name is the page's title) and what lies in it."""
    app = application(apps_pattern, 5)
    if app is None:
        return None
    for role, name, _, node in nodes(app):
        if role == "document web" and name == "Opening hours":
            inside = nodes(node)
            if any(n == "Library opening hours" or "Library opening hours" in n for _, n, _, _ in inside):
                return inside
    return None


def main():
    if EXTERNAL and not os.access("/usr/bin/chromium", os.X_OK):
        print("chromium is not installed: skipped")
        sys.exit(77)
    switch_accessibility_on()
    k = Kiosk()
    try:
        if not check(k.wait_for_line("Page Loaded - " + k.url, 60), "the start page loaded"):
            return
        app = application("^Tarnwick$")
        if not check(app is not None, "the kiosk is on the accessibility bus"):
            return
        controls = wait_for(lambda: shown_controls(app))
        names = [name for _, name in controls]
        check(all(names), "every shown button has a name: %s" % names)
        check("Ask for help" in names, "the Help button, shown only as its picture, is named from the "
              "language file: %s" % names)
        check("Scroll up" in names, "the side panel's Up arrow, without its caption, has its English name: %s"
              % names)
        check(not {"Backspace", "Space"} & set(names), "the lowered keyboard's keys are not offered: %s" % names)
        clock = [n for role, n, showing, _ in nodes(app) if showing and re.fullmatch(r"\d\d:\d\d", n)]
        check(bool(clock), "the clock reads out the time")

        # The keyboard raised through the button's action, as a screen reader presses it.
        keys_button = [node for role, name, showing, node in nodes(app)
                       if showing and role == "push button" and name == "Show"]
        if check(bool(keys_button), "the Keyboard button is there: %s" % names):
            keys_button[0].queryAction().doAction(0)
            check(k.wait_for_line("Keyboard Shown", 20), "the Keys button's action raised the keyboard")
            wanted = {"Backspace", "Shift", "Space", "Enter", "a", "1", "Up arrow"}
            shown = wait_for(lambda: wanted <= {n for _, n in shown_controls(app)} and shown_controls(app))
            names = [name for _, name in shown or shown_controls(app)]
            check(wanted <= set(names), "the keys are named by what they type: %s" % sorted(set(names)))
            check(all(names), "every shown key has a name")

        inside = wait_for(lambda: page_document("^Chromium$" if EXTERNAL else "^Tarnwick$"), 30)
        if check(inside is not None, "the page's document is on the bus with its title and heading"):
            texts = " ".join(n for _, n, _, _ in inside)
            check("Open every day" in texts, "the page's text is in its tree")
            check(any(role in ("entry", "text") and name == "Search the catalogue" for role, name, _, _ in inside),
                  "the search field is in the page's tree with its name: %s" % [(r, n) for r, n, _, _ in inside])
    finally:
        k.stop()
    results.finish()


main()
