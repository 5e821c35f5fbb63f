#!/usr/bin/env bash
# The kiosk with its embedded browser on the demo pages, under a virtual X server:
# start to start page loaded, peak memory of the process tree (PSS), and the CPU an idle
# kiosk uses on a static page.
#   bench/kiosk/browser.sh [BUILD_DIR] [IDLE_SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
idle=${2:-60}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$build/xdg-runtime}
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/demo/pages" "$root/demo/pictures" "$root/demo/help" "$work/"
sed "s|@DEMO_DIR@|$work|g" "$root/demo/Tarnwick.ini" >"$work/Tarnwick.ini"
# No attract modes during the idle measurement.
sed -i 's/^TimeStart=.*/TimeStart=0/; s/^TimeCarousel=.*/TimeCarousel=0/' "$work/Tarnwick.ini"

"$root/scripts/with-xvfb" --size 800x600x24 bash -c '
  work=$1 tarnwick=$2 idle=$3
  tree() {  # the kiosk and all its descendants
    local p=$1; echo $p
    for c in $(cat /proc/$p/task/*/children 2>/dev/null); do tree $c; done
  }
  pss() { local s=0; for p in $(tree $1); do
      v=$(awk "/^Pss:/ {print \$2}" /proc/$p/smaps_rollup 2>/dev/null || echo 0); s=$((s + ${v:-0})); done; echo $s; }
  ticks() { local s=0; for p in $(tree $1); do
      v=$(awk "{print \$14 + \$15}" /proc/$p/stat 2>/dev/null || echo 0); s=$((s + ${v:-0})); done; echo $s; }
  start=$(date +%s%N)
  "$tarnwick" --dir "$work" >/dev/null 2>&1 &
  pid=$!
  peak=0
  until grep -q "Page Loaded - file://$work/pages/start.htm" "$work/log/TWCurrentLog.txt" 2>/dev/null; do
    sleep 0.02
    [ $(( ($(date +%s%N) - start) / 1000000 )) -gt 30000 ] && { echo "start page not loaded in 30 s"; kill $pid; exit 1; }
  done
  loaded=$(( ($(date +%s%N) - start) / 1000000 ))
  echo "start to start page loaded: $loaded ms"
  sleep 2
  t0=$(ticks $pid); w0=$(date +%s%N)
  for i in $(seq 1 "$idle"); do
    p=$(pss $pid); [ "$p" -gt "$peak" ] && peak=$p
    sleep 1
  done
  t1=$(ticks $pid); w1=$(date +%s%N)
  hz=$(getconf CLK_TCK)
  awk -v t=$((t1 - t0)) -v hz=$hz -v w=$(( (w1 - w0) / 1000000 )) \
    "BEGIN { printf \"idle CPU over %.0f s on a static page: %.2f %% of one core\n\", w / 1000, 100 * t / hz / (w / 1000) }"
  echo "peak memory of the process tree (PSS): $((peak / 1024)) MiB"
  kill -TERM $pid; wait $pid
' bench "$work" "$build/apps/tarnwick/tarnwick" "$idle"
