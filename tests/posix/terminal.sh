#!/bin/bash
# The terminal box in a tmux pane with no display: what it draws, the keys
# it takes, control bytes never reaching the terminal, redraw on resize,
# and the terminal's mode restored on every way out, signals included.
. "$(dirname "$0")/lib.sh"

SOCKET="zorvane-test-$$"
CLEANUPS+=('tmux -L "$SOCKET" kill-server 2>/dev/null')
BOXES=0
# An idle session keeps the server up while one box's session goes and the
# next one's comes; without it the server exits in between.
tmux -L "$SOCKET" new-session -d -s keep "sleep 600"

# open_box ARGUMENTS...: runs zorvane in a fresh 80x24 pane; records the
# stty mode before and after, and the status. The pane's shell survives
# Ctrl-C so that it can record how zorvane ended.
open_box() {
  local quoted
  quoted=$(printf '%q ' "$@")
  rm -f "$WORK/status" "$WORK/mode.after"
  [ -n "${PANE:-}" ] && tmux -L "$SOCKET" kill-session -t "$PANE" 2>/dev/null
  PANE="box$((++BOXES))"
  tmux -L "$SOCKET" new-session -d -s "$PANE" -x 80 -y 24 \
    "trap : INT; stty -g >'$WORK/mode.before'; env -u DISPLAY -u WAYLAND_DISPLAY '$ZORVANE_BIN' $quoted \
       >'$WORK/stdout' 2>'$WORK/stderr'; echo \$? >'$WORK/status'; stty -g >'$WORK/mode.after'; sleep 60"
  for _ in $(seq 100); do
    screen | grep -q -- '+-' && return 0
    sleep 0.05
  done
}

screen() { tmux -L "$SOCKET" capture-pane -p -t "$PANE"; }
keys() { tmux -L "$SOCKET" send-keys -t "$PANE" "$@"; sleep 0.1; }

# answer: waits for the status; prints it and whether the mode came back.
answer() {
  for _ in $(seq 100); do
    [ -s "$WORK/mode.after" ] && break
    sleep 0.05
  done
  local mode=changed
  cmp -s "$WORK/mode.before" "$WORK/mode.after" && mode=restored
  echo "$(cat "$WORK/status" 2>/dev/null) $mode"
}

open_box "Line 1 of text ...\nLine 2 of text ..." "My title" 68
drawn=$(screen)
check "title drawn"   1 "$(echo "$drawn" | grep -c 'My title')"
check "two text lines" 2 "$(echo "$drawn" | grep -cE '\| Line [12] of text \.\.\.')"
check "buttons drawn" 1 "$(echo "$drawn" | grep -c '< Yes >  < No >')"
keys Enter
check "Return presses the default: Yes" "6 restored" "$(answer)"
check "nothing on stdout or stderr" 0 "$(cat "$WORK/stdout" "$WORK/stderr" | wc -c)"

open_box "Question" "T" 4
keys Right Enter
check "Right then Return: No" "7 restored" "$(answer)"
open_box "Question" "T" 260
keys Enter
check "button 2 default: No" "7 restored" "$(answer)"
open_box "Question" "T" 4
keys Escape
sleep 0.2
check "Escape does nothing on Yes/No" "" "$(cat "$WORK/status" 2>/dev/null)"
keys y
check "then the access key y: Yes" "6 restored" "$(answer)"
open_box "Retry?" "T" 5
keys PageUp F1
check "other keys do nothing" "" "$(cat "$WORK/status" 2>/dev/null)"
keys Escape
check "Escape on Retry/Cancel: Cancel" "2 restored" "$(answer)"
open_box "Continue?" "T" 6
keys BTab Enter
check "Shift+Tab wraps to the last: Continue" "11 restored" "$(answer)"
open_box "Only text"
keys Tab Enter
check "no style: OK/Cancel, Tab to Cancel" "2 restored" "$(answer)"

open_box "Interrupted" "T" 1
keys C-c
check "Ctrl-C ends by SIGINT, mode restored" "130 restored" "$(answer)"
open_box "Terminated" "T" 1
pkill -TERM -f "^$ZORVANE_BIN Terminated"
check "SIGTERM ends by SIGTERM, mode restored" "143 restored" "$(answer)"

open_box $'Bell\a escape \x1b[2J gone? \x9b' "T" 0
drawn=$(screen)
check "control bytes shown, never obeyed" 1 "$(echo "$drawn" | grep -c 'Bell. escape .\[2J gone?')"
keys Enter
answer >/dev/null
check "no control byte in what was sent" 0 \
  "$(tmux -L "$SOCKET" capture-pane -p -e -t "$PANE" -S - | grep -c $'\a')"

long=$(printf 'word%.0s ' $(seq 60))
open_box "$long" "Wrapping" 0
widest=$(screen | awk '{print length($0)}' | sort -n | tail -1)
check "long text wraps inside 80 columns" yes "$([ "$widest" -le 80 ] && echo yes)"
tmux -L "$SOCKET" resize-window -t "$PANE" -x 50 -y 24
sleep 0.3
widest=$(screen | awk '{print length($0)}' | sort -n | tail -1)
check "resize redraws within 50 columns" yes "$([ "$widest" -le 50 ] && echo yes)"
keys Enter
check "answer after resize" "1 restored" "$(answer)"
