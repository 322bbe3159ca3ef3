#!/bin/bash
# The terminal box beside other programs on one terminal: two boxes at
# once take turns, a terminal without an alternate screen keeps the
# caller's output, the screen is entered once per taking of the terminal,
# and a box continued in the background writes nothing.
. "$(dirname "$0")/lib.sh"

SOCKET="zorvane-sharing-$$"
CLEANUPS+=('tmux -L "$SOCKET" kill-server 2>/dev/null')
tmux -L "$SOCKET" new-session -d -s keep "sleep 600"

screen() { tmux -L "$SOCKET" capture-pane -p -t "$PANE"; }
keys() { tmux -L "$SOCKET" send-keys -t "$PANE" "$@"; sleep 0.1; }
seen() { wait_count "$1" screen; }

# shell NAME TERM: an interactive bash in a fresh window of that TERM,
# the bytes it is sent recorded in $WORK/NAME.bytes.
shell() {
  PANE=$1
  tmux -L "$SOCKET" new-session -d -s "$1" -x 80 -y 24 \
    "env -u DISPLAY -u WAYLAND_DISPLAY TERM=$2 LC_ALL=C PS1='$ ' bash --norc -i"
  tmux -L "$SOCKET" pipe-pane -t "$1" -o "cat >>'$WORK/$1.bytes'"
  sleep 0.3
}

# Two boxes at once (xargs -P2): drawn and answered in turn, and the
# caller's mode is the same after both.
shell two xterm
keys "stty -g >'$WORK/mode.before'; printf '1\n2\n' | xargs -P2 -I{} sh -c '$ZORVANE_BIN \"Box {}\" \"Box {}\" 4; echo \"box {}=\$?\" >>\"$WORK/answers\"'; stty -g >'$WORK/mode.after'" Enter
check "the first box is drawn" 1 "$(seen '< Yes >  < No >')"
keys y
sleep 0.5
check "the second is drawn after it" 1 "$(seen '< Yes >  < No >')"
keys n
for _ in $(seq 50); do [ -s "$WORK/mode.after" ] && break; sleep 0.1; done
check "one answered Yes, the other No" "6 7" "$(sed 's/.*=//' "$WORK/answers" | paste -sd' ')"
check "the mode is the caller's again" same \
  "$(cmp -s "$WORK/mode.before" "$WORK/mode.after" && echo same)"

# Without an alternate screen (the Linux console's entry; tmux with
# alternate-screen off) the box stands below the output, which stays.
for terminal in linux xterm; do
  shell "below-$terminal" "$terminal"
  [ "$terminal" = xterm ] && tmux -L "$SOCKET" set-option -w -t "$PANE" alternate-screen off
  keys "clear; for n in 1 2 3 4 5; do echo output \$n; done; $ZORVANE_BIN Below T 4; echo status=\$?" Enter
  check "$terminal: the box is drawn" 1 "$(seen '< Yes >  < No >')"
  check "$terminal: below the five lines" 5 "$(screen | grep -c '^output [1-5]$')"
  keys y
  check "$terminal: answered" 1 "$(seen '^status=6$')"
  check "$terminal: the five lines stay, the box's rows are gone" "5 0" \
    "$(screen | grep -c '^output [1-5]$') $(screen | grep -c 'Yes\|+-')"
  check "$terminal: the answer on the line after them" "status=6" \
    "$(screen | grep -A1 '^output 5$' | tail -1)"
done

# Ctrl-Z and fg: the screen is entered once each time the box takes the
# terminal; an editor's terminal would save the cursor a second time.
shell once xterm
keys "$ZORVANE_BIN Once T 4" Enter
seen '< Yes >' >/dev/null
keys C-z
keys fg Enter
seen '< Yes >' >/dev/null
sleep 0.3
keys n
check "taken twice, the screen entered twice" 2 \
  "$(grep -ao $'\e\\[?1049h' "$WORK/once.bytes" | wc -l)"

# Stopped and continued from outside while the shell has the terminal:
# the box stays off the screen until fg.
shell outside xterm
keys "$ZORVANE_BIN Outside T 4" Enter
seen '< Yes >' >/dev/null
box=$(pgrep -f "^$ZORVANE_BIN Outside")
kill -STOP "$box"
check "stopped from outside: the shell is back" 1 "$(seen '^\[1\]+ *Stopped')"
keys "echo prompt kept"
kill -CONT "$box"
sleep 0.5
check "continued in the background: nothing written over the shell" 1 \
  "$(screen | grep -c 'echo prompt kept')"
keys C-u "fg" Enter
check "fg: the box" 1 "$(seen '< Yes >  < No >')"
keys y
keys 'echo "outside=$?"' Enter
check "and y answers Yes" 1 "$(seen '^outside=6$')"
