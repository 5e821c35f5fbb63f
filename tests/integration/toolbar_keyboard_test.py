#!/usr/bin/env python3
"""Runs the real kiosk with its embedded browser (DISPLAY must point at an X server)
and uses its tool bar and on-screen keyboard with the mouse, as a visitor would: the
Keyboard button raises the keyboard, the keys type into a text field of a local page
(which submits it, so the log shows what arrived), Back, Forward, Start and Help
navigate and log their lines, Zoom In makes every page after it larger (the Help page
reports the zoom it sees), High Contrast turns the tool bar and the page white on black,
and the frame key (F6) takes the keyboard to the tool bar, where the arrows, Enter and
Escape work it.

usage: toolbar_keyboard_test.py TARNWICK
"""
import os
import re
import sys
import time

from kiosk_driver import KioskProcess, Results, black_share, click, xdotool

TARNWICK = sys.argv[1]
# TOOLBAR_BROWSER=external: the same with the external browser (chromium) in the hole.
EXTERNAL = os.environ.get("TOOLBAR_BROWSER") == "external"
results = Results()
check = results.check

# Design geometry at scale 1.0 (ScreenMode=1): the bottom form's top with the keyboard
# hidden and shown, the tool bar's slots (NumberOfButtons 7) and the keys' places on
# their page, which starts 57 pixels below the form's top.
HIDDEN_TOP, SHOWN_TOP, TOOLBAR = 543, 329, 57
KEYS = {  # name: (left, top, width, height)
    "shift": (16, 128, 72, 40), "H": (304, 88, 40, 40), "e": (176, 48, 40, 40), "l": (424, 88, 40, 40),
    "o": (416, 48, 40, 40), ",": (408, 128, 40, 40), "space": (112, 168, 392, 40), "W": (136, 48, 40, 40),
    "r": (216, 48, 40, 40), "d": (184, 88, 40, 40), "1": (80, 8, 40, 40), "return": (584, 48, 64, 80),
}
SLOTS = {"start": 1, "back": 2, "forward": 3, "help": 4, "zoom in": 5, "keyboard": 6, "high contrast": 7}


