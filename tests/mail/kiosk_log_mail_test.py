#!/usr/bin/env python3
"""The running kiosk mails its log: a kiosk whose log is past its action time at start-up
rolls it over, composes the log mail with the feedback files and sends it once its
embedded browser is ready, over STARTTLS with AUTH as its settings say. With the mail
server down the failure goes to the log only (no error on the screen); with the server
up the mail arrives, read back over POP3 with STLS.

Run by real_servers.py (server addresses in the environment) under scripts/with-xvfb:
usage: kiosk_log_mail_test.py TARNWICK
"""
import email
import email.policy
import os
import poplib
import socket
import ssl
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "integration"))
from kiosk_driver import KioskProcess, Results  # noqa: E402

TARNWICK = sys.argv[1]
results = Results()
check = results.check


def unused_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Kiosk(KioskProcess):
    def __init__(self, server):
        super().__init__(TARNWICK, results, "tarnwick-logmail-")
        for sub in ("pages", "log", "feedback"):
            os.makedirs(os.path.join(self.dir, sub))
        with open(os.path.join(self.dir, "pages", "start.htm"), "w") as f:
            f.write("<html><body>Start</body></html>")
        # A log left from days ago: past its action time when the kiosk starts.
        self.old_log = "Thursday, 03-12-2026, 09:00:00 --- Log opened\nThursday, 03-12-2026, 09:01:00 --- A visit\n"
        log = os.path.join(self.dir, "log", "TWCurrentLog.txt")
        with open(log, "w") as f:
            f.write(self.old_log)
        old = time.time() - 3 * 86400
        os.utime(log, (old, old))
        # Their last line ends differ: another mail reader must get each file back exactly.
        self.feedback = {"FB261203090500.txt": "Great kiosk\r\n", "FB261203091000.txt": "name=Ann\nrating=5\n",
                         "FB261203092000.txt": "No line end", "FB261203093000.txt": "Two lines\n\n"}
        for name, text in self.feedback.items():
            with open(os.path.join(self.dir, "feedback", name), "w", newline="") as f:
                f.write(text)
        with open(os.path.join(self.dir, "Tarnwick.ini"), "w") as ini:
            ini.write("[PREFERENCES]\nScreenMode=1\nEMailLog=1\nEMailFeedback=1\nLogHour=3\nLogMinute=0\n"
                      "EMailServer=%s\nEMailSecurity=starttls\nEMailUserName=%s\nEMailPassword=%s\n"
                      "EMailCAFile=%s\nEMailFromAddress=kiosk@tarnwick.test\nEMailFromName=Lobby Kiosk\n"
                      "[EMAILADDRESS]\nAddress0=visitor@tarnwick.test\n[EMAILNAME]\nName0=Visitor\n"
                      "[BROWSER]\nBrowser=1\n[URLS]\nStart=file://%s/pages/start.htm\n"
                      % (server, os.environ["TW_POP3_USER"], os.environ["TW_POP3_PASSWORD"],
                         os.environ["TW_CA_FILE"], self.dir))
        self.start()


def pop_session():
    host, port = os.environ["TW_POP3_SERVER"].split(":")
    p = poplib.POP3(host, int(port), timeout=10)
    p.stls(context=ssl.create_default_context(cafile=os.environ["TW_CA_FILE"]))
    p.user(os.environ["TW_POP3_USER"])
    p.pass_(os.environ["TW_POP3_PASSWORD"])
    return p


def log_mails():
    """(number, parsed message) of every log mail in the mailbox."""
    p = pop_session()
    found = []
    for n in range(1, p.stat()[0] + 1):
        raw = b"\r\n".join(p.retr(n)[1]) + b"\r\n"
        message = email.message_from_bytes(raw, policy=email.policy.default)
        if str(message["Subject"]).startswith("Tarnwick Log from"):
            found.append((n, message))
    p.quit()
    return found


def test_server_down_is_logged_not_shown():
    k = Kiosk("127.0.0.1:%d" % unused_port())
    try:
        check(k.wait_for_line("Log Mail Not Sent - [10061] Connection refused - next attempt in 2 minutes", 30),
              "failed log mail not logged: %s" % k.log())
        check(not any(line.startswith("Error - ") for line in k.log()), "the failure was shown: %s" % k.log())
        check(sorted(os.listdir(os.path.join(k.dir, "feedback", "sent"))) == sorted(k.feedback),
              "feedback not moved to sent")
    finally:
        k.stop()


def test_log_mail_arrives():
    k = Kiosk(os.environ["TW_SUBMISSION_SERVER"])
    try:
        check(k.wait_for_line("Browser Control running correctly", 30), "browser never ready")
        deadline = time.time() + 30
        mails = []
        while not mails and time.time() < deadline:
            mails = log_mails()
            time.sleep(0.2)
        check(len(mails) == 1, "expected one log mail, found %d" % len(mails))
        if mails:
            number, message = mails[0]
            check(str(message["From"]) == "Lobby Kiosk <kiosk@tarnwick.test>", "sender: %s" % message["From"])
            body = message.get_body(preferencelist=("plain",)).get_content()
            check(body.replace("\r\n", "\n").startswith(k.old_log), "body is not the closed log: %r" % body)
            files = {part.get_filename(): part.get_content() for part in message.iter_attachments()}
            # Text travels with CR LF line ends; otherwise each file arrives as it was.
            check({name: text.replace("\r\n", "\n") for name, text in files.items()} ==
                  {name: text.replace("\r\n", "\n") for name, text in k.feedback.items()},
                  "attachments: %r" % files)
            p = pop_session()
            p.dele(number)
            p.quit()
        check(not any(line.startswith("Log Mail Not Sent") for line in k.log()), "send reported failing")
        check(not any(os.environ["TW_POP3_PASSWORD"] in line for line in k.log()), "the password was logged")
    finally:
        k.stop()


if __name__ == "__main__":
    test_server_down_is_logged_not_shown()
    test_log_mail_arrives()
    results.finish()
