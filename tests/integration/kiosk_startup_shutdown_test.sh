#!/usr/bin/env bash
# Starts the real kiosk on temporary program directories (DISPLAY must point at an X
# server), stops it the way the system does, and checks what an operator would see:
# the activity log, the console messages, the exit status.
set -uo pipefail
tarnwick=$1
# Every kiosk runs the embedded browser: no GPU, and no sandbox when run as root.
export QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu
[ "$(id -u)" = 0 ] && export QTWEBENGINE_DISABLE_SANDBOX=1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 passes=0

fail() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }
pass() { passes=$((passes + 1)); }

# wait_for FILE TEXT SECONDS: true once FILE contains TEXT.
wait_for() {
  local deadline=$((SECONDS + $3))
  while [ $SECONDS -lt "$deadline" ]; do
    grep -qF -- "$2" "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

# start DIR: runs the kiosk in the background; sets pid.
start() {
  "$tarnwick" --dir "$1" >"$1.out" 2>&1 &
  pid=$!
}

# stop SIGNAL: asks the kiosk to end and checks that it does, cleanly and in time.
stop() {
  if ! kill -0 "$pid" 2>/dev/null; then
    fail "the kiosk was no longer running before $1"
    return
  fi
  kill "-$1" "$pid"
  local deadline=$((SECONDS + 15))
  while kill -0 "$pid" 2>/dev/null && [ $SECONDS -lt "$deadline" ]; do sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    fail "still running 15 s after $1"
    kill -KILL "$pid"
  fi
  wait "$pid"
  local rc=$?
  [ "$rc" -eq 0 ] && pass || fail "exit status $rc after $1"
}

log_texts() { sed 's/^.* --- //' "$1/log/TWCurrentLog.txt"; }

glob_literal() { local s=${1//\\/\\\\}; s=${s//\*/\\*}; s=${s//\?/\\?}; printf '%s' "${s//\[/\\[}"; }

# expect_log DIR LINE...: the log's texts are exactly these lines; a LINE "..." stands
# for any lines (the browser's own, whose number depends on timing).
expect_log() {
  local dir=$1; shift
  local pattern="" line actual
  for line in "$@"; do
    if [ "$line" = "..." ]; then pattern+="*"; else pattern+="$(glob_literal "$line")"$'\n'; fi
  done
  actual=$(log_texts "$dir")$'\n'
  # shellcheck disable=SC2053  # the pattern is a glob on purpose
  [[ $actual == $pattern ]] && pass || fail "log was:"$'\n'"$actual""expected:"$'\n'"$(printf '%s\n' "$@")"
}

check_line_format() {
  local bad
  bad=$(grep -cvE '^[^ ,]+, [0-9]{2}-[0-9]{2}-[0-9]{4}, [0-9]{2}:[0-9]{2}:[0-9]{2} --- ' "$1/log/TWCurrentLog.txt")
  [ "$bad" = 0 ] && pass || fail "$bad log lines without the time stamp format"
}

# --- a normal configuration, stopped by SIGTERM, then started again
case_name=normal
dir=$work/normal; mkdir -p "$dir"
cat >"$dir/Tarnwick.ini" <<'INI'
[PREFERENCES]
ScreenMode=1
SaveLog=1
[BROWSER]
Browser=2
INI
start "$dir"
wait_for "$dir/log/TWCurrentLog.txt" "Log opened" 20 || fail "no \"Log opened\" within 20 s"
# A browser kind that does not exist: the embedded browser serves instead.
wait_for "$dir/log/TWCurrentLog.txt" "Browser Control running correctly" 20 || fail "the browser did not start"
stop TERM
expect_log "$dir" "Log opened" "Browser Kind 2 Not Known - Embedded Browser Used" "Browser Control running correctly" \
  "..." "Tarnwick Closing Down"
check_line_format "$dir"
[ -d "$dir/feedback/sent" ] && pass || fail "feedback/sent was not created"

case_name=restart
start "$dir"
wait_for "$dir/log/TWCurrentLog.txt" "Log re-opened" 20 || fail "no \"Log re-opened\""
stop INT
expect_log "$dir" "Log opened" "Browser Kind 2 Not Known - Embedded Browser Used" "..." "Tarnwick Closing Down" \
  "Log re-opened" "Browser Kind 2 Not Known - Embedded Browser Used" "..." "Tarnwick Closing Down"

# --- missing, binary configuration and language files: all defaults, and the default
# browser (the external one, not available) gives way to the embedded browser
case_name=binary-files
dir=$work/binary; mkdir -p "$dir"
head -c 4096 /dev/urandom >"$dir/Tarnwick.ini"
head -c 4096 /dev/urandom >"$dir/TWLang.ini"
start "$dir"
wait_for "$dir/log/TWCurrentLog.txt" "Log opened" 20 || fail "no \"Log opened\""
wait_for "$dir/log/TWCurrentLog.txt" "Browser Control running correctly" 20 || fail "the browser did not start"
stop TERM
expect_log "$dir" "Log opened" "External Browser Not Available - Embedded Browser Used" \
  "Browser Control running correctly" "..." "Tarnwick Closing Down"

case_name=unreadable-files
dir=$work/unreadable; mkdir -p "$dir/Tarnwick.ini"   # a folder where the file should be
start "$dir"
wait_for "$dir/log/TWCurrentLog.txt" "Log opened" 20 || fail "no \"Log opened\""
stop TERM
expect_log "$dir" "Log opened" "External Browser Not Available - Embedded Browser Used" "..." "Tarnwick Closing Down"

# --- an integer key that is not a number: logged with its default, shown once, and the
# keys after it (the browser, the start page) are read all the same
case_name=bad-integer
dir=$work/badint; mkdir -p "$dir"
printf '[PREFERENCES]\nNewBrowser=three\n[BROWSER]\nBrowser=1\n[URLS]\nStart=about:blank\n' >"$dir/Tarnwick.ini"
start "$dir"
wait_for "$dir/log/TWCurrentLog.txt" "Browser Control running correctly" 20 || fail "the browser did not start"
summary="Error - 1 bad setting in Tarnwick.ini - see log"
grep -qF "$summary" "$dir.out" && pass || fail "the setting error was not reported on the console"
stop TERM
expect_log "$dir" "Log opened" \
  "Setting [PREFERENCES] NewBrowser=three in Tarnwick.ini: 'three' is not a valid integer value - the default is used" \
  "$summary" "Browser Control running correctly" "Initial Loading of Start - about:blank" "..." \
  "Tarnwick Closing Down"

# --- a log folder that cannot be written: a clear message, no crash, the kiosk serves on
case_name=unwritable-log
dir=$work/nolog; mkdir -p "$dir"
echo "not a folder" >"$dir/log"
start "$dir"
wait_for "$dir.out" "Unable to write to $dir/log/TWCurrentLog.txt" 20 || fail "no clear message about the log"
sleep 2
stop TERM
[ "$(cat "$dir/log")" = "not a folder" ] && pass || fail "the file in the log folder's place was changed"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
