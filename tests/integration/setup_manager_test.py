"""The Setup Manager driven as an operator would, on a copy of the demo: a start page, a
carousel time, a carousel item's time and tool bar slots changed through the pages (Reload
hidden, Print moved to its slot), page button 1 given the command "start" and then a
command password, OK; the kiosk started afterwards on that folder uses the new start page,
has Print in its new slot, and page button 1 runs the command with the password.
With TARNWICK_SCREENSHOT_DIR set, the Buttons page and the kiosk are photographed there.

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
CAROUSEL_ITEM_TIME = (560, 397)   # Attract: Carousel, Time of the first item
BUTTONS_TAB = (312, 22)
BUTTON_SELECTOR = (467, 199)    # Buttons: Standard Buttons, Button
SLOT_CHOICE = (490, 283)        # Buttons: Standard Buttons, Pos
PAGE_MIDDLE = (450, 300)        # where the wheel scrolls a page
CUSTOM_COMMAND = (490, 414)     # Buttons, scrolled to the end: Custom Buttons, tw-command:
COMMAND_TAB = (576, 22)
COMMAND_PASSWORD = (480, 461)   # Command: Command Password
OK_BUTTON = (57, 439)

# The kiosk on the 1024 x 768 screen (ScreenMode A: scale 1.28), eight tool bar slots.
KIOSK_SCALE = 1.28
PRINT_SLOT = 6
PAGE_BUTTON_1 = (725 + 8 + 28, 60 + 8 + 20)


def kiosk_point(x, y):
    return round(x * KIOSK_SCALE), round(y * KIOSK_SCALE)


def slot_centre(slot):
    """The middle of a tool bar slot when NumberOfButtons is 8, as in the demo."""
    return kiosk_point(9 + 99 * (slot - 1) + 89 // 2, 543 + 8 + 20)


def screenshot(name):
    folder = os.environ.get("TARNWICK_SCREENSHOT_DIR")
    if folder:
        subprocess.run(["import", "-window", "root", os.path.join(folder, name)], timeout=30)


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
    xdotool("type", "--delay", "20", key)
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
    choose(origin, BUTTON_SELECTOR, "P")  # Print
    choose(origin, SLOT_CHOICE, str(PRINT_SLOT))
    screenshot("setup-buttons-page.png")
    xdotool("mousemove", str(origin[0] + PAGE_MIDDLE[0]), str(origin[1] + PAGE_MIDDLE[1]))
    xdotool("click", "--repeat", "100", "--delay", "5", "5")  # to the end of the page
    time.sleep(0.3)
    choose(origin, CUSTOM_COMMAND, "st")  # page button 1: "start"
    screenshot("setup-custom-buttons.png")
    click(origin[0] + COMMAND_TAB[0], origin[1] + COMMAND_TAB[1])
    replace_text(origin, COMMAND_PASSWORD, "sesame")
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
    results.check(sorted(a for _, a in changed) == sorted(["Start=" + chosen, "TimeCarousel=30", "Time0=7", "ReloadOn=0",
                                                          "PrintOn=%d" % PRINT_SLOT, "TWCommand1=14",
                                                          "Custom1URL=tw-command:start?sesame",
                                                          "CommandPassword=sesame"]),
                  "changed lines: %s" % changed)
    results.check(os.path.exists(os.path.join(folder, "Tarnwick.ini.bak")), "no Tarnwick.ini.bak")

    kiosk = KioskProcess(tarnwick, results)
    shutil.rmtree(kiosk.dir, ignore_errors=True)
    kiosk.dir = folder
    kiosk.start()
    results.check(kiosk.wait_for_line("Page Loaded - " + chosen, 40), "the kiosk did not load the chosen start page")
    time.sleep(1.0)
    screenshot("kiosk-after-setup.png")
    mark = len(kiosk.log())
    click(*kiosk_point(*PAGE_BUTTON_1))
    results.check(kiosk.wait_for_line("Command - start", 10, mark), "page button 1 did not run its command")
    results.check(not any("Wrong Command Password" in line for line in kiosk.log()[mark:]),
                  "page button 1's password was refused")
    # Last: with no printer the kiosk then shows its error dialog.
    mark = len(kiosk.log())
    click(*slot_centre(PRINT_SLOT))
    results.check(kiosk.wait_for_line("Print Button Pressed", 10, mark), "no Print button in slot %d" % PRINT_SLOT)
    kiosk.stop()
    results.finish()


if __name__ == "__main__":
    main()
