#!/usr/bin/env python3
"""Loopback mail servers for the mail tests and the demo: an SMTP server that delivers
every recipient into one maildir (OpenSMTPD) and Dovecot, which reads that maildir over
POP3 and takes mail for submission, on free loopback ports, with configuration files and
a test CA with its certificates (made with openssl) in a temporary folder that is removed
when they stop. Both servers are stopped by their process ids.

OpenSMTPD listens in plain text only (the one in Debian 12 cannot do TLS with OpenSSL
3). Dovecot requires TLS everywhere: submission with STARTTLS and with TLS from the
first byte, both with AUTH, relaying to OpenSMTPD; POP3 with STLS and with TLS from the
first byte. On 127.0.0.2 and 127.0.0.3 its TLS ports show an expired certificate and one
for another host.

Only one such SMTP server can run on a machine (its control socket has a fixed path), so
users take turns through a lock file that says who holds it: test runs wait up to a minute
for each other, a demo up to two minutes for a test run. A demo keeps the servers until it
ends, so a test run that finds a demo holding them is skipped, and so is a second demo.

As a program (the demo):
  mail_servers.py serve [MAILBOX_DIR]
starts the servers, puts the messages of MAILBOX_DIR (*.eml, in name order) into the
mailbox, prints the addresses as NAME=value lines (TW_POP3_SERVER=127.0.0.1:PORT ...)
ended by an empty line and keeps the servers until it receives SIGTERM, SIGINT or SIGHUP.
When the servers cannot be started it prints TW_MAIL_UNAVAILABLE=the reason instead, and
exits 77 when the machine cannot run them at all.
"""
import fcntl
import glob
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
CONTROL_SOCKET = "/var/run/smtpd.sock"
LOCK_FILE = "/tmp/tarnwick-mail-servers.lock"
USER = "visitor"
PASSWORD = "tarnwick-test-password"
UNAVAILABLE = 77


class Unavailable(Exception):
    """The servers cannot be started on this machine (the reason is the message)."""


def control_socket_in_use():
    # A socket file left behind by a stopped server is replaced by the next one.
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
        try:
            s.connect(CONTROL_SOCKET)
            return True
        except OSError:
            return False


def free_ports(names):
    """A free loopback port for each name, all different: each socket stays bound until
    every port is chosen, so the system cannot hand out one port twice."""
    sockets = []
    try:
        for _ in names:
            s = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
            sockets.append(s)
            s.bind(("127.0.0.1", 0))
        return {name: s.getsockname()[1] for name, s in zip(names, sockets)}
    finally:
        for s in sockets:
            s.close()


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


def take_lock(holder, wait_seconds):
    """Opens and locks LOCK_FILE and writes `holder` into it ("test 1234", "demo 1234")."""
    # Opened for appending: opening must not erase what the current holder wrote.
    lock = open(LOCK_FILE, "a+")
    deadline = time.monotonic() + wait_seconds
    told = False
    while True:
        try:
            fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
            break
        except BlockingIOError:
            lock.seek(0)
            current = lock.read().strip()
            in_use = "they are in use by " + (current or "another run") + " (" + LOCK_FILE + ")"
            if current.startswith("demo"):
                lock.close()
                raise Unavailable(in_use)
            if time.monotonic() > deadline:
                lock.close()
                raise RuntimeError(in_use + (f" for over {wait_seconds} seconds" if wait_seconds else ""))
            if not told:
                print(f"mail servers: waiting up to {wait_seconds} seconds: " + in_use, file=sys.stderr, flush=True)
                told = True
            time.sleep(0.2)
    lock.truncate(0)
    lock.write(holder + "\n")
    lock.flush()
    return lock


def dovecot_conf(work, pki, maildir, ports, nobody):
    return f"""
instance_name = tarnwick-mail-{os.getpid()}
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
submission_relay_port = {ports["smtp"]}
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
    port = {ports["pop3"]}
  }}
  inet_listener pop3s {{
    address = 127.0.0.1
    port = {ports["pop3s"]}
    ssl = yes
  }}
}}
service submission-login {{
  inet_listener submission {{
    address = 127.0.0.1
    port = {ports["submission"]}
  }}
  inet_listener submissions {{
    address = 127.0.0.1 127.0.0.2 127.0.0.3
    port = {ports["submissions"]}
    ssl = yes
  }}
}}
"""


