#!/bin/bash
# The usage screen on an interactive console: Wine's console in a tmux
# pane shows the 23 lines at the cursor, in order, wrapped when the pane
# is narrow; the status is 0.
. "$(dirname "$0")/lib.sh"

SOCKET="zorvane-test-$$"
CLEANUPS+=('tmux -L "$SOCKET" kill-server 2>/dev/null')

# on_console WIDTH: the pane's text, trailing blanks dropped.
on_console() {
  rm -f "$WORK/status"
  tmux -L "$SOCKET" new-session -d -x "$1" -y 60 \
    "echo before; wine '$ZORVANE_EXE' /?; echo \$? >'$WORK/status'; sleep 60"
  for _ in $(seq 200); do
    [ -s "$WORK/status" ] && break
    sleep 0.1
  done
  sleep 0.3
  tmux -L "$SOCKET" capture-pane -p -J -t 0 | sed -e 's/ *$//' | sed -e :a -e '/^\n*$/{$d;N;ba' -e '}'
  tmux -L "$SOCKET" kill-server 2>/dev/null
}

expected=$( (echo before; cat "$(dirname "$0")/../usage.expected") )
check "23 lines at the cursor, 100 columns" "$expected" "$(on_console 100)"
check "status 0 on the console" 0 "$(cat "$WORK/status")"
# Wine's console wraps on its own, so the pane holds the lines cut at 40.
check "wrapped at 40 columns" "$(echo "$expected" | fold -w 40 | sed 's/ *$//')" "$(on_console 40)"
