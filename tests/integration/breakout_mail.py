"""The kiosk's e-mail window as a way out, for the break-out test: a scripted POP3 server
on loopback whose one message is hostile (HTML that would load pictures, a style sheet,
a frame and scripts from the test's site, and links to it), and what the visitor does in
the window: opens it from the page, reads that message, clicks its links, right-clicks
and types addresses into the fields, drags their text. The window is closed again at
the end of every action, so that the row's page shows once more."""
import socketserver
import threading
import time

from kiosk_driver import (screen_pixels, visible_top_windows, wait_for_window, window_geometry, window_name,
                          window_pid, xdotool)

BEACON = "/beacon"  # every request the hostile message would make goes here

# The window's controls on its design grid at scale 1: the middle of each.
USER_FIELD, PASSWORD_FIELD, GET = (130, 38), (380, 12), (511, 28)
TO_FIELD = (200, 27)
# The Cancel button of every page lies under this point: pressed often enough, it closes
# the window from any page.
CANCEL = (666, 28)
NOTEBOOK_HEIGHT = 57
RED = bytes((255, 0, 0)) * 8


def hostile_message(base):
    beacon = base + BEACON
    html = ('<html><head><link rel="stylesheet" href="{b}?css"><script src="{b}?script-src"></script>'
            '<meta http-equiv="refresh" content="0; url={b}?refresh"></head>\r\n'
            '<body onload="fetch(\'{b}?onload\')" background="{b}?background">\r\n'
            '<img src="{b}?img" width="400" height="100">\r\n'
            '<div style="background-color:#ff0000;font-size:40px">Win a prize</div>\r\n'
            '<a href="{b}?link">{b}?link</a>\r\n'
            '<iframe src="{b}?frame"></iframe>\r\n'
            '<script>navigator.sendBeacon(\'{b}?script\'); window.open(\'{b}?open\');</script>\r\n'
            '</body></html>\r\n').format(b=beacon)
    return ("From: Beacon <beacon@example.org>\r\nTo: visitor@example.org\r\nSubject: Look at this\r\n"
            "Message-ID: <hostile@example.org>\r\nMIME-Version: 1.0\r\nContent-Type: text/html; charset=utf-8\r\n"
            "\r\n" + html).encode()


class Pop3Responder(socketserver.ThreadingTCPServer):
    """Takes any user and password and holds one message."""
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, message):
        super().__init__(("127.0.0.1", 0), _Pop3Session)
        self.message = message
        threading.Thread(target=self.serve_forever, daemon=True).start()

    @property
    def address(self):
        return "127.0.0.1:%d" % self.server_address[1]


class _Pop3Session(socketserver.StreamRequestHandler):
    def reply(self, text):
        self.wfile.write(text.encode() + b"\r\n")

    def multiline(self, data):
        for line in data.split(b"\r\n"):
            self.wfile.write((b"." + line if line.startswith(b".") else line) + b"\r\n")
        self.wfile.write(b".\r\n")

    def handle(self):
        message = self.server.message
        self.reply("+OK ready")
        for raw in self.rfile:
            words = raw.decode(errors="replace").strip().split()
            command, args = (words[0].upper(), words[1:]) if words else ("", [])
            one = args[:1] == ["1"]
            if command in ("USER", "PASS", "NOOP", "RSET"):
                self.reply("+OK")
            elif command == "STAT":
                self.reply("+OK 1 %d" % len(message))
            elif command == "LIST" and one:
                self.reply("+OK 1 %d" % len(message))
            elif command == "UIDL" and one:
                self.reply("+OK 1 hostile-1")
            elif command == "TOP" and one:
                self.reply("+OK")
                self.multiline(message.split(b"\r\n\r\n", 1)[0] + b"\r\n")
            elif command == "RETR" and one:
                self.reply("+OK")
                self.multiline(message[:-2] if message.endswith(b"\r\n") else message)
            elif command == "DELE":
                self.reply("-ERR not here")
            elif command == "QUIT":
                self.reply("+OK bye")
                return
            else:
                self.reply("-ERR unknown")


