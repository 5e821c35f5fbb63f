#!/usr/bin/env bash
# The kiosk against `chromium --kiosk` on the same page served on loopback, each on a
# virtual X server of its own (800x600, no GPU), in interleaved rounds:
#   - start to the page's onload (the page tells the server it has loaded),
#   - the splash painted after the start (the kiosk only),
#   - CPU of the idle process tree plus the X server, as % of one core (each thread's
#     run time from the scheduler, in nanoseconds),
#   - wake-ups per second of the idle main thread (its voluntary context switches),
#     and of the whole tree,
#   - memory of the process tree (PSS), read after the idle time so that reading it does
#     not disturb the figures above.
# With chromium there is a third subject, "external": the kiosk driving chromium as its
# external browser (BROWSER/Browser=0).
# chromium is installed with apt-get when it is missing and this runs as root; when it
# cannot be had, only the kiosk with its embedded browser is measured.
#   bench/kiosk/idle.sh [BUILD_DIR] [ROUNDS] [IDLE_SECONDS]
# TARNWICK=/path/to/tarnwick measures another build of the kiosk (for a before/after).
# SETTINGS='sed expression' changes the kiosk's settings further, e.g. 's/^ShowSeconds=1/ShowSeconds=0/'.
# BREAKDOWN=1 also prints, for each round, where the idle CPU went by process and thread.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build}
rounds=${2:-3}
idle=${3:-30}
tarnwick=${TARNWICK:-$build/apps/tarnwick/tarnwick}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu MESA_SHADER_CACHE_DISABLE=true
[ "$(id -u)" -eq 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
work=$(mktemp -d)
server_pid=
cleanup() {
  if [ -n "$server_pid" ]; then kill "$server_pid" 2>/dev/null || true; wait "$server_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

chromium=$(command -v chromium || true)
if [ -z "$chromium" ] && [ "$(id -u)" -eq 0 ]; then
  echo "installing chromium for the comparison ..."
  if DEBIAN_FRONTEND=noninteractive apt-get install -y -q chromium >"$work/apt.txt" 2>&1; then
    chromium=$(command -v chromium || true)
  fi
fi
[ -z "$chromium" ] && echo "chromium could not be installed: only the kiosk is measured"

# The page and a server that notes when its onload arrives.
mkdir -p "$work/site"
cat >"$work/site/start.htm" <<'EOF'
<!DOCTYPE html><html><head><title>Start</title></head>
<body style="font-family: sans-serif"><h1>Welcome</h1><p>A static start page.</p>
<script>addEventListener("load", function () { fetch("/loaded"); });</script></body></html>
EOF
cat >"$work/server.py" <<'EOF'
import http.server, sys, time
site, marks = sys.argv[1], sys.argv[2]
class Handler(http.server.SimpleHTTPRequestHandler):
    def __init__(self, *a, **kw):
        super().__init__(*a, directory=site, **kw)
    def do_GET(self):
        if self.path == "/loaded":
            with open(marks, "a") as f:
                f.write("%d\n" % time.time_ns())
            self.send_response(204); self.end_headers(); return
        super().do_GET()
    def log_message(self, *a):
        pass
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
EOF
python3 "$work/server.py" "$work/site" "$work/loaded.txt" >"$work/port.txt" &
server_pid=$!
for _ in $(seq 1 100); do [ -s "$work/port.txt" ] && break; sleep 0.05; done
url="http://127.0.0.1:$(head -n1 "$work/port.txt")/start.htm"

# The kiosk's folder: the demo settings, attract modes off, the served page to start with.
mkdir -p "$work/kiosk"
cp -r "$root/demo/pages" "$root/demo/pictures" "$root/demo/help" "$work/kiosk/"
sed "s|@DEMO_DIR@|$work/kiosk|g" "$root/demo/Tarnwick.ini" >"$work/kiosk/Tarnwick.ini"
sed -i "s/^TimeStart=.*/TimeStart=0/; s/^TimeCarousel=.*/TimeCarousel=0/; s/^TimeVideo=.*/TimeVideo=0/; s|^Start=.*|Start=$url|" \
  "$work/kiosk/Tarnwick.ini"
[ -n "${SETTINGS:-}" ] && sed -i "$SETTINGS" "$work/kiosk/Tarnwick.ini"

# The same with the external browser.
cp -r "$work/kiosk" "$work/kiosk-external"
if [ -n "$chromium" ]; then
  sed -i "s/^Browser=.*/Browser=0/; s|^FileName=.*|FileName=$chromium|" "$work/kiosk-external/Tarnwick.ini"
fi

tree() {  # a process and all its descendants
  local p=$1
  echo "$p"
  for c in $(cat /proc/"$p"/task/*/children 2>/dev/null); do tree "$c"; done
}
runtimes() {  # "pid/task/tid nanoseconds process/thread" for every thread of the given processes (CPU time so far)
  local p t ns rest name thread
  for p in "$@"; do
    name=$(tr ' ' _ <"/proc/$p/comm" 2>/dev/null) || continue
    for t in /proc/"$p"/task/*; do
      thread=$(tr ' ' _ <"$t/comm" 2>/dev/null) || continue
      read -r ns rest <"$t/schedstat" 2>/dev/null && echo "${t#/proc/} $ns $name/$thread"
    done
  done
  return 0
}
# CPU time between two runtimes lists, in ns: a thread in both by its difference, a thread
# started in between whole. (Clock ticks of /proc/PID/stat are 10 ms each: too coarse for
# an idle kiosk's few milliseconds a second.)
cpu_ns() {
  awk 'NR == FNR { a[$1] = $2; next } { d += $2 - ($1 in a ? a[$1] : 0) } END { printf "%d\n", d }' "$1" "$2"
}
# The same CPU time by process and thread name, the largest first, as % of one core over MS
# milliseconds (BREAKDOWN=1): where an idle subject's time goes.
cpu_by_thread() {
  awk -v ms="$3" 'NR == FNR { a[$1] = $2; next }
    { d = $2 - ($1 in a ? a[$1] : 0); if (d > 0) by[$3] += d }
    END { for (k in by) printf "    %7.3f %%  %s\n", 100 * by[k] / 1e6 / ms, k }' "$1" "$2" | sort -rn | head -n 12
}
switches() {  # voluntary context switches of the given tasks' status files
  local s=0 v
  for f in "$@"; do v=$(awk '/^voluntary_ctxt_switches/ {print $2}' "$f" 2>/dev/null || echo 0); s=$((s + ${v:-0})); done
  echo $s
}
pss() {
  local s=0 v
  for p in "$@"; do v=$(awk '/^Pss:/ {print $2}' /proc/"$p"/smaps_rollup 2>/dev/null || echo 0); s=$((s + ${v:-0})); done
  echo $s
}
now_ns() { date +%s%N; }

# One round of one subject: prints "name loaded_ms splash_ms cpu_percent main_wakeups tree_wakeups pss_kib".
round() {
  local who=$1 display xvfb pid start loaded splash=- before
  rm -f "$work/loaded.txt" "$work/display.txt"
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$work/display.txt" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 1 100); do [ -s "$work/display.txt" ] && break; sleep 0.05; done
  display=":$(head -n1 "$work/display.txt")"
  rm -rf "$work/kiosk/log" "$work/kiosk-external/log" "$work/profile"
  start=$(now_ns)
  if [ "$who" = tarnwick ] || [ "$who" = external ]; then
    local dir=$work/kiosk
    [ "$who" = external ] && dir=$work/kiosk-external
    DISPLAY=$display TARNWICK_REPORT_FIRST_PAINT=1 "$tarnwick" --dir "$dir" >"$work/out.txt" 2>&1 &
  else
    DISPLAY=$display "$chromium" --kiosk --no-first-run --no-default-browser-check --disable-gpu \
      --user-data-dir="$work/profile" $([ "$(id -u)" -eq 0 ] && echo --no-sandbox) "$url" >"$work/out.txt" 2>&1 &
  fi
  pid=$!
  until [ -s "$work/loaded.txt" ]; do
    sleep 0.01
    if [ $((($(now_ns) - start) / 1000000)) -gt 30000 ]; then
      echo "$who: the page did not load in 30 s" >&2
      kill "$pid" "$xvfb"; wait "$pid" "$xvfb" 2>/dev/null
      return 1
    fi
  done
  loaded=$((($(head -n1 "$work/loaded.txt") - start) / 1000000))
  if [ "$who" != chromium ]; then
    splash=$(grep -o "painted after [0-9]* ms" "$work/out.txt" | grep -o "[0-9]*" || echo -)
  fi
  sleep 3  # settled
  local procs main_task tasks m0 w0 c0 peak=0 p m1 w1 c1 ms cpu
  procs=$(tree "$pid")
  main_task=/proc/$pid/task/$pid/status
  tasks=$(for p in $procs; do ls -d /proc/"$p"/task/*/status 2>/dev/null; done)
  runtimes $procs "$xvfb" >"$work/cpu0.txt"; m0=$(switches "$main_task"); c0=$(switches $tasks); w0=$(now_ns)
  sleep "$idle"  # nothing else of ours runs meanwhile
  runtimes $(tree "$pid") "$xvfb" >"$work/cpu1.txt"; m1=$(switches "$main_task"); c1=$(switches $tasks); w1=$(now_ns)
  for _ in 1 2 3; do
    p=$(pss $(tree "$pid")); [ "$p" -gt "$peak" ] && peak=$p
    sleep 1
  done
  cpu=$(cpu_ns "$work/cpu0.txt" "$work/cpu1.txt")
  ms=$(((w1 - w0) / 1000000))
  if [ -n "${BREAKDOWN:-}" ]; then
    echo "  $who, by process/thread:" >&2
    cpu_by_thread "$work/cpu0.txt" "$work/cpu1.txt" "$ms" >&2
  fi
  awk -v who="$who" -v l="$loaded" -v s="$splash" -v cpu="$cpu" -v ms="$ms" -v m=$((m1 - m0)) \
    -v c=$((c1 - c0)) -v pss="$peak" 'BEGIN {
      printf "%s %d %s %.3f %.2f %.1f %d\n", who, l, s, 100 * cpu / 1e6 / ms, m / (ms / 1000), c / (ms / 1000), pss }'
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
}

subjects=tarnwick
[ -n "$chromium" ] && subjects="tarnwick external chromium"
: >"$work/results.txt"
for r in $(seq 1 "$rounds"); do
  for who in $subjects; do
    if line=$(round "$who"); then
      echo "round $r: $line"
      echo "$line" >>"$work/results.txt"
    fi
  done
done

echo
echo "idle over $idle s after 3 s settled; X server counted with each; $rounds rounds; medians:"
awk '
  { n[$1]++; i = n[$1]; L[$1, i] = $2; S[$1, i] = $3; C[$1, i] = $4; M[$1, i] = $5; W[$1, i] = $6; P[$1, i] = $7 }
  function median(A, who, k,   v, j, m, x, y) {
    m = n[who]; for (j = 1; j <= m; j++) v[j] = A[who, j]
    for (x = 1; x <= m; x++) for (y = x + 1; y <= m; y++) if (v[y] + 0 < v[x] + 0) { t = v[x]; v[x] = v[y]; v[y] = t }
    return v[int((m + 1) / 2)]
  }
  END {
    for (who in n) {
      l[who] = median(L, who); c[who] = median(C, who); p[who] = median(P, who)
      printf "%-9s start to onload %5d ms  splash %4s ms  idle CPU %.3f %%  main thread %.2f wake-ups/s  tree %.1f wake-ups/s  PSS %d MiB\n",
        who, l[who], median(S, who), c[who], median(M, who), median(W, who), p[who] / 1024
    }
    if ("chromium" in n && "tarnwick" in n) {
      printf "ratios (kiosk / chromium --kiosk): start %.2f  idle CPU %.2f  PSS %.2f\n",
        l["tarnwick"] / l["chromium"], (c["chromium"] > 0 ? c["tarnwick"] / c["chromium"] : 0), p["tarnwick"] / p["chromium"]
    }
    if ("chromium" in n && "external" in n) {
      printf "ratios (kiosk with chromium as its external browser / chromium --kiosk): start %.2f  idle CPU %.2f  PSS %.2f\n",
        l["external"] / l["chromium"], (c["chromium"] > 0 ? c["external"] / c["chromium"] : 0), p["external"] / p["chromium"]
    }
  }' "$work/results.txt"
