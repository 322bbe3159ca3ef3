# Shared by the end-to-end test scripts: checks that count failures, an own
# Xvfb display, bounded waits, and cleanup on the way out.
set -u

WORK=$(mktemp -d)
FAILURES=0
XVFB_PID=
CLEANUPS=()

check() {  # check NAME EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then
    echo "ok   $1"
  else
    echo "FAIL $1: expected [$2], got [$3]"
    FAILURES=$((FAILURES + 1))
  fi
}

# The EXIT trap: stops what the test started; the status is the verdict.
finish() {
  local cleanup
  for cleanup in "${CLEANUPS[@]}"; do eval "$cleanup"; done
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
  echo "$FAILURES failed"
  [ "$FAILURES" -eq 0 ] && exit 0
  exit 1
}
trap finish EXIT

# An own Xvfb; the server picks a free display number itself, so tests
# running side by side never share one.
start_display() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    if [ -s "$WORK/display" ]; then
      export DISPLAY=":$(head -n 1 "$WORK/display")"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    sleep 0.1
  done
  echo "no X display could be started" >&2
  exit 1
}

# another_display SIZE XVFB-ARGUMENTS...: one more Xvfb of that size, for
# a test of its own; puts ":N" in ANOTHER_DISPLAY and stops it on the way out.
another_display() {
  local size=$1 file
  shift
  file=$(mktemp -p "$WORK")
  Xvfb -displayfd 3 -screen 0 "${size}x24" "$@" 3>"$file" >/dev/null 2>&1 &
  CLEANUPS+=("kill $! 2>/dev/null")
  for _ in $(seq 100); do [ -s "$file" ] && break; sleep 0.1; done
  ANOTHER_DISPLAY=":$(head -n 1 "$file")"
}

# Waits up to 20 s for a visible window of exactly this name; prints its id.
# Debian's xdotool ends with BadWindow when any window goes away while it
# searches (a window manager's frame, the last test's box), so it searches
# again until the time is up.
wait_window() {
  local pattern window left deadline=$((SECONDS + 20))
  pattern="^$(printf '%s' "$1" | sed 's/[][\.*^$()+?{}|]/\\&/g')\$"
  while left=$((deadline - SECONDS)) && [ "$left" -gt 0 ]; do
    window=$(timeout "$left" xdotool search --sync --onlyvisible --name "$pattern" \
      2>/dev/null | head -n 1)
    [ -n "$window" ] && echo "$window" && return 0
    sleep 0.1
  done
}

# Focuses the window of this name and presses the keys, one xdotool key
# argument each; prints nothing. Returns 1 if no such window appeared.
press_keys() {
  local window
  window=$(wait_window "$1") || return 1
  [ -n "$window" ] || return 1
  shift
  xdotool windowfocus --sync "$window" 2>/dev/null
  sleep 0.35  # the desktop box ignores keys in its first 0.3 s with the focus
  for key in "$@"; do xdotool key "$key"; done
}

# wait_count PATTERN COMMAND...: how many lines of COMMAND's output match
# PATTERN, once one does or 5 s have passed.
wait_count() {
  local pattern=$1
  shift
  for _ in $(seq 50); do
    "$@" | grep -q -- "$pattern" && break
    sleep 0.1
  done
  "$@" | grep -c -- "$pattern"
}

# Waits for background job PID (at most its own timeout) and puts its
# status, or "timeout", in STATUS. Call it from the shell that started the
# job, never inside $(...).
wait_status() {
  wait "$1"
  STATUS=$?
  [ "$STATUS" -eq 124 ] && STATUS=timeout
}

# press_and_wait TITLE KEYS...: presses the keys in the box that start_box
# (each test library's own) opened; prints its status, or "no window".
press_and_wait() {
  if ! press_keys "$@"; then
    kill "$BOX_PID" 2>/dev/null
    wait "$BOX_PID" 2>/dev/null
    echo "no window"
    return
  fi
  wait_status "$BOX_PID"
  echo "$STATUS"
}

# box TITLE KEYS -- ARGUMENTS...: shows a box, presses the keys, prints the status.
box() {
  local title=$1 keys=()
  shift
  while [ "$1" != "--" ]; do keys+=("$1"); shift; done
  shift
  start_box "$@"
  press_and_wait "$title" "${keys[@]}"
}

# check_usage_screen RUN: RUN is a function that runs the tool with the
# arguments it is given. Checks the usage screen's exact bytes, no stderr
# and status 0 for every way of asking, and status 0 whatever becomes of
# standard output.
check_usage_screen() {
  local run=$1
  sed 's/$/\r/' "$(dirname "${BASH_SOURCE[0]}")/usage.expected" >"$WORK/expected"
  usage_case() {
    local name=$1 status
    shift
    "$run" "$@" >"$WORK/out" 2>"$WORK/err"
    status=$?
    check "usage: $name" "same 0 quiet" \
      "$(cmp -s "$WORK/out" "$WORK/expected" && echo same) $status $([ -s "$WORK/err" ] || echo quiet)"
  }
  usage_case "/?" '/?'
  usage_case "-?" '-?'
  usage_case "no arguments"
  usage_case "empty text, more arguments" '' Title 64
  usage_case "spaces only" '     '
  usage_case "/? among spaces, more arguments" '  /?  ' T 16 x y
  "$run" '/?' | true  # the reader is gone before the first write
  check "pipe closed early: 0" 0 "${PIPESTATUS[0]}"
  "$run" '/?' >&-
  check "stdout closed: 0" 0 "$?"
  "$run" '/?' >/dev/full
  check "disk full: 0" 0 "$?"
}
