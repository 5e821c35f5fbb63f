#!/usr/bin/env python3
"""Runs the real-server mail tests: starts the loopback mail servers of
scripts/mail_servers.py (OpenSMTPD delivering into a maildir, Dovecot reading it over POP3
and taking submissions), runs the test program against them and stops both servers by
their process ids afterwards. The addresses, the account and the CA file reach the
program in TW_* environment variables.

Usage: real_servers.py TEST_PROGRAM [gtest arguments...]
Exits 77 (skipped) only when the servers cannot be started at all on this machine: not
running as root (the SMTP server needs it), the server programs not installed, or a demo
using them.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts"))
from mail_servers import UNAVAILABLE, MailServers, Unavailable  # noqa: E402


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    try:
        # Test runs of other build folders on this machine take turns: one server at a time.
        with MailServers("test") as servers:
            result = subprocess.call(sys.argv[1:], env=dict(os.environ, **servers.environment()))
            if result != 0:
                print(servers.log_text(), flush=True)
            return result
    except Unavailable as e:
        print("SKIPPED: real mail servers cannot be started: " + str(e), flush=True)
        return UNAVAILABLE
    except RuntimeError as e:
        print(e, flush=True)
        return 1


if __name__ == "__main__":
    sys.exit(main())
