"""A key's legend changed on the Setup Manager's Keyboard page as an operator would, on a
copy of the demo: the Q key is clicked (which selects it), its Top Left legend becomes "W",
OK saves TWLang.ini and offers to save the customised keyboard (accepted with the name
proposed), and the kiosk started afterwards draws the Q key exactly like the W key.

    setup_keyboard_test.py TARNWICK_SETUP TARNWICK DEMO_FOLDER"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from kiosk_driver import KioskProcess, Results, click, screen_pixels, wait_for_window, xdotool
from setup_manager_test import copy_demo, replace_text, window_origin

# Places in the main window (800 x 600, pixels from its top left corner).
BANNERS_TAB = (473, 22)
START_URL_FIELD = (560, 420)  # a control inside the tab widget, to give it the focus
Q_KEY = (221, 294)            # Keyboard page: the keyboard's Q key, shrunk to the page
TOP_LEFT_FIELD = (368, 119)   # Keyboard page, Key Values: Top Left
OK_BUTTON = (57, 439)

# The kiosk at ScreenMode=1 with its keyboard shown: the keys' page starts at this height,
# and the keys' rectangles on it (left, top, width, height).
KEYS_TOP = 329 + 57
KEYS = {"Q": (96, 48, 40, 40), "W": (136, 48, 40, 40), "E": (176, 48, 40, 40)}


def region(pixels, rect):
    width, _, data = pixels
    left, top, w, h = rect
    rows = []
    for y in range(KEYS_TOP + top, KEYS_TOP + top + h):
        start = (y * width + left) * 3
        rows.append(data[start:start + w * 3])
    return b"".join(rows)


def main():
    setup, tarnwick, demo = sys.argv[1:4]
    results = Results()
    folder = tempfile.mkdtemp(prefix="tarnwick-setup-keyboard-")
    copy_demo(demo, folder)
    shutil.copytree(os.path.join(demo, "Language"), os.path.join(folder, "Language"))

    out = open(os.path.join(folder, "setup-out.txt"), "w")
    process = subprocess.Popen([setup, "--dir", folder], stdout=out, stderr=out)
    window = wait_for_window("Tarnwick Setup Manager", 20)
    results.check(window is not None, "Setup Manager window not shown")
    if window is None:
        process.kill()
        results.finish()
    origin = window_origin(window)

    def at(place):
        return origin[0] + place[0], origin[1] + place[1]

    # From a control of the Banners page, Ctrl+Tab goes on to the Keyboard page.
    click(*at(BANNERS_TAB))
    click(*at(START_URL_FIELD))
    for _ in range(3):
        xdotool("key", "ctrl+Tab")
        time.sleep(0.2)
    click(*at(Q_KEY))
    replace_text(origin, TOP_LEFT_FIELD, "W")
    click(*at(OK_BUTTON))
    # Return answers every question: the demo's warnings (saved all the same), "save
    # the customised keyboard?" (Yes), the save dialog (the proposed name), the note
    # that the kiosk reads its settings at start.
    deadline = time.time() + 30
    while process.poll() is None and time.time() < deadline:
        xdotool("key", "Return")
        time.sleep(0.5)
    results.check(process.poll() == 0, "Setup Manager did not end after OK: %s" % process.poll())
    if process.poll() is None:
        process.kill()
    out.close()

    def key_line(path):
        try:
            with open(path) as f:
                return [line for line in f if line.startswith("VX4KeyButton39=")]
        except OSError:
            return []

    written = ['VX4KeyButton39="W","","","","q",1,DejaVu Sans,16,1\n']
    results.check(key_line(os.path.join(folder, "TWLang.ini")) == written,
                  "TWLang.ini: %s" % key_line(os.path.join(folder, "TWLang.ini")))
    custom = os.path.join(folder, "Language", "Custom English.ini")
    results.check(key_line(custom) == key_line(os.path.join(folder, "TWLang.ini")),
                  "Custom English.ini: %s" % key_line(custom))

    # The kiosk on that folder, its keyboard shown with the Keyboard button.
    kiosk = KioskProcess(tarnwick, results)
    shutil.rmtree(kiosk.dir, ignore_errors=True)
    kiosk.dir = folder
    page = "file://%s/pages/blank.htm" % folder
    kiosk.write_file("pages/blank.htm", "<!DOCTYPE html><html><body></body></html>")
    kiosk.write_file("Tarnwick.ini", "[PREFERENCES]\nScreenMode=1\n[BROWSER]\nBrowser=1\n[URLS]\nStart=%s\n"
                     "[BUTTONS]\nNumberOfButtons=6\nKeyboardOn=6\n" % page)
    kiosk.start()
    results.check(kiosk.wait_for_line("Page Loaded - " + page, 40), "the kiosk did not load its start page")
    click(10 + 132 * 5 + 60, 543 + 8 + 20)
    results.check(kiosk.wait_for_line("Keyboard Shown", 5), "no 'Keyboard Shown'")
    xdotool("mousemove", "1", "1")
    time.sleep(0.5)
    pixels = screen_pixels()
    results.check(pixels is not None, "no screenshot")
    if pixels is not None:
        q, w, e = (region(pixels, KEYS[name]) for name in ("Q", "W", "E"))
        results.check(q == w, "the Q key is not drawn like the W key")
        results.check(w != e, "the W and E keys look alike: the comparison tells nothing")
    kiosk.stop()
    results.finish()


if __name__ == "__main__":
    main()
