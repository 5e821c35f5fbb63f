#!/usr/bin/env python3
"""Messages per second sent with the SMTP client over STARTTLS with AUTH against smtplib
(starttls, login), and retrieval throughput of a 20 MiB mailbox over POP3 with TLS from
the first byte against poplib.POP3_SSL, on the servers that tests/mail/real_servers.py
starts. Both sides check the servers' certificate against the test CA.

  tests/mail/real_servers.py python3 bench/mail/mail_protocol_bench.py BUILD/bench/mail/mail_protocol_bench
"""
import os
import poplib
import smtplib
import ssl
import subprocess
import sys
import time

COUNT = 20
MAILBOX_MIB = 20


def server(name):
    host, port = os.environ[name].split(":")
    return host, int(port)


def context():
    return ssl.create_default_context(cafile=os.environ["TW_CA_FILE"])


def python_smtp(count):
    body = "Subject: bench\r\n\r\nA short message of a few lines.\r\nSecond line.\r\nThird line.\r\n"
    start = time.monotonic()
    for _ in range(count):
        s = smtplib.SMTP(*server("TW_SUBMISSION_SERVER"))
        s.starttls(context=context())
        s.login(os.environ["TW_POP3_USER"], os.environ["TW_POP3_PASSWORD"])
        s.sendmail("bench@tarnwick.test", ["visitor@tarnwick.test"], body)
        s.quit()
    return time.monotonic() - start


def pop_session():
    p = poplib.POP3_SSL(*server("TW_POP3S_SERVER"), context=context())
    p.user(os.environ["TW_POP3_USER"])
    p.pass_(os.environ["TW_POP3_PASSWORD"])
    return p


def empty_mailbox():
    p = pop_session()
    for n in range(1, p.stat()[0] + 1):
        p.dele(n)
    p.quit()


def wait_for_size(octets):
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        p = pop_session()
        size = p.stat()[1]
        p.quit()
        if size >= octets:
            return
        time.sleep(0.2)
    raise SystemExit("the mailbox did not fill")


def python_pop():
    start = time.monotonic()
    p = pop_session()
    octets = 0
    for n in range(1, p.stat()[0] + 1):
        octets += sum(len(line) + 2 for line in p.retr(n)[1])
    p.quit()
    return time.monotonic() - start, octets


def main():
    program = sys.argv[1]
    ours = float(subprocess.check_output([program, "smtp", str(COUNT)]).split()[0])
    theirs = python_smtp(COUNT)
    print(f"SMTP over STARTTLS with AUTH, {COUNT} messages: SmtpClient {1000 * ours / COUNT:.1f} ms each, "
          f"smtplib {1000 * theirs / COUNT:.1f} ms each, ratio {theirs / ours:.2f}")
    wait_for_size(1)
    empty_mailbox()

    # The mailbox is filled through the plain SMTP server behind the submission service.
    line = ("x" * 76 + "\r\n").encode()
    chunk = b"".join(line for _ in range(1024 * 1024 // len(line)))
    s = smtplib.SMTP(*server("TW_SMTP_SERVER"))
    for i in range(MAILBOX_MIB):
        s.sendmail("bench@tarnwick.test", ["visitor@tarnwick.test"], b"Subject: big %d\r\n\r\n" % i + chunk)
    s.quit()
    wait_for_size(MAILBOX_MIB * len(chunk))
    ours_time, ours_octets = subprocess.check_output([program, "pop3"]).split()
    ours_time = float(ours_time)
    theirs_time, _ = python_pop()
    mib = int(ours_octets) / (1024 * 1024)
    print(f"POP3 over TLS, {mib:.1f} MiB mailbox: Pop3Mailbox {mib / ours_time:.0f} MiB/s, "
          f"poplib.POP3_SSL {mib / theirs_time:.0f} MiB/s, ratio {theirs_time / ours_time:.2f}")
    empty_mailbox()


if __name__ == "__main__":
    main()
