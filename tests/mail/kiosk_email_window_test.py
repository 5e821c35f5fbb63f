#!/usr/bin/env python3
"""The visitors' e-mail window in the running kiosk, against the real servers: three
messages wait in the mailbox (one from "first_last@", one with an encoded-word subject,
one with a text attachment); a visitor opens the window from a page's EMAIL command link,
types the account with the mouse and keyboard, gets the list over STLS, views the first
message, answers it and sends the answer through the submission server. The answer is
read back over POP3: its subject, its recipients (the original sender, cc the visitor)
and its quoted text, line for line.

Run by real_servers.py (server addresses in the environment) under scripts/with-xvfb:
usage: kiosk_email_window_test.py TARNWICK
"""
import email
import email.policy
import os
import poplib
import smtplib
import ssl
import sys
import time
from email.message import EmailMessage

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "integration"))
from kiosk_driver import KioskProcess, Results, click, wait_for_window, xdotool  # noqa: E402

TARNWICK = sys.argv[1]
results = Results()
check = results.check
USER = os.environ.get("TW_POP3_USER", "")
PASSWORD = os.environ.get("TW_POP3_PASSWORD", "")


def deliver_three():
    host, port = os.environ["TW_SMTP_SERVER"].split(":")
    messages = []
    m = EmailMessage()
    m["From"] = "Ann Lee <first_last@example.org>"
    m["To"] = "visitor@tarnwick.test"
    m["Subject"] = "Lunch on Friday?"
    m.set_content("Shall we meet at noon?\nAt the usual place.\n")
    messages.append(m)
    m = EmailMessage()
    m["From"] = "cafe@example.org"
    m["To"] = "visitor@tarnwick.test"
    m["Subject"] = "=?utf-8?Q?Caf=C3=A9_menu?="
    m.set_content("Soup of the day.\n")
    messages.append(m)
    m = EmailMessage()
    m["From"] = "club@example.org"
    m["To"] = "visitor@tarnwick.test"
    m["Subject"] = "Results attached"
    m.set_content("See the file.\n")
    m.add_attachment("name=Ann\nrating=5\n", filename="results.txt")
    messages.append(m)
    with smtplib.SMTP(host, int(port), timeout=10) as s:
        for m in messages:
            s.send_message(m)


def pop_session():
    host, port = os.environ["TW_POP3_SERVER"].split(":")
    p = poplib.POP3(host, int(port), timeout=10)
    p.stls(context=ssl.create_default_context(cafile=os.environ["TW_CA_FILE"]))
    p.user(USER)
    p.pass_(PASSWORD)
    return p


def mailbox():
    p = pop_session()
    found = []
    for n in range(1, p.stat()[0] + 1):
        raw = b"\r\n".join(p.retr(n)[1]) + b"\r\n"
        found.append(email.message_from_bytes(raw, policy=email.policy.default))
    p.quit()
    return found


class Kiosk(KioskProcess):
    def __init__(self):
        super().__init__(TARNWICK, results, "tarnwick-email-")
        os.makedirs(os.path.join(self.dir, "pages"))
        # The whole page is one link to the EMAIL command.
        with open(os.path.join(self.dir, "pages", "start.htm"), "w") as f:
            f.write('<html><body style="margin:0"><a href="tw-command:EMAIL" '
                    'style="display:block;width:100vw;height:100vh">E-mail</a></body></html>')
        with open(os.path.join(self.dir, "Tarnwick.ini"), "w") as ini:
            ini.write("[PREFERENCES]\nScreenMode=1\nEMailServer=%s\n"
                      "[EMAIL]\nDefaultServer=%s\nSecurity=starttls\nCAFile=%s\nUserName=%s\nPassword=%s\n"
                      "ShowKeyboard=0\nHideKeyboard=0\n"
                      "[BROWSER]\nBrowser=1\n[URLS]\nStart=file://%s/pages/start.htm\n"
                      % (os.environ["TW_SUBMISSION_SERVER"], os.environ["TW_POP3_SERVER"], os.environ["TW_CA_FILE"],
                         USER, PASSWORD, self.dir))
        self.start()


def test_visitor_reads_and_answers():
    deliver_three()
    deadline = time.time() + 20
    while len(mailbox()) < 3 and time.time() < deadline:
        time.sleep(0.2)
    k = Kiosk()
    try:
        if not check(k.wait_for_line("Page Loaded", 40), "start page never loaded: %s" % k.log()):
            return
        click(400, 300)
        if not check(k.wait_for_line("Email Window Opened - Normal Use", 10), "window not opened: %s" % k.log()):
            return
        window = wait_for_window("^E-mail$")
        if not check(window is not None, "no e-mail window on the screen"):
            return
        geometry = dict(line.split("=") for line in xdotool("getwindowgeometry", "--shell", window).stdout.split())
        x, y = int(geometry["X"]), int(geometry["Y"])
        scale = int(geometry["WIDTH"]) / 700.0

        def at(dx, dy):
            click(int(x + dx * scale), int(y + dy * scale), 0.3)

        at(130, 40)  # User
        xdotool("type", "--delay", "20", USER)
        at(380, 12)  # Password
        xdotool("type", "--delay", "20", PASSWORD)
        at(510, 28)  # Get Mail
        check(k.wait_for_line("Get Pressed", 10), "Get not pressed: %s" % k.log())
        time.sleep(3)
        # The list is in the mailbox's order, which is the order of delivery.
        subjects = [str(m["Subject"]) for m in mailbox()]
        row = subjects.index("Lunch on Friday?")
        click(int(x + 100 * scale), int(y + 7 * scale) + 14 * row, 0.3)
        check(k.wait_for_line("Message Selected for Viewing", 10), "no message chosen: %s" % k.log())
        time.sleep(2)
        at(535, 28)  # Reply
        check(k.wait_for_line("Reply Pressed", 10), "Reply not pressed: %s" % k.log())
        time.sleep(0.5)
        at(580, 28)  # Send
        check(k.wait_for_line("Cancel#3 Pressed", 20), "the answer was not sent: %s" % k.log())
        check(not any(line.startswith("Error") or "Error - " in line for line in k.log()),
              "an error was reported: %s" % k.log())
        answers = []
        deadline = time.time() + 20
        while not answers and time.time() < deadline:
            answers = [m for m in mailbox() if str(m["Subject"]) == "re:Lunch on Friday?"]
            time.sleep(0.2)
        if check(len(answers) >= 1, "no answer arrived"):
            answer = answers[0]
            check(answer["To"].addresses[0].addr_spec == "first_last@example.org", "To: %s" % answer["To"])
            check(answer["From"].addresses[0].addr_spec == "visitor@tarnwick.test", "From: %s" % answer["From"])
            check(answer["Cc"] is not None and answer["Cc"].addresses[0].addr_spec == "visitor@tarnwick.test",
                  "Cc: %s" % answer["Cc"])
            body = answer.get_body(preferencelist=("plain",)).get_content().replace("\r\n", "\n")
            check(body == ">>Shall we meet at noon?\n>>At the usual place.\n\n",
                  "answer text: %r" % body)
    finally:
        k.stop()


test_visitor_reads_and_answers()
results.finish()