class MailServers:
    """with MailServers("test") as servers: ... servers.environment() ...

    Raises Unavailable on entering when the servers cannot be started at all here: not
    running as root (the SMTP server needs it), the programs not installed, or another
    user of them (see the module's text). Any other failure to start raises RuntimeError:
    another test run kept the servers too long, or they did not start (with their logs)."""

    def __init__(self, holder, wait_seconds=60):
        self.holder = holder
        self.wait_seconds = wait_seconds
        self.work = None
        self.lock = None
        self.processes = []
        self.logs = []
        self.user = USER
        self.password = PASSWORD
        self.nobody = pwd.getpwnam("nobody")
        self.delivered = 0

    def __enter__(self):
        if os.geteuid() != 0:
            raise Unavailable("the SMTP server must be started as root")
        for program in (SMTPD, DOVECOT, SUBMISSION, OPENSSL):
            if not os.access(program, os.X_OK):
                raise Unavailable(program + " is not installed (scripts/install-deps installs it)")
        self.lock = take_lock(f"{self.holder} {os.getpid()}", self.wait_seconds)
        try:
            if control_socket_in_use():
                raise Unavailable("another SMTP server of the same kind is running (" + CONTROL_SOCKET + " answers)")
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self):
        nobody = self.nobody
        work = self.work = tempfile.mkdtemp(prefix="tarnwick-mail-servers-")
        os.chmod(work, 0o755)
        self.maildir = os.path.join(work, "Maildir")
        for sub in ("", "cur", "new", "tmp"):
            os.makedirs(os.path.join(self.maildir, sub), exist_ok=True)
            os.chown(os.path.join(self.maildir, sub), nobody.pw_uid, nobody.pw_gid)
        os.makedirs(os.path.join(work, "dovecot-run"))
        os.makedirs(os.path.join(work, "dovecot-state"))
        pki = make_certificates(work)
        self.ca_file = os.path.join(pki, "ca.crt")
        ports = free_ports(("smtp", "submission", "submissions", "pop3", "pop3s"))
        self.ports = ports
        # Every recipient goes to the one maildir, delivered as "nobody".
        write(os.path.join(work, "vusers"), "@ nobody\n")
        write(os.path.join(work, "smtpd.conf"),
              f"table vusers file:{work}/vusers\n"
              f"listen on 127.0.0.1 port {ports['smtp']}\n"
              f'action "deliver" maildir "{self.maildir}" virtual <vusers>\n'
              'match from any for any action "deliver"\n')
        write(os.path.join(work, "users"), f"{USER}:{{PLAIN}}{PASSWORD}::::::nodelay\n")
        write(os.path.join(work, "dovecot.conf"), dovecot_conf(work, pki, self.maildir, ports, nobody))

        smtpd_log = open(os.path.join(work, "smtpd.log"), "w")
        dovecot_out = open(os.path.join(work, "dovecot.out"), "w")
        self.logs = [smtpd_log, dovecot_out]
        smtpd = subprocess.Popen([SMTPD, "-d", "-f", os.path.join(work, "smtpd.conf")],
                                 stdout=smtpd_log, stderr=subprocess.STDOUT)
        self.processes.append(smtpd)
        dovecot = subprocess.Popen([DOVECOT, "-F", "-c", os.path.join(work, "dovecot.conf")],
                                   stdout=dovecot_out, stderr=subprocess.STDOUT)
        self.processes.append(dovecot)
        deadline = time.monotonic() + 20
        for port, greeting, process, name in ((ports["smtp"], b"220", smtpd, "SMTP"),
                                              (ports["pop3"], b"+OK", dovecot, "POP3"),
                                              (ports["submission"], b"220", dovecot, "submission")):
            if not wait_for_greeting(port, greeting, process, deadline):
                raise RuntimeError(f"the {name} server did not start\n" + self.log_text())

    def __exit__(self, *exc):
        for process in self.processes:
            stop(process)
        self.processes = []
        for log in self.logs:
            log.close()
        self.logs = []
        if self.work:
            shutil.rmtree(self.work, ignore_errors=True)
            self.work = None
        if self.lock:
            self.lock.truncate(0)
            self.lock.close()
            self.lock = None
        return False

    def log_text(self):
        """The servers' own logs, for a failure report."""
        text = []
        for name in ("smtpd.log", "dovecot.out", "dovecot.log"):
            path = os.path.join(self.work, name)
            if os.path.exists(path):
                with open(path, errors="replace") as f:
                    text.append(f"----- {name}\n" + f.read())
        return "\n".join(text)

    def environment(self):
        """The addresses, the account and the CA file as TW_* variables."""
        p = self.ports
        return {
            "TW_SMTP_SERVER": f"127.0.0.1:{p['smtp']}",
            "TW_SUBMISSION_SERVER": f"127.0.0.1:{p['submission']}",
            "TW_SUBMISSIONS_SERVER": f"127.0.0.1:{p['submissions']}",
            "TW_EXPIRED_SERVER": f"127.0.0.2:{p['submissions']}",
            "TW_OTHER_HOST_SERVER": f"127.0.0.3:{p['submissions']}",
            "TW_POP3_SERVER": f"127.0.0.1:{p['pop3']}",
            "TW_POP3S_SERVER": f"127.0.0.1:{p['pop3s']}",
            "TW_POP3_USER": self.user,
            "TW_POP3_PASSWORD": self.password,
            "TW_CA_FILE": self.ca_file,
            "TW_MAILDIR": self.maildir,
        }

    def put_in_mailbox(self, raw):
        """Puts one message (bytes) into the mailbox as the SMTP server would deliver it:
        written under tmp/, then moved into new/."""
        self.delivered += 1
        name = f"{time.time_ns()}.P{os.getpid()}Q{self.delivered}.localhost"
        temporary = os.path.join(self.maildir, "tmp", name)
        with open(temporary, "wb") as f:
            f.write(raw)
        os.chown(temporary, self.nobody.pw_uid, self.nobody.pw_gid)
        os.rename(temporary, os.path.join(self.maildir, "new", name))


