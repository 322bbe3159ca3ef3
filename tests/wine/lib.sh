# Shared by the end-to-end tests of zorvane.exe under Wine. Each test gets
# its own Xvfb display and uses the prefix made by make_prefix.sh; every
# wait is bounded, and everything started is stopped on the way out.
#
# Environment (set by CTest): ZORVANE_EXE, BOXDUMP_EXE, ZORVANE_PREFIX.
set -u

export WINEPREFIX="$ZORVANE_PREFIX"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
WORK=$(mktemp -d)
FAILURES=0
XVFB_PID=

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
  wineserver -k 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  rm -rf "$WORK"
  echo "$FAILURES failed"
  [ "$FAILURES" -eq 0 ] && exit 0
  exit 1
}

start_display() {
  local number
  for number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$number"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null
  done
  echo "no X display could be started" >&2
  exit 1
}

# Waits up to 20 s for a visible window of exactly this name; prints its id.
wait_window() {
  local pattern
  pattern="^$(printf '%s' "$1" | sed 's/[][\.*^$()+?{}|]/\\&/g')\$"
  timeout 20 xdotool search --sync --onlyvisible --name "$pattern" 2>/dev/null | head -n 1
}

# Starts zorvane.exe in the background; its stdout goes to $WORK/stdout.
start_box() {
  timeout 60 wine "$ZORVANE_EXE" "$@" >"$WORK/stdout" 2>"$WORK/stderr" &
  BOX_PID=$!
}

# Focuses the box and presses the keys (one xdotool key argument each);
# prints the exit status, or "no window" / "timeout".
press_and_wait() {
  local title=$1 window status
  shift
  window=$(wait_window "$title")
  if [ -z "$window" ]; then
    kill "$BOX_PID" 2>/dev/null
    wait "$BOX_PID" 2>/dev/null
    echo "no window"
    return
  fi
  xdotool windowfocus --sync "$window" 2>/dev/null
  for key in "$@"; do xdotool key "$key"; done
  wait "$BOX_PID"
  status=$?
  [ "$status" -eq 124 ] && echo timeout || echo "$status"
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

# Controls of the open box, one "class<TAB>text" line each, from boxdump.exe.
box_controls() {
  timeout 20 wine "$BOXDUMP_EXE" "$1" 2>/dev/null
}

trap 'finish' EXIT
