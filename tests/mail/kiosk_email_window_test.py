#!/usr/bin/env python3
"""The visitors' e-mail window in the running kiosk, against the real servers, used with
the mouse and the on-screen keyboard as a visitor would. Three messages wait in the
mailbox (one from "first_last@", one with an encoded-word subject, one with a text
attachment). The visitor opens the window from a page's EMAIL command link, types the
user name on the kiosk's keys, gets the list over STLS, views a message and answers it,
turns down and then confirms the deletion of another, and writes a new message to two
recipients with cc Self. The mailbox is then read over POP3 by an independent reader:
the answer and the new message as sent, the deleted message gone, the others untouched.
Last the visitor walks away: after the idle return the window opens empty.

Run by real_servers.py (server addresses in the environment) under scripts/with-xvfb:
usage: kiosk_email_window_test.py TARNWICK
"""
import os
import sys
import time
from email.message import EmailMessage

from kiosk_email_driver import (PASSWORD, USER, EmailWindow, Screenshots, addresses, checker, deliver,
                                dialog_press, mailbox, maildir_subjects, plain_text, screen_pixels, subjects,
                                type_on_keyboard, type_text, wait_for_mail)
from kiosk_driver import KioskProcess, Results, click, xdotool  # noqa: E402 (on the path through the driver)

TARNWICK = sys.argv[1]
results = Results()
shots = Screenshots()
check = checker(results, shots)
VISITOR = "visitor@tarnwick.test"
IDLE_SECONDS = 15
ATTACHMENT = "name=Ann\nrating=5\n"


def three_messages():
    messages = []
    m = EmailMessage()
    m["From"] = "Ann Lee <first_last@example.org>"
    m["To"] = VISITOR
    m["Subject"] = "Lunch on Friday?"
    m.set_content("Shall we meet at noon?\nAt the usual place.\n")
    messages.append(m)
    m = EmailMessage()
    m["From"] = "cafe@example.org"
    m["To"] = VISITOR
    m["Subject"] = "=?utf-8?Q?Caf=C3=A9_menu?="
    m.set_content("Soup of the day.\n")
    messages.append(m)
    m = EmailMessage()
    m["From"] = "club@example.org"
    m["To"] = VISITOR
    m["Subject"] = "Results attached"
    m.set_content("See the file.\n")
    m.add_attachment(ATTACHMENT, filename="results.txt")
    messages.append(m)
    return messages


class Kiosk(KioskProcess):
    def __init__(self):
        super().__init__(TARNWICK, results, "tarnwick-email-")
        # The whole page is one link to the EMAIL command.
        self.write_file("pages/start.htm", '<html><body style="margin:0"><a href="tw-command:EMAIL" '
                        'style="display:block;width:100vw;height:100vh">E-mail</a></body></html>')
        self.write_file("TWLang.ini", "[MESSAGES]\nErrorString6=Delete this message?\nErrorString7=Nothing deleted\n")
        self.write_file("Tarnwick.ini",
                        "[PREFERENCES]\nScreenMode=1\nEMailServer=%s\n"
                        "[EMAIL]\nDefaultServer=%s\nSecurity=starttls\nCAFile=%s\nUserName=%s\nPassword=%s\n"
                        "ShowKeyboard=1\nHideKeyboard=1\n[ATTRACT]\nTimeStart=%d\n"
                        "[BROWSER]\nBrowser=1\n[URLS]\nStart=file://%s/pages/start.htm\n"
                        % (os.environ["TW_SUBMISSION_SERVER"], os.environ["TW_POP3_SERVER"], os.environ["TW_CA_FILE"],
                           USER, PASSWORD, IDLE_SECONDS, self.dir))
        self.start()

    def count(self, text):
        return sum(1 for line in self.log() if text in line)

    def open_window(self):
        """Opens the window from the page's link; the window once it is in place, or None."""
        at = len(self.log())
        click(400, 300)
        if not check(self.wait_for_line("Email Window Opened - Normal Use", 10, at), "not opened: %s" % self.log()):
            return None
        # The keyboard rises with the window, which then fits the smaller hole.
        time.sleep(1.0)
        window = EmailWindow.find()
        check(window is not None, "no e-mail window on the screen")
        return window