class Stopped(Exception):
    pass


def serve(mailbox_dir):
    """Keeps the servers until a stop signal; see the module's text."""
    # Out of the caller's process group: Ctrl+C at the terminal reaches the caller, which
    # stops us in order, not the servers directly.
    try:
        os.setsid()
    except PermissionError:
        pass

    def stopped(signum, frame):
        for s in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
            signal.signal(s, signal.SIG_IGN)
        raise Stopped()

    for s in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(s, stopped)

    def publish(values):
        for name, value in values.items():
            print(f"{name}={value}")
        print(flush=True)

    try:
        # A test run holds them for two minutes at most.
        with MailServers("demo", wait_seconds=120) as servers:
            for path in sorted(glob.glob(os.path.join(mailbox_dir, "*.eml"))) if mailbox_dir else []:
                with open(path, "rb") as f:
                    servers.put_in_mailbox(f.read())
            publish(servers.environment())
            while True:
                signal.pause()
    except Stopped:
        return 0
    except Unavailable as e:
        publish({"TW_MAIL_UNAVAILABLE": str(e)})
        return UNAVAILABLE
    except RuntimeError as e:
        # The first line says what failed; the servers' logs follow it.
        publish({"TW_MAIL_UNAVAILABLE": str(e).splitlines()[0]})
        print(e, file=sys.stderr, flush=True)
        return 1


if __name__ == "__main__":
    if len(sys.argv) in (2, 3) and sys.argv[1] == "serve":
        sys.exit(serve(sys.argv[2] if len(sys.argv) == 3 else None))
    print(__doc__)
    sys.exit(2)
