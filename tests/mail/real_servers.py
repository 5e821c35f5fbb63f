#!/usr/bin/env python3
"""Runs the real-server mail tests: starts an SMTP server that delivers into a maildir
(OpenSMTPD) and Dovecot, which reads that maildir over POP3 and takes mail for
submission, on free loopback ports, with configuration files and a test CA with its
certificates (made with openssl) in a temporary folder, runs the test program against
them and stops both servers by their process ids afterwards.

OpenSMTPD listens in plain text only (the one in Debian 12 cannot do TLS with OpenSSL
3). Dovecot requires TLS everywhere: submission with STARTTLS and with TLS from the
first byte, both with AUTH, relaying to OpenSMTPD; POP3 with STLS and with TLS from the
first byte. On 127.0.0.2 and 127.0.0.3 its TLS ports show an expired certificate and one
for another host. The addresses, the account and the CA file reach the program in TW_*
environment variables.

Usage: real_servers.py TEST_PROGRAM [gtest arguments...]
Exits 77 (skipped) only when the servers cannot be started at all on this machine: not
running as root (the SMTP server needs it) or the server programs are not installed.
"""
import fcntl
import os
import pwd
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

SMTPD = "/usr/sbin/smtpd"
DOVECOT = "/usr/sbin/dovecot"
OPENSSL = "/usr/bin/openssl"
SUBMISSION = "/usr/lib/dovecot/submission"
SKIP = 77
CONTROL_SOCKET = "/var/run/smtpd.sock"
LOCK_FILE = "/tmp/tarnwick-mail-servers.lock"
USER = "visitor"
PASSWORD = "tarnwick-test-password"


def skip(reason):
    print("SKIPPED: real mail servers cannot be started: " + reason, flush=True)
    sys.exit(SKIP)


def control_socket_in_use():
    # The SMTP server's control socket has a fixed path: only one instance can run. A
    # socket file left behind by a stopped server is replaced by the next one.
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
        try:
            s.connect(CONTROL_SOCKET)
            return True
        except OSError:
            return False


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for_greeting(port, prefix, process, deadline):
    while time.monotonic() < deadline:
        if process.poll() is not None:
            return False
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=2) as s:
                s.settimeout(2)
                if s.recv(512).startswith(prefix):
                    return True
        except OSError:
            time.sleep(0.1)
    return False


def stop(process):
    if process is None or process.poll() is not None:
        return
    os.kill(process.pid, signal.SIGTERM)
    try:
        process.wait(timeout=10)
    except subprocess.TimeoutExpired:
        os.kill(process.pid, signal.SIGKILL)
        process.wait()


def write(path, text):
    with open(path, "w") as f:
        f.write(text)


def openssl(*args, cwd):
    subprocess.run([OPENSSL, *args], cwd=cwd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)