def errors_in(log):
    return [line for line in log if "Error" in line]


class Stop(Exception):
    """A step the rest depends on failed (already counted and photographed)."""


def need(condition, message):
    if not check(condition, message):
        raise Stop()


def read_and_answer(k, w):
    """Logs in (the user name typed on the kiosk's keys), views the lunch message and
    answers it."""
    w.press("user")
    type_on_keyboard(USER)
    w.press("password")
    type_text(PASSWORD)
    notebook = w.notebook(screen_pixels())
    w.press("get")
    need(k.wait_for_line("Get Pressed", 5), "Get not pressed: %s" % k.log())
    need(w.wait_for_change(w.notebook, notebook), "the list did not show: %s" % k.log())
    need(errors_in(k.log()) == [], "errors reported: %s" % errors_in(k.log()))
    # The list is in the mailbox's order, which is the order of delivery.
    memo = w.memo(screen_pixels())
    w.click_row(subjects().index("Lunch on Friday?"))
    need(k.wait_for_line("Message Selected for Viewing", 10), "no message chosen: %s" % k.log())
    need(w.wait_for_change(w.memo, memo), "the message was not shown")
    w.press("reply")
    need(k.wait_for_line("Reply Pressed", 5), "Reply not pressed: %s" % k.log())
    viewed = k.count("Message Selected for Viewing")
    w.press("send")
    need(k.wait_for_line("Cancel#3 Pressed", 20), "the answer was not sent: %s" % k.log())
    # Back on the list, the message is read again.
    need(k.wait_for(lambda: k.count("Message Selected for Viewing") > viewed, 10), "not back on the list")
    time.sleep(0.5)


def delete_cafe(k, w):
    """Chooses the café's message, turns the question down, then confirms it."""
    memo = w.memo(screen_pixels())
    viewed = k.count("Message Selected for Viewing")
    w.click_row(subjects().index("Café menu"))
    need(k.wait_for(lambda: k.count("Message Selected for Viewing") > viewed, 10), "café not chosen")
    need(w.wait_for_change(w.memo, memo), "the café's message was not shown")
    w.press("delete")
    need(k.wait_for_line("Delete Pressed", 5), "Delete not pressed: %s" % k.log())
    need(dialog_press("cancel"), "no question before deleting")
    need(k.wait_for_line("Nothing deleted", 5), "a turned-down deletion was not told: %s" % k.log())
    need(dialog_press("ok"), "no message after the turned-down deletion")
    time.sleep(0.5)
    check("Café menu" in subjects(), "deleted although the visitor said no")
    gets = k.count("Get Pressed")
    check(gets == 1, "the list was fetched again after a turned-down deletion: %s" % k.log())
    w.press("delete")
    need(dialog_press("ok"), "no question before deleting, the second time")
    # The list is fetched again once the message is gone.
    need(k.wait_for(lambda: k.count("Get Pressed") > gets, 15), "no new list after deleting: %s" % k.log())
    time.sleep(1.0)


def write_new(k, w):
    """From the account page: a new message to two recipients, cc Self as it comes."""
    w.press("cancel2")
    w.press("new")
    need(k.wait_for_line("New Pressed", 5), "New not pressed: %s" % k.log())
    # From is kept from the answer; the visitor writes it anew all the same.
    w.fill("from", VISITOR)
    w.fill("to", "one@example.org, Two <two@example.org>")
    w.fill("subject", "Both of you")
    w.click_memo()
    type_text("Hello both.")
    xdotool("key", "Return")
    type_text("See you at noon.")
    sends = k.count("Cancel#3 Pressed")
    w.press("send")
    need(k.wait_for(lambda: k.count("Cancel#3 Pressed") > sends, 20), "the new message was not sent: %s" % k.log())


