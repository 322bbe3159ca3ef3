#!/bin/bash
# The cross-built zorvane as a user runs it, under qemu-user: the usage
# screen's bytes, every button set's codes through the terminal box on a
# pty, the line prompt, and a desktop box under Xvfb answered by a key.
. "$(dirname "$0")/../posix/lib.sh"

check_usage_screen "$ZORVANE_BIN"

SOCKET="zorvane-emulated-$$"
CLEANUPS+=('tmux -L "$SOCKET" kill-server 2>/dev/null')
tmux -L "$SOCKET" new-session -d -s keep "sleep 600"
BOXES=0

# answer ENV STYLE KEYS...: a box of STYLE in a fresh pane, the keys
# pressed once it shows; prints its status.
answer() {
  local env=$1 style=$2 pane="box$((++BOXES))"
  shift 2
  rm -f "$WORK/status"
  tmux -L "$SOCKET" new-session -d -s "$pane" -x 80 -y 24 \
    "env -u DISPLAY -u WAYLAND_DISPLAY LC_ALL=C $env '$ZORVANE_BIN' 'Go on?' Emulated $style; echo \$? >'$WORK/status'; sleep 60"
  for _ in $(seq 100); do
    tmux -L "$SOCKET" capture-pane -p -t "$pane" | grep -q -- '< .* >\|?$' && break
    sleep 0.1
  done
  for key in "$@"; do tmux -L "$SOCKET" send-keys -t "$pane" "$key"; sleep 0.2; done
  for _ in $(seq 100); do [ -s "$WORK/status" ] && break; sleep 0.1; done
  cat "$WORK/status" 2>/dev/null
  tmux -L "$SOCKET" kill-session -t "$pane"
}

# Style, then the codes of Return and of Tab, Return.
while read -r style first second; do
  check "button set $style: Return" "$first" "$(answer TERM=xterm "$style" Enter)"
  check "button set $style: Tab, Return" "$second" "$(answer TERM=xterm "$style" Tab Enter)"
done <<'TABLE'
0 1 1
1 1 2
2 3 4
3 6 7
4 6 7
5 4 2
6 2 10
TABLE
check "second button the default" 7 "$(answer TERM=xterm 259 Enter)"
check "Escape on OK/Cancel" 2 "$(answer TERM=xterm 1 Escape)"
check "the line prompt: n is No" 7 "$(answer TERM=dumb 36 n Enter)"

start_display
check "a desktop box, Return: Yes" 6 \
  "$(box "Emulated desktop" Return -- "Hello from arm64" "Emulated desktop" 36)"
check "and n: No" 7 "$(box "Emulated desktop" n -- "Hello from arm64" "Emulated desktop" 36)"