class MailVisitor:
    """What the visitor does in the e-mail window. `visitor` is the break-out test's
    visitor (its click_target opens the window from the row's link)."""

    def __init__(self, visitor):
        self.visitor = visitor
        self.window = None
        self.x = self.y = 0

    def at(self, point, button="1", pause=0.3):
        xdotool("mousemove", str(self.x + point[0]), str(self.y + point[1]))
        xdotool("click", button)
        time.sleep(pause)

    def open_window(self):
        """Clicks the row's link and waits for the window; a failure text or None."""
        before = visible_top_windows()
        self.visitor.click_target()
        self.window = wait_for_window("^E-mail$", 10)
        if not self.window:
            return "window: the e-mail window did not open"
        time.sleep(0.5)
        self.x, self.y, _, _ = window_geometry(self.window)
        # Nothing else: no browser window, not even one of the kiosk's own.
        others = [(w, window_name(w), window_pid(w)) for w in visible_top_windows() - before
                  if int(w) != int(self.window)]
        if others:
            return "window: besides the e-mail window: %s" % others
        return None

    def memo(self):
        """The memo's pixels, from the screen."""
        pixels = screen_pixels()
        if not pixels:
            return None
        width, _, data = pixels
        top = self.y + NOTEBOOK_HEIGHT
        return b"".join(data[((top + row) * width + self.x) * 3:((top + row) * width + self.x + 600) * 3]
                        for row in range(200))

    def close_window(self):
        for _ in range(4):
            if not wait_for_window("^E-mail$", 0.3):
                return []
            self.at(CANCEL, pause=0.5)
        return ["window: the e-mail window did not close"]

    def kiosk_menu_shows(self, point):
        """Right-clicks at the point: the kiosk's own menu must show; Escape closes it."""
        before = visible_top_windows()
        self.at(point, button="3", pause=0.6)
        kiosk = window_pid(self.window)
        owners = {w: window_pid(w) for w in visible_top_windows() - before}
        xdotool("key", "Escape")
        time.sleep(0.3)
        if not owners:
            return ["menu: no menu on a right click at %s" % (point,)]
        return ["menu: another program's window %s" % hex(w) for w, pid in owners.items() if pid != kiosk]

    # --- the rows' actions ----------------------------------------------------------------

    def mailto_opens_own_window(self):
        failed = [f for f in [self.open_window()] if f]
        return failed + self.close_window()

    def reads_hostile_mail(self):
        problem = self.open_window()
        if problem:
            return [problem] + self.close_window()
        failed = []
        self.at(USER_FIELD)
        xdotool("type", "visitor")
        self.at(PASSWORD_FIELD)
        xdotool("type", "secret")
        self.at(GET, pause=2.0)
        memo = self.memo()
        self.at((100, 8), pause=2.0)  # the list's one message
        if wait_for_window("^DialogError$", 0.5):
            xdotool("key", "Return")
            return ["error: a dialog instead of the message"] + self.close_window()
        shown = self.memo()
        if shown == memo:
            failed.append("memo: the message is not shown")
        # Shown as rich text, the message would paint a red block.
        if shown and RED in shown:
            failed.append("memo: the message is rendered, not shown as text")
        # Clicks on the message's text where its links and picture are named, a double
        # click on an address, a middle click and Ctrl with a click.
        for line in range(7):
            self.at((150, NOTEBOOK_HEIGHT + 8 + 16 * line), pause=0.1)
        self.at((120, NOTEBOOK_HEIGHT + 8 + 16 * 4), pause=0.1)
        xdotool("click", "--repeat", "2", "1")
        xdotool("click", "2")
        xdotool("keydown", "ctrl")
        xdotool("click", "1")
        xdotool("keyup", "ctrl")
        time.sleep(1.5)
        failed += self.kiosk_menu_shows((150, NOTEBOOK_HEIGHT + 8 + 16 * 4))
        return failed + self.close_window()

    def fields_lead_nowhere(self, base):
        problem = self.open_window()
        if problem:
            return [problem] + self.close_window()
        failed = self.kiosk_menu_shows(USER_FIELD)
        # Addresses typed into a field and sent with Enter.
        for text in ("file:///etc/passwd", base + BEACON + "?typed", "tw-command:EXECUTE?1"):
            self.at(USER_FIELD)
            xdotool("key", "ctrl+a")
            xdotool("type", text)
            xdotool("key", "Return")
            time.sleep(0.3)
        # The field's text dragged onto the memo, onto the tool bar and off the window
        # (places relative to the window).
        xdotool("key", "ctrl+a")
        for target in ((300, NOTEBOOK_HEIGHT + 100), (300, 500), (770, 530)):
            x0, y0 = self.x + USER_FIELD[0], self.y + USER_FIELD[1]
            xdotool("mousemove", str(x0), str(y0))
            xdotool("mousedown", "1")
            for step in range(1, 11):
                xdotool("mousemove", str(x0 + (target[0] - USER_FIELD[0]) * step // 10),
                        str(y0 + (target[1] - USER_FIELD[1]) * step // 10))
                time.sleep(0.05)
            xdotool("mouseup", "1")
            time.sleep(0.3)
        return failed + self.close_window()