def check_mailbox():
    box = wait_for_mail(lambda b: sum(1 for _, m in b if str(m["Subject"]) in ("re:Lunch on Friday?", "Both of you"))
                        >= 2)
    by_subject = {}
    for raw, m in box:
        by_subject.setdefault(str(m["Subject"]), []).append((raw, m))
    check("Café menu" not in by_subject, "the deleted message is still there")
    stored = maildir_subjects()
    shown = sorted(str(m["Subject"]) for _, m in box)
    check("Café menu" not in stored and stored == shown, "the maildir holds %s, the mailbox shows %s" % (stored, shown))
    check(len(by_subject.get("Lunch on Friday?", [])) == 1, "the lunch message is gone")
    results_mail = by_subject.get("Results attached", [])
    if check(len(results_mail) == 1, "the message with the attachment is gone"):
        parts = list(results_mail[0][1].iter_attachments())
        contents = [p.get_content().replace("\r\n", "\n") for p in parts]
        check(contents == [ATTACHMENT], "attachment changed: %r" % contents)

    answers = by_subject.get("re:Lunch on Friday?", [])
    if check(len(answers) >= 1, "no answer arrived: %s" % list(by_subject)):
        answer = answers[0][1]
        check(addresses(answer, "To") == ["first_last@example.org"], "answer To: %s" % answer["To"])
        check(addresses(answer, "From") == [VISITOR], "answer From: %s" % answer["From"])
        check(addresses(answer, "Cc") == [VISITOR], "answer Cc: %s" % answer["Cc"])
        body = plain_text(answer)
        check(body == ">>Shall we meet at noon?\n>>At the usual place.\n\n", "answer text: %r" % body)

    new = by_subject.get("Both of you", [])
    if check(len(new) >= 1, "the new message did not arrive: %s" % list(by_subject)):
        raw, m = new[0]
        check(addresses(m, "To") == ["one@example.org", "two@example.org"], "To: %s" % m["To"])
        check(m["To"].addresses[1].display_name == "Two", "the name in To was lost: %s" % m["To"])
        check(addresses(m, "Cc") == [VISITOR], "cc Self: %s" % m["Cc"])
        check(addresses(m, "From") == [VISITOR], "From: %s" % m["From"])
        check(plain_text(m) == "Hello both.\nSee you at noon.\n", "text: %r" % plain_text(m))
        # Every recipient got its own delivery: the one maildir holds a copy for each.
        check(len(new) == 3, "%d copies for two recipients and cc Self" % len(new))


def idle_return(k, at, clean_fields, clean_memo):
    """The visitor has left the window with the account filled in (log lines from `at`
    on): the kiosk returns to its start page, and the next visitor finds the window empty."""
    check(k.wait_for_line("Visitor Session Cleared", IDLE_SECONDS + 15, at), "no idle return: %s" % k.log()[at:])
    check(k.wait_for_line("Email Window Closed", 5, at), "the window was not closed: %s" % k.log()[at:])
    check(k.wait_for_line("Page Loaded", 20, at), "the start page was not loaded again")
    time.sleep(0.5)
    again = k.open_window()
    if again is None:
        return
    pixels = screen_pixels()
    check(again.account_fields(pixels) == clean_fields, "the next visitor sees the last one's account")
    check(again.memo(pixels) == clean_memo, "the next visitor sees the last one's text")


def test_visitor():
    deliver(three_messages())
    if not check(len(wait_for_mail(lambda b: len(b) >= 3)) == 3, "the three messages did not arrive"):
        return
    k = Kiosk()
    try:
        if not check(k.wait_for_line("Page Loaded", 40), "start page never loaded: %s" % k.log()):
            return
        w = k.open_window()
        if w is None:
            return
        pixels = screen_pixels()
        clean_fields, clean_memo = w.account_fields(pixels), w.memo(pixels)
        read_and_answer(k, w)
        delete_cafe(k, w)
        write_new(k, w)
        # On the account page again, the visitor's account still in its fields: the
        # comparison below can tell a filled field from an empty one.
        at = len(k.log())
        check(w.account_fields(screen_pixels()) != clean_fields, "the account fields look empty while filled in")
        check(errors_in(k.log()) == [], "errors reported: %s" % errors_in(k.log()))
        check_mailbox()
        idle_return(k, at, clean_fields, clean_memo)
    except Stop:
        pass
    finally:
        k.stop()


test_visitor()
results.finish()
