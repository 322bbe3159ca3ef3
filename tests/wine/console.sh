#!/bin/bash
# The usage screen on an interactive console: placed into the screen
# buffer at the cursor, wrapped at the buffer's width and scrolling it at
# the bottom, whatever output modes an earlier program left; the status
# is 0. Seen on Wine's console in a tmux pane, and read back from the
# buffer itself where a helper cleared the modes first.
. "$(dirname "$0")/lib.sh"

SOCKET="zorvane-test-$$"
CLEANUPS+=('tmux -L "$SOCKET" kill-server 2>/dev/null')

# in_pane WIDTH HEIGHT COMMAND: runs COMMAND in a fresh pane; prints the
# pane's text, trailing blanks and blank lines dropped.
in_pane() {
  rm -f "$WORK/status"
  tmux -L "$SOCKET" new-session -d -x "$1" -y "$2" "$3; echo \$? >'$WORK/status'; sleep 60"
  for _ in $(seq 200); do
    [ -s "$WORK/status" ] && break
    sleep 0.1
  done
  sleep 0.3
  tmux -L "$SOCKET" capture-pane -p -t 0 | sed -e 's/ *$//' | sed -e :a -e '/^\n*$/{$d;N;ba' -e '}'
  tmux -L "$SOCKET" kill-server 2>/dev/null
}

expected=$(cat "$(dirname "$0")/../usage.expected")
folded=$(echo "$expected" | fold -w 40 | sed 's/ *$//')
check "23 lines on the console, 100 columns" "$expected" "$(in_pane 100 60 "'$WINE' '$ZORVANE_EXE' /?")"
check "status 0 on the console" 0 "$(cat "$WORK/status")"
check "wrapped at 40 columns" "$folded" "$(in_pane 40 60 "'$WINE' '$ZORVANE_EXE' /?")"

# modes_cleared WIDTH HEIGHT ROW: the buffer after the tool ran from ROW
# with processed output and wrapping turned off.
modes_cleared() {
  in_pane "$1" "$2" "'$WINE' '$CONSOLE_MODES_EXE' '$ZORVANE_EXE' $3 'Z:$WORK/buffer'" >/dev/null
  tr -d '\r' <"$WORK/buffer"
}
buffer=$(modes_cleared 100 60 5)
check "modes cleared: the lines at the cursor" \
  "$(printf '\n\n\n\n\n%s' "$expected")" "$(echo "$buffer" | sed -n '2,29p')"
check "modes cleared: the cursor after the text" "cursor 0 28" "$(echo "$buffer" | head -1)"
buffer=$(modes_cleared 40 30 25)
check "started near the bottom: wrapped, scrolled up" \
  "$(echo "$folded" | tail -n 29)" "$(echo "$buffer" | sed -n '2,30p')"
check "started near the bottom: the cursor on the last row" "cursor 0 29" "$(echo "$buffer" | head -1)"
