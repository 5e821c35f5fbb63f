#!/usr/bin/env python3
"""The other ways into the visitors' e-mail window in the running kiosk, against the real
servers: the EMAIL command with a command password (a wrong one opens nothing, the right
one opens the window), and a page's "mailto" link with a query (MailTo on), which fills
To, Subject and the text; the visitor adds only the sender and sends, and the message is
read back over POP3 as the link described it. The link's text is not logged without
Debug.

Run by real_servers.py (server addresses in the environment) under scripts/with-xvfb:
usage: kiosk_email_openings_test.py TARNWICK
"""
import os
import sys
import time

from kiosk_email_driver import EmailWindow, Screenshots, addresses, checker, plain_text, wait_for_mail
from kiosk_driver import KioskProcess, Results, click, wait_for_window  # noqa: E402 (on the path through the driver)

TARNWICK = sys.argv[1]
results = Results()
shots = Screenshots()
check = checker(results, shots)
VISITOR = "visitor@tarnwick.test"
MAILTO = ("mailto:one@example.org,two%40example.org?cc=three@example.org"
          "&subject=Caf%C3%A9%20menu%3F&body=Line%201%0D%0ALine%202%20%26%20more")
# Three links, one under the other, each a third of the page high.
LINKS = ["tw-command:EMAIL?wrong", "tw-command:EMAIL?Secret", MAILTO]


class Kiosk(KioskProcess):
    def __init__(self):
        super().__init__(TARNWICK, results, "tarnwick-email-openings-")
        links = "".join('<a href="%s" style="display:block;height:33vh">%s</a>' % (href, href) for href in LINKS)
        self.write_file("pages/start.htm", '<html><body style="margin:0">%s</body></html>' % links)
        self.write_file("Tarnwick.ini",
                        "[PREFERENCES]\nScreenMode=1\nEMailServer=%s\nCommandPassword=secret\n"
                        "[EMAIL]\nMailTo=1\nSecurity=starttls\nCAFile=%s\nUserName=%s\nPassword=%s\n"
                        "ShowKeyboard=0\nHideKeyboard=0\n"
                        "[BROWSER]\nBrowser=1\n[URLS]\nStart=file://%s/pages/start.htm\n"
                        % (os.environ["TW_SUBMISSION_SERVER"], os.environ["TW_CA_FILE"],
                           os.environ["TW_POP3_USER"], os.environ["TW_POP3_PASSWORD"], self.dir))
        self.start()

    def click_link(self, index):
        # The browser's hole starts at (24, 59) and is 486 high.
        click(300, 59 + 486 * (2 * index + 1) // 6, 0.3)


def test_openings():
    k = Kiosk()
    try:
        if not check(k.wait_for_line("Page Loaded", 40), "start page never loaded: %s" % k.log()):
            return
        at = len(k.log())
        k.click_link(0)
        check(k.wait_for_line("Wrong Command Password - EMAIL - wrong", 5, at), "wrong password: %s" % k.log()[at:])
        time.sleep(1.0)
        check(not any("Email Window Opened" in line for line in k.log()[at:]), "opened with a wrong password")
        check(wait_for_window("^E-mail$", 0.5) is None, "a window with a wrong password")

        at = len(k.log())
        k.click_link(1)
        check(k.wait_for_line("Email Window Opened - Normal Use", 5, at), "right password: %s" % k.log()[at:])
        w = EmailWindow.find()
        if not check(w is not None, "no window with the right password"):
            return
        w.press("cancel1")
        check(k.wait_for_line("Email Window Closed", 5, at), "not closed: %s" % k.log()[at:])
        time.sleep(0.5)

        at = len(k.log())
        k.click_link(2)
        check(k.wait_for_line("Email Window Opened - MailTo Use", 5, at), "mailto: %s" % k.log()[at:])
        check(k.wait_for_line("MailTo Requested", 1, at), "no 'MailTo Requested': %s" % k.log()[at:])
        w = EmailWindow.find()
        if not check(w is not None, "no window for the mailto link"):
            return
        w.fill("from", VISITOR)
        w.press("send")
        check(k.wait_for_line("Cancel#3 Pressed", 20, at), "not sent: %s" % k.log()[at:])
        check(not any("Error" in line for line in k.log()[at:]), "errors: %s" % k.log()[at:])
        check(not any("Mailto Link" in line or "one@example.org" in line for line in k.log()),
              "the link's text was logged without Debug: %s" % k.log())

        box = wait_for_mail(lambda b: any(str(m["Subject"]) == "Café menu?" for _, m in b))
        sent = [m for _, m in box if str(m["Subject"]) == "Café menu?"]
        if check(len(sent) >= 1, "the mailto message did not arrive: %s" % [str(m["Subject"]) for _, m in box]):
            m = sent[0]
            check(addresses(m, "To") == ["one@example.org", "two@example.org", "three@example.org"],
                  "To: %s" % m["To"])
            check(addresses(m, "Cc") == [VISITOR], "cc Self: %s" % m["Cc"])
            check(plain_text(m) == "Line 1\nLine 2 & more\n", "text: %r" % plain_text(m))
        # Sent, a mailto opening's window closes.
        check(k.wait_for_line("Email Window Closed", 5, at), "not closed after sending: %s" % k.log()[at:])
    finally:
        k.stop()


test_openings()
results.finish()
