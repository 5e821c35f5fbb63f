#!/usr/bin/env bash
# Start-up to the first painted splash, under a virtual X server:
#   bench/kiosk/startup.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
runs=${2:-10}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$build/xdg-runtime}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sed "s|@DEMO_DIR@|$root/demo|g" "$root/demo/Tarnwick.ini" >"$work/Tarnwick.ini"
"$root/scripts/with-xvfb" bash -c '
  for i in $(seq 1 '"$runs"'); do
    TARNWICK_REPORT_FIRST_PAINT=1 "$0" --dir "$1" 2>"$1/err.txt" &
    pid=$!
    for _ in $(seq 1 100); do grep -q "painted after" "$1/err.txt" && break; sleep 0.05; done
    kill -TERM $pid; wait $pid || true
    grep -o "painted after [0-9]* ms" "$1/err.txt" | grep -o "[0-9]*"
  done' "$build/apps/tarnwick/tarnwick" "$work" | sort -n | awk '
  { v[NR] = $1 } END { if (NR == 0) { print "no figures"; exit 1 }
    printf "start-up to first painted splash: median %d ms, min %d ms, max %d ms (%d runs)\n", v[int((NR + 1) / 2)], v[1], v[NR], NR }'
