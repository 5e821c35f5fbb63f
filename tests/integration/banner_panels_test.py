#!/usr/bin/env python3
"""Runs the real kiosk with its embedded browser (DISPLAY must point at an X server) and
uses the banner bar and the side panels with the mouse: the banner rotation with a missing
picture, banner, logo and page-button clicks, the Down arrow scrolling a long page, a field
near the bottom scrolled into view after the keyboard is raised, the exit password and
the clock's exit.

usage: banner_panels_test.py TARNWICK
PANELS_BROWSER=external runs the scrolling parts against the external browser (chromium).
"""
import os
import re
import sys
import time

import kiosk_driver
from kiosk_driver import KioskProcess, Results

TARNWICK = sys.argv[1]
EXTERNAL = os.environ.get("PANELS_BROWSER") == "external"
results = Results()
check = results.check

# Design geometry at scale 1.0 (ScreenMode=1).
CLOCK = (30, 30)
BANNER = (400, 30)
LOGO = (770, 30)
CUSTOM1 = (725 + 8 + 28, 60 + 8 + 20)
DOWN = (725 + 8 + 28, 60 + 344 + 20)
TOOLBAR_TOP = 543
SLOTS = {"start": 1, "back": 2, "forward": 3, "keyboard": 6}

# A page that says how far it was scrolled, once the scrolling has come to rest.
REPORT = """<script>
var quiet;
addEventListener('scroll', function () {
  clearTimeout(quiet);
  quiet = setTimeout(function () { location = '%s?' + %s; }, 700);
});
</script>"""


def click(x, y):
    kiosk_driver.click(x, y, pause=0.2)


class Kiosk(KioskProcess):
    def __init__(self, settings="", start="long.htm", times="Time0=2\nTime1=600"):
        super().__init__(TARNWICK, results, "tarnwick-panels-")
        pages = os.path.join(self.dir, "pages")
        os.makedirs(pages)
        self.base = "file://" + pages
        tall = '<div style="height:3000px">tall</div>'
        files = {
            "long.htm": tall + REPORT % ("scrolled.htm", "'y=' + Math.round(scrollY)"),
            "field.htm": '<div style="height:420px"></div><input id="f" autofocus><div style="height:2000px"></div>'
                         + REPORT % ("inview.htm", "'top=' + Math.round(document.getElementById('f')"
                                                   ".getBoundingClientRect().top)"),
        }
        for name in ("scrolled.htm", "inview.htm", "one.htm", "logo.htm", "custom.htm"):
            files[name] = name
        for name, body in files.items():
            with open(os.path.join(pages, name), "w") as f:
                f.write("<!DOCTYPE html><html><body style='margin:0'>%s</body></html>" % body)
        with open(os.path.join(self.dir, "Tarnwick.ini"), "w") as ini:
            ini.write("[PREFERENCES]\nScreenMode=1\n%s\n[BROWSER]\n%s\n"
                      "[URLS]\nStart=%s/%s\nLogo=%s/logo.htm\n"
                      "[BUTTONS]\nNumberOfButtons=6\nStartOn=1\nBackOn=2\nForwardOn=3\nKeyboardOn=6\n"
                      "Custom1URL=%s/custom.htm\nCustom1Text=Custom\n"
                      "[BANNERGRAPHICS]\nGraphic0=\nGraphic1=%s/missing.gif\n"
                      "[BANNERURLS]\nURL0=%s/one.htm\nURL1=none\n[BANNERTIMES]\n%s\n"
                      % (settings, "Browser=0\nFileName=/usr/bin/chromium" if EXTERNAL else "Browser=1",
                         self.base, start, self.base, self.base, self.dir, self.base, times))
        self.start()

    def wait_for_match(self, pattern, seconds=20, after=0):
        """The first match of the pattern in the log from position `after` on, or None."""
        deadline = time.time() + seconds
        while time.time() < deadline:
            for line in self.log()[after:]:
                match = re.search(pattern, line)
                if match:
                    return match
            time.sleep(0.1)
        return None

    def loaded(self, name, seconds=15, after=0):
        return self.wait_for_match(re.escape("Page Loaded - %s/%s" % (self.base, name)), seconds, after)

    def press_button(self, name):
        click(10 + 132 * (SLOTS[name] - 1) + 60, TOOLBAR_TOP + 8 + 20)


