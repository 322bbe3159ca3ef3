#!/bin/bash
# The desktop box under the window managers most desktops run, mutter and
# KWin, on X: a user typing in another window while a script's box
# appears keeps their words and never answers it, nor does one who goes
# on typing in the terminal that started it; a box started from the
# focused terminal takes the focus, and a key after a pause answers it.
# Run under its own D-Bus session (dbus-run-session), as the desktops are.
. "$(dirname "$0")/lib.sh"
# No screen reader here: the accessibility bus's socket would be shared
# with the tests that use one.
export NO_AT_BRIDGE=1 QT_ACCESSIBILITY=0
start_display

RUNS=${ZORVANE_WM_RUNS:-5}
SENTENCE="the quick brown fox jumps over the lazy dog"
WM_PID=

start_wm() {  # start_wm COMMAND...: replaces any window manager, waits for it
  stop_wm
  "$@" >"$WORK/wm.log" 2>&1 &
  WM_PID=$!
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  echo "FAIL $1 did not start: $(tail -n 3 "$WORK/wm.log")"
  FAILURES=$((FAILURES + 1))
}
stop_wm() {
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null && wait "$WM_PID" 2>/dev/null
  WM_PID=
}
TERMINALS=()
CLEANUPS+=(stop_wm close_terminals)

# terminal VARIABLE TITLE COMMAND: an xterm running COMMAND, as a user's
# terminal, which names itself in WINDOWID for what runs in it; its window
# in VARIABLE.
terminal() {
  xterm -T "$2" -e sh -c "$3" >/dev/null 2>&1 &
  TERMINALS+=($!)
  printf -v "$1" '%s' "$(wait_window "$2")"
}

# The terminals end, and a box still open in one goes with its hangup.
close_terminals() {
  [ ${#TERMINALS[@]} -gt 0 ] && kill "${TERMINALS[@]}" 2>/dev/null && wait "${TERMINALS[@]}" 2>/dev/null
  TERMINALS=()
}

active() { xdotool getactivewindow getwindowname 2>/dev/null; }

# a_box_appears WHERE: types the sentence at 110 ms a key into the
# terminal WHERE ("other": a window of its own; "launcher": the one that
# starts the box), while a box appears after a second; RESULT: what the
# box answered by then ("none" while it waits) and whether the other
# window got every word.
a_box_appears() {
  rm -f "$WORK/status" "$WORK/typed"
  local other launcher
  terminal other Other "cat >'$WORK/typed'"
  terminal launcher Launcher "sleep 1; '$ZORVANE_BIN' 'Go on?' Deploy 36; echo \$? >'$WORK/status'; sleep 30"
  if [ "$1" = other ]; then xdotool windowactivate --sync "$other"; else xdotool windowactivate --sync "$launcher"; fi
  xdotool type --delay 110 "$SENTENCE"
  local answer words
  answer=$(cat "$WORK/status" 2>/dev/null || echo none)
  xdotool windowactivate --sync "$other" 2>/dev/null
  xdotool key Return
  sleep 0.3
  words=$(grep -cx "$SENTENCE" "$WORK/typed" 2>/dev/null)
  close_terminals
  wait_window_gone Deploy
  RESULT="$answer ${words:-0}"
}

# A search that BadWindow cut short (see wait_window) says nothing.
wait_window_gone() {
  local errors
  for _ in $(seq 50); do
    errors=$(xdotool search --onlyvisible --name "^$1\$" 2>&1 >/dev/null) || [ -n "$errors" ] || return 0
    sleep 0.1
  done
}

# From the focused terminal: the box takes the focus, and n half a second
# after it appears answers No; RESULT: the focused window and the answer.
answered_after_a_pause() {
  rm -f "$WORK/status"
  local launcher box
  terminal launcher Launcher "'$ZORVANE_BIN' 'Go on?' Asked 36; echo \$? >'$WORK/status'; sleep 30"
  xdotool windowactivate --sync "$launcher"
  box=$(wait_window Asked)
  for _ in $(seq 20); do [ "$(active)" = Asked ] && break; sleep 0.05; done
  local focused
  focused=$(active)
  sleep 0.5
  xdotool key n
  for _ in $(seq 30); do [ -s "$WORK/status" ] && break; sleep 0.1; done
  RESULT="$focused $(cat "$WORK/status" 2>/dev/null || echo none)"
  close_terminals
  [ -n "$box" ] && wait_window_gone Asked
}

for wm in "mutter --x11 --replace" "kwin_x11 --replace"; do
  name=${wm%% *}
  start_wm $wm
  for run in $(seq "$RUNS"); do
    a_box_appears other
    check "$name, typing in another window as a box appears ($run): no answer, no word lost" \
      "none 1" "$RESULT"
    a_box_appears launcher
    check "$name, typing on in the terminal that started it ($run): no answer" none "${RESULT% *}"
  done
  answered_after_a_pause
  check "$name, from the focused terminal: focused, and n after a pause is No" "Asked 7" "$RESULT"
  stop_wm
done