class Kiosk(KioskProcess):
    def __init__(self):
        super().__init__(TARNWICK, results, "tarnwick-toolbar-")
        self.write_file("pages/search.htm", '<!DOCTYPE html><html><body><form action="result.htm">'
                        '<input id="query" name="query" autofocus></form></body></html>')
        for name in ("result.htm", "zoom.htm"):
            self.write_file("pages/" + name, "<!DOCTYPE html><html><body>%s</body></html>" % name)
        # Browser zoom shows in the device pixel ratio, a zoom of the page's root in its own.
        self.write_file("pages/help.htm", "<!DOCTYPE html><html><body>help<script>"
                        "var zoom = devicePixelRatio * (document.documentElement.currentCSSZoom || 1);"
                        "location.replace('zoom.htm?' + Math.round(zoom * 100));</script></body></html>")
        self.base = "file://" + os.path.join(self.dir, "pages")
        self.write_file("Tarnwick.ini", "[PREFERENCES]\nScreenMode=1\n[BROWSER]\n%s\n"
                        "[URLS]\nStart=%s/search.htm\nHelp=%s/help.htm\n"
                        "[BUTTONS]\nNumberOfButtons=7\nStartOn=1\nBackOn=2\nForwardOn=3\nHelpOn=4\nZoomInOn=5\n"
                        "KeyboardOn=6\nHighContrastOn=7\n"
                        % ("Browser=0\nFileName=/usr/bin/chromium" if EXTERNAL else "Browser=1", self.base, self.base))
        self.top = HIDDEN_TOP
        self.start()

    def press_button(self, name):
        slot = SLOTS[name]
        click(9 + 113 * (slot - 1) + 52, self.top + 8 + 20)

    def press_key(self, name):
        left, top, width, height = KEYS[name]
        click(left + width // 2, SHOWN_TOP + TOOLBAR + top + height // 2)

    def bottom_form_top(self):
        r = xdotool("search", "--name", "^FormBottom$")
        if r.returncode != 0 or not r.stdout.split():
            return None
        geometry = xdotool("getwindowgeometry", r.stdout.split()[0]).stdout
        for line in geometry.splitlines():
            if "Position:" in line:
                return int(line.split("Position:")[1].split(",")[1].split()[0])
        return None

    def browser_rect(self):
        """The browser window's (x, y, width, height), or None."""
        if EXTERNAL:
            r = xdotool("search", "--onlyvisible", "--class", "^Chromium$")
        else:
            r = xdotool("search", "--onlyvisible", "--name", "^Tarnwick$")
        for window in r.stdout.split():
            text = xdotool("getwindowgeometry", window).stdout
            pos = re.search(r"Position: (-?\d+),(-?\d+)", text)
            size = re.search(r"Geometry: (\d+)x(\d+)", text)
            if pos and size:
                return (int(pos.group(1)), int(pos.group(2)), int(size.group(1)), int(size.group(2)))
        return None


def main():
    k = Kiosk()
    search = "Page Loaded - %s/search.htm" % k.base
    if EXTERNAL and not os.access("/usr/bin/chromium", os.X_OK):
        print("chromium is not installed: skipped")
        sys.exit(77)
    check(k.wait_for_line(search, 60 if EXTERNAL else 30), "start page never loaded")
    time.sleep(0.5)
    check(k.bottom_form_top() == HIDDEN_TOP, "tool bar not at %d: %s" % (HIDDEN_TOP, k.bottom_form_top()))

    # From the keyboard: F6 to the tool bar's first button (Start), Right past the disabled
    # Back and Forward to Help, Enter presses it.
    mark = len(k.log())
    for key in ["F6", "Right", "Return"]:
        xdotool("key", key)
        time.sleep(0.3)
    check(k.wait_for_line("Help Button Pressed - %s/help.htm" % k.base, 5, mark),
          "F6, Right and Enter did not press Help: %s" % k.log()[mark:])
    check(k.wait_for_line("Page Loaded - %s/zoom.htm?100" % k.base, 10, mark), "Help page not at 100 %")
    k.press_button("start")
    check(k.wait_for_line(search, 10, mark), "Start page not loaded after Help")
    time.sleep(0.5)

    # The browser fills the hole between the panels: from the top bar to the tool bar.
    browser_before = k.browser_rect()
    check(browser_before == (24, 59, 703, 486), "browser window with the keyboard hidden: %s" % (browser_before,))
    k.press_button("keyboard")
    check(k.wait_for_line("Keyboard Shown", 5), "no 'Keyboard Shown'")
    k.top = SHOWN_TOP
    time.sleep(0.3)
    check(k.bottom_form_top() == SHOWN_TOP, "keyboard not raised to %d: %s" % (SHOWN_TOP, k.bottom_form_top()))
    browser_shown = k.browser_rect()
    check(browser_shown == (24, 59, 703, 272), "browser window with the keyboard shown: %s" % (browser_shown,))

    for key in ["shift", "H", "e", "l", "l", "o", ",", "space", "shift", "W", "o", "r", "l", "d", "shift", "1"]:
        k.press_key(key)
    k.press_key("return")
    typed = "Page Loaded - %s/result.htm?query=Hello%%2C+World%%21" % k.base
    check(k.wait_for_line(typed, 10), "the page did not receive 'Hello, World!'")

    mark = len(k.log())
    k.press_button("back")
    check(k.wait_for_line("Back Button Pressed", 5, mark), "no 'Back Button Pressed'")
    check(k.wait_for_line(search, 10, mark), "Back did not return to the search page")
    mark = len(k.log())
    k.press_button("forward")
    check(k.wait_for_line("Forward Button Pressed", 5, mark), "no 'Forward Button Pressed'")
    check(k.wait_for_line(typed, 10, mark), "Forward did not return to the result")
    mark = len(k.log())
    k.press_button("help")
    check(k.wait_for_line("Help Button Pressed - %s/help.htm" % k.base, 5, mark), "no 'Help Button Pressed'")
    check(k.wait_for_line("Page Loaded - %s/zoom.htm?100" % k.base, 10, mark), "Help page not at 100 %")
    mark = len(k.log())
    k.press_button("start")
    check(k.wait_for_line("Start Button Pressed - %s/search.htm" % k.base, 5, mark), "no 'Start Button Pressed'")
    check(k.wait_for_line(search, 10, mark), "Start page not loaded again")

    k.press_button("keyboard")
    check(k.wait_for_line("Keyboard Hidden", 5), "no 'Keyboard Hidden'")
    k.top = HIDDEN_TOP
    time.sleep(0.3)
    check(k.bottom_form_top() == HIDDEN_TOP, "keyboard not lowered to %d: %s" % (HIDDEN_TOP, k.bottom_form_top()))
    check(k.browser_rect() == browser_before, "browser window after two presses: %s" % (k.browser_rect(),))

    # Two steps of zoom hold for the pages after them.
    mark = len(k.log())
    k.press_button("zoom in")
    k.press_button("zoom in")
    check(k.wait_for(lambda: k.log()[mark:].count("Zoom In Pressed") == 2, 5), "no two 'Zoom In Pressed'")
    k.press_button("help")
    check(k.wait_for_line("Page Loaded - %s/zoom.htm?125" % k.base, 10, mark),
          "the page after two steps of zoom is not at 125 %%: %s" % k.log()[mark:])

    # High contrast: the tool bar and the page (white before) turn black, and back.
    toolbar = (0, HIDDEN_TOP + 4, 780, TOOLBAR - 8)
    page = (browser_before[0] + 20, browser_before[1] + 60, 300, 150)
    before = (black_share(*toolbar), black_share(*page))
    check(before[0] < 0.2 and before[1] < 0.2, "black before high contrast: %s" % (before,))
    mark = len(k.log())
    k.press_button("high contrast")
    check(k.wait_for_line("High Contrast On", 5, mark), "no 'High Contrast On'")
    time.sleep(0.8)
    on = (black_share(*toolbar), black_share(*page))
    check(on[0] > 0.7 and on[1] > 0.9, "black with high contrast on (tool bar, page): %s" % (on,))
    k.press_button("start")
    check(k.wait_for_line(search, 10, mark), "Start page not loaded in high contrast")
    time.sleep(0.8)
    check(black_share(*page) > 0.9, "the next page is not in high contrast: %s" % black_share(*page))
    k.press_button("high contrast")
    check(k.wait_for_line("High Contrast Off", 5, mark), "no 'High Contrast Off'")
    time.sleep(0.8)
    after = (black_share(*toolbar), black_share(*page))
    check(after[0] < 0.2 and after[1] < 0.2, "black after high contrast off: %s" % (after,))

    # F6 into the tool bar and Escape out: typing goes on in the page's field.
    mark = len(k.log())
    for key in ["F6", "Escape"]:
        xdotool("key", key)
        time.sleep(0.3)
    xdotool("type", "abc")
    xdotool("key", "Return")
    check(k.wait_for_line("Page Loaded - %s/result.htm?query=abc" % k.base, 10, mark),
          "after F6 and Escape the page did not get the typing: %s" % k.log()[mark:])
    k.stop()


main()
results.finish()