def panels_and_scrolling():
    # Step mode: one press of Down scrolls seven lines of 20 pixels.
    k = Kiosk("ScrollOn=0")
    check(k.loaded("long.htm", 60 if EXTERNAL else 30), "start page never loaded")
    time.sleep(1.0)  # the arrows learn what the page can scroll
    click(*DOWN)
    m = k.wait_for_match(r"scrolled\.htm\?y=(\d+)", 10)
    check(m is not None and m.group(1) == "140", "one Down press scrolled to %s, not 140" % (m and m.group(1)))

    # The banner rotates after two seconds to a picture that is missing.
    missing = os.path.join(k.dir, "missing.gif")
    check(k.wait_for_match(re.escape("Cannot Load Banner - " + missing), 10) is not None,
          "no 'Cannot Load Banner' line")
    mark = len(k.log())
    click(*BANNER)  # URL "none": nothing happens but the password step
    time.sleep(1.0)
    check(not any("Banner Pressed" in line for line in k.log()[mark:]), "banner with URL 'none' navigated")
    click(*LOGO)
    check(k.loaded("logo.htm", 10, mark) is not None, "the logo's page did not load")
    mark = len(k.log())
    click(*CUSTOM1)
    check(k.loaded("custom.htm", 10, mark) is not None, "custom button 1's page did not load")
    k.stop()


def field_into_view():
    # A field near the bottom of the page view is hidden by the raised keyboard; the page
    # scrolls until the field is within 100 pixels of the top, then stops.
    k = Kiosk(start="field.htm")
    check(k.loaded("field.htm", 60 if EXTERNAL else 30), "field page never loaded")
    time.sleep(0.5)
    k.press_button("keyboard")
    check(k.wait_for_match("Keyboard Shown", 5) is not None, "no 'Keyboard Shown'")
    m = k.wait_for_match(r"inview\.htm\?top=(-?\d+)", 15)
    check(m is not None, "the page did not scroll after the keyboard was raised")
    if m:
        top = int(m.group(1))
        check(80 <= top <= 100, "the field ended %d pixels below the top, not within 80..100" % top)
    k.stop()


def exit_password_and_clock():
    # Password "DC" (page button 1, then the logo), fed by the panels' buttons: a press in
    # between (the banner) starts the sequence again.
    k = Kiosk("PasswordOn=1\nPassword=DC")
    check(k.loaded("long.htm", 30), "start page never loaded")
    for place in (CUSTOM1, BANNER, LOGO):
        click(*place)
    check(not k.exited(2), "page button, banner, logo ended the kiosk")
    click(*CUSTOM1)
    click(*LOGO)
    check(k.exited(10), "page button then logo did not end the kiosk")
    k.stop()

    # With the keyboard's Exit buttons shown a click on the clock ends the kiosk.
    k = Kiosk()
    check(k.loaded("long.htm", 30), "start page never loaded")
    click(*CLOCK)
    check(k.exited(10), "the clock did not end the kiosk")
    k.stop()


def visible_window(name):
    return bool(kiosk_driver.xdotool("search", "--onlyvisible", "--name", "^%s$" % name).stdout.split())


def error_dialog():
    # A banner time that is not a number: reported once in the error dialog, which logs it
    # and closes by itself after ten seconds; the kiosk goes on.
    k = Kiosk(times="Time0=soon\nTime1=600")
    check(k.loaded("long.htm", 30), "start page never loaded")
    text = "Error - 1 bad setting in Tarnwick.ini - see log"
    check(k.wait_for_match(re.escape(text), 5) is not None, "no error line")
    setting = ("Setting [BANNERTIMES] Time0=soon in Tarnwick.ini: 'soon' is not a valid integer value"
               " - the banner is skipped")
    check(sum(line == setting for line in k.log()) == 1, "the bad setting was not logged exactly once")
    time.sleep(0.5)
    check(visible_window("DialogError"), "the error dialog is not shown")
    deadline = time.time() + 13
    while time.time() < deadline and visible_window("DialogError"):
        time.sleep(0.5)
    check(not visible_window("DialogError"), "the error dialog did not close by itself")
    check(sum(text in line for line in k.log()) == 1, "the error was not logged exactly once")
    mark = len(k.log())
    click(*LOGO)
    check(k.loaded("logo.htm", 10, mark) is not None, "the kiosk did not go on after the error")
    k.stop()


def main():
    if EXTERNAL:
        # The panels themselves do not depend on the browser: only the scrolling is run.
        if not os.access("/usr/bin/chromium", os.X_OK):
            print("chromium is not installed: skipped")
            sys.exit(77)
        panels_and_scrolling()
        field_into_view()
        return
    error_dialog()
    panels_and_scrolling()
    field_into_view()
    exit_password_and_clock()


main()
results.finish()
