"""OK's external-browser check driven as an operator would, on copies of the demo switched
to the external browser: with the browser installed (every row green, OK saves it as it
is), with a wrong program path ("Yes" finds the browser, the check runs again green, and
the found path is saved), and with no browser on the program path (the operator declines
to stay with the external browser; the embedded browser is saved).
With TARNWICK_SCREENSHOT_DIR set, each state is photographed there.

    setup_browser_check_test.py TARNWICK_SETUP DEMO_FOLDER"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from kiosk_driver import Results, click, wait_for_window, xdotool
from setup_manager_test import OK_BUTTON, copy_demo, screenshot, window_origin

# Long enough for every check, the real browser's start and end included, on a busy machine.
CHECK_TIME = 12


def browser_settings(folder):
    with open(os.path.join(folder, "Tarnwick.ini")) as f:
        text = f.read()
    section = text.split("[BROWSER]", 1)[1].split("\n[", 1)[0]
    return dict(re.findall(r"^(Browser|FileName)=(.*)$", section, re.M))


def run_case(setup, demo, results, name, file_name, path, steps):
    """Starts the Setup Manager with the external browser and `file_name`, presses OK and
    then each step (a key, or a picture's name to take after the check's time)."""
    folder = tempfile.mkdtemp(prefix="tarnwick-setup-browser-test-")
    copy_demo(demo, folder)
    ini = os.path.join(folder, "Tarnwick.ini")
    with open(ini) as f:
        text = f.read()
    with open(ini, "w") as f:
        f.write(re.sub(r"\[BROWSER\]\nBrowser=1\nFileName=[^\n]*", "[BROWSER]\nBrowser=0\nFileName=" + file_name, text))
    env = dict(os.environ, PATH=path)
    out = open(os.path.join(folder, "setup-out.txt"), "w")
    process = subprocess.Popen([setup, "--dir", folder], stdout=out, stderr=out, env=env)
    window = wait_for_window("Tarnwick Setup Manager", 20)
    if not results.check(window is not None, name + ": Setup Manager window not shown"):
        process.kill()
        return None
    origin = window_origin(window)
    click(origin[0] + OK_BUTTON[0], origin[1] + OK_BUTTON[1])
    for step in steps:
        if step.endswith(".png"):
            time.sleep(CHECK_TIME)
            screenshot(step)
        else:
            xdotool("key", step)
            time.sleep(0.5)
    # The rest of OK: the list of warnings, if any, and the note about restarting the kiosk.
    deadline = time.time() + 30
    while process.poll() is None and time.time() < deadline:
        xdotool("key", "Return")
        time.sleep(0.5)
    results.check(process.poll() == 0, name + ": Setup Manager did not end after OK: %s" % process.poll())
    if process.poll() is None:
        process.kill()
    out.close()
    settings = browser_settings(folder)
    shutil.rmtree(folder, ignore_errors=True)
    return settings


def main():
    setup, demo = sys.argv[1:3]
    results = Results()
    chromium = shutil.which("chromium")
    if chromium is None:
        print("chromium is not installed: skipped")
        sys.exit(0)
    system_path = os.environ.get("PATH", "/usr/bin:/bin")
    empty = tempfile.mkdtemp(prefix="tarnwick-empty-path-")

    settings = run_case(setup, demo, results, "installed", "chromium", system_path,
                        ["browser-check-green.png", "Return"])
    results.check(settings == {"Browser": "0", "FileName": "chromium"}, "installed: saved %s" % settings)

    settings = run_case(setup, demo, results, "wrong path", "/opt/old/chromium --lang=de", system_path,
                        ["browser-check-wrong-path.png", "alt+y", "browser-check-found.png", "Return"])
    results.check(settings == {"Browser": "0", "FileName": chromium + " --lang=de"}, "wrong path: saved %s" % settings)

    settings = run_case(setup, demo, results, "no browser", "chromium", empty,
                        ["browser-check-no-browser.png", "alt+n", "browser-check-embedded.png", "Return"])
    results.check(settings == {"Browser": "1", "FileName": "chromium"}, "no browser: saved %s" % settings)
    shutil.rmtree(empty, ignore_errors=True)
    results.finish()


if __name__ == "__main__":
    main()