def make_certificates(work):
    """A test CA and, signed by it, the servers' certificate for localhost and 127.0.0.1,
    one for another host name and one that expired long ago."""
    pki = os.path.join(work, "pki")
    os.makedirs(os.path.join(pki, "issued"))
    write(os.path.join(pki, "index.txt"), "")
    write(os.path.join(pki, "serial"), "1000\n")
    write(os.path.join(pki, "ca.cnf"), f"""
[ca]
default_ca = test_ca
[test_ca]
dir = {pki}
database = $dir/index.txt
serial = $dir/serial
new_certs_dir = $dir/issued
certificate = $dir/ca.crt
private_key = $dir/ca.key
default_md = sha256
policy = any_name
unique_subject = no
copy_extensions = copy
[any_name]
commonName = supplied
[leaf]
basicConstraints = CA:FALSE
keyUsage = digitalSignature
extendedKeyUsage = serverAuth
""")
    key = ["-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:P-256", "-nodes"]
    openssl("req", "-x509", *key, "-keyout", "ca.key", "-out", "ca.crt", "-days", "2",
            "-subj", "/CN=Tarnwick test CA", cwd=pki)
    leaves = {
        "server": ("localhost", "DNS:localhost,IP:127.0.0.1", ["-days", "2"]),
        "otherhost": ("mail.other.test", "DNS:mail.other.test", ["-days", "2"]),
        "expired": ("localhost", "DNS:localhost,IP:127.0.0.2",
                    ["-startdate", "20200101000000Z", "-enddate", "20200201000000Z"]),
    }
    for name, (cn, san, validity) in leaves.items():
        openssl("req", *key, "-keyout", name + ".key", "-out", name + ".csr", "-subj", "/CN=" + cn,
                "-addext", "subjectAltName=" + san, cwd=pki)
        openssl("ca", "-batch", "-config", "ca.cnf", "-extensions", "leaf", "-in", name + ".csr",
                "-out", name + ".crt", *validity, cwd=pki)
        os.chmod(os.path.join(pki, name + ".key"), 0o600)
    return pki


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    if os.geteuid() != 0:
        skip("the SMTP server must be started as root")
    for program in (SMTPD, DOVECOT, SUBMISSION, OPENSSL):
        if not os.access(program, os.X_OK):
            skip(program + " is not installed (scripts/install-deps installs it)")
    # Test runs of other build folders on this machine take turns: one server at a time.
    lock = open(LOCK_FILE, "w")
    deadline = time.monotonic() + 60
    while True:
        try:
            fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
            break
        except BlockingIOError:
            if time.monotonic() > deadline:
                print("another test run kept the mail servers for a minute", flush=True)
                return 1
            time.sleep(0.2)
    if control_socket_in_use():
        skip("another SMTP server of the same kind is running (" + CONTROL_SOCKET + " answers)")

    nobody = pwd.getpwnam("nobody")
    work = tempfile.mkdtemp(prefix="tarnwick-mail-servers-")
    os.chmod(work, 0o755)
    maildir = os.path.join(work, "Maildir")
    for sub in ("", "cur", "new", "tmp"):
        os.makedirs(os.path.join(maildir, sub), exist_ok=True)
        os.chown(os.path.join(maildir, sub), nobody.pw_uid, nobody.pw_gid)
    os.makedirs(os.path.join(work, "dovecot-run"))
    os.makedirs(os.path.join(work, "dovecot-state"))
    pki = make_certificates(work)
    smtp_port = free_port()
    submission_port = free_port()
    submissions_port = free_port()
    pop3_port = free_port()
    pop3s_port = free_port()

    # Every recipient goes to the one maildir, delivered as "nobody".
    write(os.path.join(work, "vusers"), "@ nobody\n")
    write(os.path.join(work, "smtpd.conf"),
          f"table vusers file:{work}/vusers\n"
          f"listen on 127.0.0.1 port {smtp_port}\n"
          f'action "deliver" maildir "{maildir}" virtual <vusers>\n'
          'match from any for any action "deliver"\n')
    write(os.path.join(work, "users"), f"{USER}:{{PLAIN}}{PASSWORD}::::::nodelay\n")
    write(os.path.join(work, "dovecot.conf"), f"""
instance_name = tarnwick-test-{os.getpid()}
protocols = pop3 submission
hostname = localhost
listen = 127.0.0.1
base_dir = {work}/dovecot-run
state_dir = {work}/dovecot-state
log_path = {work}/dovecot.log
ssl = required
ssl_cert = <{pki}/server.crt
ssl_key = <{pki}/server.key
local 127.0.0.2 {{
  ssl_cert = <{pki}/expired.crt
  ssl_key = <{pki}/expired.key
}}
local 127.0.0.3 {{
  ssl_cert = <{pki}/otherhost.crt
  ssl_key = <{pki}/otherhost.key
}}
auth_mechanisms = plain login
# Failed log-ins are answered at once: the tests make several on purpose.
auth_failure_delay = 0
service anvil {{
  unix_listener anvil-auth-penalty {{
    mode = 0
  }}
}}
submission_relay_host = 127.0.0.1
submission_relay_port = {smtp_port}
first_valid_uid = 1
mail_location = maildir:{maildir}
passdb {{
  driver = passwd-file
  args = scheme=PLAIN username_format=%u {work}/users
}}
userdb {{
  driver = static
  args = uid={nobody.pw_uid} gid={nobody.pw_gid} home={work}/home
}}
service pop3-login {{
  inet_listener pop3 {{
    address = 127.0.0.1
    port = {pop3_port}
  }}
  inet_listener pop3s {{
    address = 127.0.0.1
    port = {pop3s_port}
    ssl = yes
  }}
}}
service submission-login {{
  inet_listener submission {{
    address = 127.0.0.1
    port = {submission_port}
  }}
  inet_listener submissions {{
    address = 127.0.0.1 127.0.0.2 127.0.0.3
    port = {submissions_port}
    ssl = yes
  }}
}}
""")

    smtpd = dovecot = None
    smtpd_log = open(os.path.join(work, "smtpd.log"), "w")
    dovecot_out = open(os.path.join(work, "dovecot.out"), "w")
    result = 1
    try:
        smtpd = subprocess.Popen([SMTPD, "-d", "-f", os.path.join(work, "smtpd.conf")],
                                 stdout=smtpd_log, stderr=subprocess.STDOUT)
        dovecot = subprocess.Popen([DOVECOT, "-F", "-c", os.path.join(work, "dovecot.conf")],
                                   stdout=dovecot_out, stderr=subprocess.STDOUT)
        deadline = time.monotonic() + 20
        if not wait_for_greeting(smtp_port, b"220", smtpd, deadline):
            print("the SMTP server did not start", flush=True)
        elif not wait_for_greeting(pop3_port, b"+OK", dovecot, deadline):
            print("the POP3 server did not start", flush=True)
        elif not wait_for_greeting(submission_port, b"220", dovecot, deadline):
            print("the submission server did not start", flush=True)
        else:
            env = dict(os.environ)
            env.update({
                "TW_SMTP_SERVER": f"127.0.0.1:{smtp_port}",
                "TW_SUBMISSION_SERVER": f"127.0.0.1:{submission_port}",
                "TW_SUBMISSIONS_SERVER": f"127.0.0.1:{submissions_port}",
                "TW_EXPIRED_SERVER": f"127.0.0.2:{submissions_port}",
                "TW_OTHER_HOST_SERVER": f"127.0.0.3:{submissions_port}",
                "TW_POP3_SERVER": f"127.0.0.1:{pop3_port}",
                "TW_POP3S_SERVER": f"127.0.0.1:{pop3s_port}",
                "TW_POP3_USER": USER,
                "TW_POP3_PASSWORD": PASSWORD,
                "TW_CA_FILE": os.path.join(pki, "ca.crt"),
            })
            result = subprocess.call(sys.argv[1:], env=env)
    finally:
        stop(smtpd)
        stop(dovecot)
        smtpd_log.close()
        dovecot_out.close()
        if result != 0:
            for name in ("smtpd.log", "dovecot.out", "dovecot.log"):
                path = os.path.join(work, name)
                if os.path.exists(path):
                    print(f"----- {name}", flush=True)
                    with open(path, errors="replace") as f:
                        print(f.read(), flush=True)
        shutil.rmtree(work, ignore_errors=True)
    return result


if __name__ == "__main__":
    sys.exit(main())
