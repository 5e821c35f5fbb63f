#!/usr/bin/env bash
# package_test.sh SOURCE_DIR BUILD_DIR: builds the Debian package, installs it on this
# machine, runs the installed kiosk on the packaged configuration under Xvfb until its
# start page is loaded, and purges it again: nothing may be left behind. Needs root;
# skipped (77) otherwise, and when a tarnwick package is installed already.
set -euo pipefail
src=$1 build=$2
if [ "$(id -u)" -ne 0 ]; then echo "package test: needs root"; exit 77; fi
if dpkg-query -W -f='${Status}' tarnwick 2>/dev/null | grep -q 'ok installed'; then
  echo "package test: a tarnwick package is installed already; not touching it"
  exit 77
fi

fail() { echo "package test: FAIL: $*"; exit 1; }
purge() { dpkg --purge tarnwick >/dev/null 2>&1 || true; }
trap purge EXIT

TARNWICK_BUILD_DIR=$build "$src/scripts/package"
deb=$(ls "$build"/package/tarnwick_*.deb | head -n1)
echo "package test: $(basename "$deb"), installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$deb" >/dev/null \
  || fail "the package does not install"

[ "$(/usr/bin/tarnwick --version)" = "tarnwick $(dpkg-deb -f "$deb" Version)" ] || fail "--version"
[ "$(/usr/bin/tarnwick-setup --version)" = "tarnwick-setup $(dpkg-deb -f "$deb" Version)" ] || fail "setup --version"
[ -f /etc/tarnwick/Documentation/setup-manager.html ] || fail "no operator's guide where Manual looks"
[ -f /etc/tarnwick/Language/German.ini ] || fail "no keyboard layouts in /etc/tarnwick/Language"
checked=$(/usr/bin/tarnwick --check-config --dir /etc/tarnwick) || fail "the packaged configuration has errors"
# A public kiosk, not the demo: no exit at the screen until the operator sets a password.
for line in ExitOn=0 KeyBlock=1 BlockRightButton=1 ExecuteEnabled=0 PasswordOn=1; do
  grep -qx "$line" /etc/tarnwick/Tarnwick.ini || fail "the installed configuration lacks $line"
done
grep -q "Password=: the exit password is on but not set" <<<"$checked" || fail "no warning about the unset exit password"
systemctl cat tarnwick >/dev/null 2>&1 || [ -f /usr/lib/systemd/system/tarnwick.service ] || fail "no unit"
if [ -d /run/systemd/system ] && systemctl is-enabled tarnwick >/dev/null 2>&1; then
  fail "the unit is enabled on installation"
fi
getent passwd tarnwick >/dev/null || fail "no system user"

# The installed kiosk on its packaged configuration, as root without the engine's sandbox.
export QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
export XDG_RUNTIME_DIR=$(mktemp -d)
log=/var/log/tarnwick/TWCurrentLog.txt
"$src/scripts/with-xvfb" bash -c '
  start=$(date +%s%N)
  /usr/bin/tarnwick --dir /etc/tarnwick & pid=$!
  for _ in $(seq 1 600); do
    if grep -q "Page Loaded - file:///usr/share/tarnwick/demo/pages/start.htm" '"$log"' 2>/dev/null; then
      echo "package test: start page loaded $(( ($(date +%s%N) - start) / 1000000 )) ms after the start"
      break
    fi
    kill -0 $pid 2>/dev/null || break
    sleep 0.05
  done
  kill -TERM $pid; wait $pid
' || true
rm -rf "$XDG_RUNTIME_DIR"
grep -q "Page Loaded - file:///usr/share/tarnwick/demo/pages/start.htm" "$log" || fail "no start page in $log"
tail -n 1 "$log" | grep -q "Tarnwick Closing Down" || fail "the kiosk did not close down in order"

dpkg --purge tarnwick >/dev/null || fail "the package does not purge"
for path in /usr/bin/tarnwick /usr/bin/tarnwick-setup /usr/share/tarnwick /etc/tarnwick /var/log/tarnwick /var/lib/tarnwick \
    /usr/share/xsessions/tarnwick.desktop /usr/lib/systemd/system/tarnwick.service; do
  [ ! -e "$path" ] && [ ! -L "$path" ] || fail "$path is left behind"
done
echo "package test: installed, ran and purged cleanly"
