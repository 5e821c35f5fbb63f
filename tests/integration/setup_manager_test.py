"""The Setup Manager driven as an operator would, on a copy of the demo: a start page, a
carousel time, a carousel item's time and a tool bar slot changed through the pages, OK,
and the kiosk started afterwards on that folder uses the new start page.

    setup_manager_test.py TARNWICK_SETUP TARNWICK DEMO_FOLDER"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from kiosk_driver import KioskProcess, Results, click, wait_for_window, xdotool

# Places in the main window (800 x 600, pixels from its top left corner).
BANNERS_TAB = (473, 22)
ATTRACT_TAB = (380, 23)
START_URL_FIELD = (560, 420)    # Banners & URLs: Button URLs, Start
CAROUSEL_TIME_FIELD = (525, 114)  # Attract: Times, Start Carousel
CAROUSEL_ITEM_TIME = (560, 368)   # Attract: Carousel, Time of the first item
BUTTONS_TAB = (312, 22)
BUTTON_SELECTOR = (467, 153)    # Buttons: Standard Buttons, Button
SLOT_CHOICE = (490, 237)        # Buttons: Standard Buttons, Pos
OK_BUTTON = (57, 439)


def copy_demo(demo, folder):
    shutil.copytree(os.path.join(demo, "pages"), os.path.join(folder, "pages"))
    for name in ("Tarnwick.ini", "TWLang.ini"):
        with open(os.path.join(demo, name)) as f:
            text = f.read().replace("@DEMO_DIR@", folder)
        with open(os.path.join(folder, name), "w") as f:
            f.write(text)


def window_origin(window):
    out = xdotool("getwindowgeometry", window).stdout
    for line in out.splitlines():
        if "Position:" in line:
            x, y = line.split("Position:")[1].split("(")[0].strip().split(",")
            return int(x), int(y)
    return 0, 0


def replace_text(origin, place, text):
    click(origin[0] + place[0], origin[1] + place[1])
    xdotool("key", "ctrl+a")
    xdotool("type", "--delay", "5", text)
    time.sleep(0.2)


def choose(origin, place, key):
    """Opens a drop-down list, picks the entry starting with `key`."""
    click(origin[0] + place[0], origin[1] + place[1], 0.4)
    xdotool("key", key)
    xdotool("key", "Return")
    time.sleep(0.3)


def main():
    setup, tarnwick, demo = sys.argv[1:4]
    results = Results()
    folder = tempfile.mkdtemp(prefix="tarnwick-setup-test-")
    copy_demo(demo, folder)
    with open(os.path.join(folder, "pages", "chosen.htm"), "w") as f:
        f.write("<html><body><h1>Chosen in the Setup Manager</h1></body></html>\n")
    with open(os.path.join(folder, "Tarnwick.ini")) as f:
        before = f.read().splitlines()

    out = open(os.path.join(folder, "setup-out.txt"), "w")
    process = subprocess.Popen([setup, "--dir", folder], stdout=out, stderr=out)
    window = wait_for_window("Tarnwick Setup Manager", 20)
    results.check(window is not None, "Setup Manager window not shown")
    if window is None:
        process.kill()
        results.finish()
    origin = window_origin(window)
    chosen = "file://%s/pages/chosen.htm" % folder

    click(origin[0] + BANNERS_TAB[0], origin[1] + BANNERS_TAB[1])
    replace_text(origin, START_URL_FIELD, chosen)
    click(origin[0] + ATTRACT_TAB[0], origin[1] + ATTRACT_TAB[1])
    replace_text(origin, CAROUSEL_TIME_FIELD, "30")
    replace_text(origin, CAROUSEL_ITEM_TIME, "7")
    click(origin[0] + BUTTONS_TAB[0], origin[1] + BUTTONS_TAB[1])
    choose(origin, BUTTON_SELECTOR, "R")  # Reload
    choose(origin, SLOT_CHOICE, "0")      # hidden
    click(origin[0] + OK_BUTTON[0], origin[1] + OK_BUTTON[1])
    # The demo's warnings, if any, are saved all the same; then the note that the kiosk
    # reads its settings at start.
    if wait_for_window("Check the settings", 3):
        xdotool("key", "Return")
    deadline = time.time() + 20
    while process.poll() is None and time.time() < deadline:
        xdotool("key", "Return")
        time.sleep(0.5)
    results.check(process.poll() == 0, "Setup Manager did not end after OK: %s" % process.poll())
    if process.poll() is None:
        process.kill()
    out.close()

    with open(os.path.join(folder, "Tarnwick.ini")) as f:
        after = f.read().splitlines()
    changed = [(b, a) for b, a in zip(before, after) if b != a]
    results.check(len(before) == len(after), "lines added or lost: %d -> %d" % (len(before), len(after)))
    results.check(sorted(a for _, a in changed) == sorted(["Start=" + chosen, "TimeCarousel=30", "Time0=7", "ReloadOn=0"]),
                  "changed lines: %s" % changed)
    results.check(os.path.exists(os.path.join(folder, "Tarnwick.ini.bak")), "no Tarnwick.ini.bak")

    kiosk = KioskProcess(tarnwick, results)
    shutil.rmtree(kiosk.dir, ignore_errors=True)
    kiosk.dir = folder
    kiosk.start()
    results.check(kiosk.wait_for_line("Page Loaded - " + chosen, 40), "the kiosk did not load the chosen start page")
    kiosk.stop()
    results.finish()


if __name__ == "__main__":
    main()
