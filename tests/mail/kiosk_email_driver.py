"""Driving the running kiosk's e-mail window against the real mail servers (their
addresses in the TW_* environment variables that real_servers.py sets): messages put into
the mailbox and read back over POP3, the window's controls found by their places on its
design grid, the on-screen keyboard's keys, and screenshots of the whole screen when a
check fails."""
import email
import email.policy
import os
import poplib
import smtplib
import ssl
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "integration"))
from kiosk_driver import click, screen_pixels, wait_for_window, window_geometry, xdotool  # noqa: E402

USER = os.environ.get("TW_POP3_USER", "")
PASSWORD = os.environ.get("TW_POP3_PASSWORD", "")

# The window's controls on its 700-pixel design grid: the middle of each, as
# (page, x, y). The list's rows are ROW_HEIGHT apart from its top.
CONTROLS = {
    "user": (0, 130, 38), "password": (0, 380, 12), "get": (0, 511, 28), "new": (0, 581, 28),
    "cancel1": (0, 651, 28),
    "reply": (1, 536, 28), "delete": (1, 601, 28), "cancel2": (1, 666, 28),
    "from": (2, 200, 9), "to": (2, 200, 27), "subject": (2, 200, 45), "send": (2, 581, 28), "cancel3": (2, 651, 28),
}
NOTEBOOK_HEIGHT = 57
ROW_HEIGHT = 14
# The error dialog (432 x 121) and its buttons.
DIALOG_BUTTONS = {"ok": (388, 84), "cancel": (324, 84)}

# The on-screen keyboard's first page at scale 1: the keys' (left, top, width, height),
# below the tool bar of a keyboard raised to SHOWN_TOP.
KEYBOARD_TOP = 329 + 57
KEYS = {"shift": (16, 128, 72, 40), "space": (112, 168, 392, 40), ",": (408, 128, 40, 40),
        ".": (448, 128, 40, 40), "'": (504, 88, 40, 40), "-": (480, 8, 40, 40)}
for row, (left, top, letters) in enumerate([(96, 48, "qwertyuiop"), (104, 88, "asdfghjkl"), (128, 128, "zxcvbnm")]):
    for i, letter in enumerate(letters):
        KEYS[letter] = (left + 40 * i, top, 40, 40)
for i, digit in enumerate("1234567890"):
    KEYS[digit] = (80 + 40 * i, 8, 40, 40)
SHIFTED = {"@": "'", "_": "-"}


def press_key(name):
    left, top, width, height = KEYS[name]
    click(left + width // 2, KEYBOARD_TOP + top + height // 2)


def type_on_keyboard(text):
    """Types lower-case letters, digits and a few signs by clicking the kiosk's keys."""
    for c in text:
        if c in SHIFTED:
            press_key("shift")
            press_key(SHIFTED[c])
        elif c == " ":
            press_key("space")
        else:
            press_key(c)


def type_text(text):
    xdotool("type", "--delay", "20", text)


# --- the mailbox ---------------------------------------------------------------------------

def deliver(messages):
    host, port = os.environ["TW_SMTP_SERVER"].split(":")
    with smtplib.SMTP(host, int(port), timeout=10) as s:
        for m in messages:
            s.send_message(m)


def mailbox():
    """Every message in the mailbox, in the server's order, as (raw bytes, parsed)."""
    host, port = os.environ["TW_POP3_SERVER"].split(":")
    p = poplib.POP3(host, int(port), timeout=10)
    p.stls(context=ssl.create_default_context(cafile=os.environ["TW_CA_FILE"]))
    p.user(USER)
    p.pass_(PASSWORD)
    found = []
    for n in range(1, p.stat()[0] + 1):
        raw = b"\r\n".join(p.retr(n)[1]) + b"\r\n"
        found.append((raw, email.message_from_bytes(raw, policy=email.policy.default)))
    p.quit()
    return found


def maildir_subjects():
    """The subjects of the messages stored in the servers' maildir, read from its files."""
    found = []
    for folder in ("new", "cur"):
        path = os.path.join(os.environ["TW_MAILDIR"], folder)
        for name in os.listdir(path):
            with open(os.path.join(path, name), "rb") as f:
                found.append(str(email.message_from_binary_file(f, policy=email.policy.default)["Subject"]))
    return sorted(found)


def subjects():
    return [str(m["Subject"]) for _, m in mailbox()]


def wait_for_mail(predicate, seconds=20):
    """The mailbox once predicate(mailbox) holds, or the last one read."""
    deadline = time.time() + seconds
    while True:
        box = mailbox()
        if predicate(box) or time.time() > deadline:
            return box
        time.sleep(0.2)


def plain_text(message):
    return message.get_body(preferencelist=("plain",)).get_content().replace("\r\n", "\n")


def addresses(message, header):
    return [a.addr_spec for a in message[header].addresses] if message[header] is not None else []


# --- the screen ------------------------------------------------------------------------------

class Screenshots:
    """Whole-screen pictures taken when a check fails, kept in one folder."""

    def __init__(self):
        self.folder = None
        self.count = 0

    def take(self, why):
        if self.folder is None:
            self.folder = tempfile.mkdtemp(prefix="tarnwick-mail-shots-")
        self.count += 1
        path = os.path.join(self.folder, "%02d.png" % self.count)
        subprocess.run(["import", "-window", "root", path], capture_output=True, timeout=30)
        print("screenshot %s: %s" % (path, why), flush=True)


def checker(results, shots):
    """results.check that also takes a screenshot when the check fails."""
    def check(condition, message):
        if not results.check(condition, message):
            shots.take(message)
        return condition
    return check


def region(pixels, x, y, w, h):
    """The rgb bytes of a rectangle of a screen picture, row by row."""
    width, _, data = pixels
    return b"".join(data[((y + row) * width + x) * 3:((y + row) * width + x + w) * 3] for row in range(h))


class EmailWindow:
    """The e-mail window on the screen (scale 1: ScreenMode=1)."""

    def __init__(self, window):
        self.window = window
        self.x, self.y, self.width, self.height = window_geometry(window)

    @classmethod
    def find(cls, seconds=10):
        window = wait_for_window("^E-mail$", seconds)
        return cls(window) if window else None

    def press(self, control, pause=0.3):
        _, dx, dy = CONTROLS[control]
        click(self.x + dx, self.y + dy, pause)

    def fill(self, control, text):
        """Replaces a field's text, as a visitor selecting all of it and typing."""
        self.press(control, 0.1)
        xdotool("key", "ctrl+a")
        type_text(text)

    def click_row(self, row):
        # The list brings its chosen row into view, so it may be scrolled: back to its top
        # with the mouse wheel (which chooses nothing) before the row is clicked.
        xdotool("mousemove", str(self.x + 100), str(self.y + 20))
        for _ in range(3):
            xdotool("click", "4")
        time.sleep(0.3)
        click(self.x + 100, self.y + 1 + ROW_HEIGHT * row + ROW_HEIGHT // 2, 0.3)

    def click_memo(self, dx=100, dy=40):
        click(self.x + dx, self.y + NOTEBOOK_HEIGHT + dy, 0.3)

    # The parts of a screen picture that show the visitor's data.
    def notebook(self, pixels):
        return region(pixels, self.x, self.y, self.width, NOTEBOOK_HEIGHT)

    def memo(self, pixels):
        return region(pixels, self.x, self.y + NOTEBOOK_HEIGHT, self.width, self.height - NOTEBOOK_HEIGHT)

    def account_fields(self, pixels):
        """The User and Password fields (the Server field holds the caret on opening)."""
        return region(pixels, self.x + 64, self.y + 30, 180, 17) + region(pixels, self.x + 322, self.y + 4, 150, 17)

    def wait_for_change(self, part, before, seconds=15):
        """True once the part differs from before and has held still for a moment."""
        deadline = time.time() + seconds
        last = None
        while time.time() < deadline:
            now = part(screen_pixels())
            if now != before and now == last:
                return True
            last = now
            time.sleep(0.2)
        return False


def dialog_press(button, seconds=10):
    """Presses OK or Cancel in the kiosk's error dialog; False when it did not show."""
    dialog = wait_for_window("^DialogError$", seconds)
    if not dialog:
        return False
    x, y, _, _ = window_geometry(dialog)
    dx, dy = DIALOG_BUTTONS[button]
    click(x + dx, y + dy, 0.3)
    return True
