#!/bin/bash
# The terminal box in a tmux pane with no display: what it draws, the keys
# it takes, control bytes never reaching the terminal, redraw on resize,
# and the terminal's mode restored on every way out, signals included.
. "$(dirname "$0")/lib.sh"

# tmux keeps a pane's UTF-8 only where its own locale is UTF-8, and the
# caller's may be C (autopkgtest's is); each box sets its own locale.
export LC_ALL=C.UTF-8
SOCKET="zorvane-test-$$"
CLEANUPS+=('tmux -L "$SOCKET" kill-server 2>/dev/null')
BOXES=0
# An idle session keeps the server up while one box's session goes and the
# next one's comes; without it the server exits in between.
tmux -L "$SOCKET" new-session -d -s keep "sleep 600"

# open_box ARGUMENTS...: runs zorvane in a fresh pane, SIZE (80x24) and in
# the C locale unless BOX_ENV says otherwise, after BEFORE (shell code);
# records the stty mode before and after, and the status. The pane's shell
# survives Ctrl-C so that it can record how zorvane ended.
open_box() { open_box_with "$ZORVANE_BIN" "$@"; }

# open_box_with BINARY ARGUMENTS...: the same with another zorvane binary;
# returns once a box is drawn or 5 s have passed.
open_box_with() {
  local quoted size=${SIZE:-80x24} binary=$1
  shift
  quoted=$(printf '%q ' "$@")
  rm -f "$WORK/status" "$WORK/mode.after"
  [ -n "${PANE:-}" ] && tmux -L "$SOCKET" kill-session -t "$PANE" 2>/dev/null
  PANE="box$((++BOXES))"
  tmux -L "$SOCKET" new-session -d -s "$PANE" -x "${size%x*}" -y "${size#*x}" \
    "trap : INT; stty -g >'$WORK/mode.before'; ${BEFORE:-}
     env -u DISPLAY -u WAYLAND_DISPLAY TERM=xterm LC_ALL=C ${BOX_ENV:-} '$binary' $quoted \
       >'$WORK/stdout' 2>'$WORK/stderr'; echo \$? >'$WORK/status'; stty -g >'$WORK/mode.after'; sleep 60"
  for _ in $(seq 100); do
    screen | grep -q -- '< .* >' && return 0
    sleep 0.05
  done
}

# pid_of_box TITLE: the box on this pane's terminal, never another test's
# box of the same title (kitty's test shows "Question" meanwhile).
pid_of_box() {
  local tty
  tty=$(tmux -L "$SOCKET" display -p -t "$PANE" '#{pane_tty}')
  pgrep -t "${tty#/dev/}" -f "^$ZORVANE_BIN $1"
}

# seen PATTERN: how many screen lines match, once one does or 5 s have passed.
seen() { wait_count "$1" screen; }

screen() { tmux -L "$SOCKET" capture-pane -p -t "$PANE"; }
joined_screen() { tmux -L "$SOCKET" capture-pane -p -J -t "$PANE"; }
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
check "two text lines" 2 "$(echo "$drawn" | grep -cE '\| .*Line [12] of text \.\.\.')"
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
kill -TERM "$(pid_of_box Terminated)"
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
widest=$(screen | wc -L)
check "long text wraps inside 80 columns" yes "$([ "$widest" -le 80 ] && echo yes)"
tmux -L "$SOCKET" resize-window -t "$PANE" -x 50 -y 24
sleep 0.3
widest=$(screen | wc -L)
check "resize redraws within 50 columns" yes "$([ "$widest" -le 50 ] && echo yes)"
keys Enter
check "answer after resize" "1 restored" "$(answer)"

# No answer that nobody gave.
open_box "Go on?" "T" 6
tmux -L "$SOCKET" send-keys -t "$PANE" -l $'\x1b['
sleep 0.3  # the rest of Right arrives late, as over a slow link
keys -l C
check "a split arrow presses no button" "" "$(cat "$WORK/status" 2>/dev/null)"
keys Enter
check "it moved the focus: Try Again" "10 restored" "$(answer)"
# Return, typed before the box appears.
(sleep 0.3; tmux -L "$SOCKET" send-keys -t "box$((BOXES + 1))" Enter) &
BEFORE="sleep 1" open_box "Format disk?" "" 1
wait
sleep 0.3
check "type-ahead answers nothing" "" "$(cat "$WORK/status" 2>/dev/null)"
keys Tab Enter
check "then the box answers: Cancel" "2 restored" "$(answer)"
BEFORE="trap '' INT" open_box "Ignoring Ctrl-C" "T" 1
keys C-c
check "an ignored SIGINT stays ignored" "" "$(cat "$WORK/status" 2>/dev/null)"
keys Escape
check "then Escape: Cancel" "2 restored" "$(answer)"
open_box "Alarm" "T" 1
kill -ALRM "$(pid_of_box Alarm)"
check "SIGALRM ends by SIGALRM, mode restored" "142 restored" "$(answer)"

# What terminals send besides keys never answers.
open_box "Retry?" "T" 261
keys -l $'\x1b]11;rgb:0000/0000/0000\x1b\\'
check "a colour reply presses nothing" "" "$(cat "$WORK/status" 2>/dev/null)"
keys Enter
check "then Return: the focused Cancel" "2 restored" "$(answer)"
open_box "Quiet" "T" 4
tmux -L "$SOCKET" pipe-pane -o -t "$PANE" "cat >>'$WORK/written'"
sleep 0.2
keys x
check "an ignored key writes nothing" 0 "$(wc -c <"$WORK/written")"
keys Tab
check "a Tab writes only the buttons" yes "$(n=$(wc -c <"$WORK/written"); [ "$n" -gt 0 ] && [ "$n" -le 60 ] && echo yes)"
keys Enter
check "and Return: No" "7 restored" "$(answer)"
open_box "Aborted" "T" 1
kill -ABRT "$(pid_of_box Aborted)"
check "SIGABRT ends by SIGABRT, mode restored" "134 restored" "$(answer)"
check "and the main screen back" 0 "$(tmux -L "$SOCKET" display -p -t "$PANE" '#{alternate_on}')"

# A terminal without an alternate screen keeps no frame.
tmux -L "$SOCKET" set -g alternate-screen off
BEFORE="echo caller output" open_box "No alternate screen" "T" 0
keys Enter
answer >/dev/null
check "no alternate screen: the box is erased" 0 "$(screen | grep -c 'No alternate\|< OK >')"
check "and the cursor is back where it was" 1 "$(tmux -L "$SOCKET" display -p -t "$PANE" '#{cursor_y}')"
tmux -L "$SOCKET" set -g alternate-screen on

# Any terminal size.
open_box "$(seq -s '\n' 1 25)" "Tall" 4
check "25 lines on 24 rows: the last is hidden" 0 "$(screen | grep -c '| 25 ')"
keys End
check "End scrolls to the last line" 1 "$(screen | grep -c '| 25 ')"
keys n
check "and n answers No" "7 restored" "$(answer)"
SIZE=30x12 open_box "Go on?" "T" 6
check "30x12: every label whole" 3 "$(screen | grep -oE '< (Cancel|Try Again|Continue) >' | wc -l)"
keys Escape
answer >/dev/null

# Job control, as in an interactive shell.
PANE=shell
alternate_on() { tmux -L "$SOCKET" display -p -t "$PANE" '#{alternate_on}'; }
# suspend: Ctrl-Z once the box is drawn, then a wait until it has given
# the terminal back, as a user waits for the prompt: what is typed sooner
# is the box's to read (a loaded machine draws it late).
suspend() {
  seen '< Yes >' >/dev/null
  keys C-z
  for _ in $(seq 50); do
    [ "$(alternate_on)" = 0 ] && return
    sleep 0.1
  done
}
tmux -L "$SOCKET" new-session -d -s shell -x 80 -y 24 "env -u DISPLAY -u WAYLAND_DISPLAY TERM=xterm LC_ALL=C PS1='$ ' bash --norc -i"
keys "$ZORVANE_BIN Question T 4" Enter
suspend
check "Ctrl-Z: back on the main screen" 0 "$(alternate_on)"
keys "stty -a | grep -oE '(^| )-?(icanon|echo)( |$)' | tr -d ' ' | paste -sd," Enter
sleep 0.3
check "Ctrl-Z: the shell's mode is back" 1 "$(screen | grep -cx 'icanon,echo')"
keys fg Enter
sleep 0.5
check "fg redraws the box" 1 "$(screen | grep -c '< Yes >  < No >')"
keys n
keys 'echo "status=$?"' Enter
sleep 0.3
check "then n: No" 1 "$(screen | grep -c '^status=7$')"

keys "$ZORVANE_BIN Question T 4" Enter
suspend
keys 'kill %1; sleep 0.3; jobs; echo "jobs done"' Enter
# At once, but a loaded machine may take a moment to run it.
for _ in $(seq 30); do pid_of_box Question >/dev/null || break; sleep 0.1; done
check "a stopped box ends at once on kill" "1 0" \
  "$(seen '^jobs done$') $(pid_of_box Question | grep -c .)"
keys clear Enter
keys "bash -c 'timeout --foreground 20 $ZORVANE_BIN Timed T 4; echo \"timed=\$?\"'" Enter
check "under timeout --foreground in a script the box is drawn" 1 "$(seen '< Yes >  < No >')"
keys C-z
check "Ctrl-Z under timeout: the shell is back" 1 "$(seen '^\[[0-9]*\]+ *Stopped')"
keys clear Enter fg Enter
check "fg: the box again" 1 "$(seen '< Yes >  < No >')"
keys n
check "and n answers No" 1 "$(seen '^timed=7$')"

# The box never takes the terminal from another process group: under a
# plain timeout (a group of its own) it waits, stopped, and the script's
# own read gets what the user types.
keys clear Enter
keys "bash -c 'timeout -s KILL 1 $ZORVANE_BIN Hidden T 4; read line; echo \"read=\$line\"'" Enter
sleep 1.5
check "outside the foreground nothing is drawn" 0 "$(screen | grep -c '< Yes >')"
keys "typed line" Enter
check "the script reads its line after timeout -s KILL" 1 "$(seen '^read=typed line$')"
keys clear Enter
keys "bash --norc -i" Enter
keys "PS1='nested$ '" Enter
keys "$ZORVANE_BIN Later T 4 &" Enter
# The job stops at its first terminal call, which a loaded machine reaches
# late. Its line names the binary's path, which wraps on a long checkout
# path: read the lines joined.
for _ in $(seq 20); do
  keys jobs Enter
  joined_screen | grep -q 'Stopped.*Later' && break
  sleep 0.2
done
check "a background job in a nested shell waits, stopped" "stopped 0" \
  "$(joined_screen | grep -q 'Stopped.*Later' && echo stopped) $(screen | grep -c '< Yes >')"
keys fg Enter
check "fg: the box" 1 "$(seen '< Yes >  < No >')"
keys y
keys 'echo "later=$?"' Enter
check "and y answers Yes" 1 "$(seen '^later=6$')"
keys exit Enter

# Pasted text is no key; the cursor rests on the focused button.
open_box "Paste?" "T" 4
tmux -L "$SOCKET" set-buffer -b zorvane 'ls -l'
tmux -L "$SOCKET" paste-buffer -p -b zorvane -t "$PANE"
sleep 0.3
check "a paste presses nothing" "" "$(cat "$WORK/status" 2>/dev/null)"
cursor_on() {  # cursor_on LABEL: whether the cursor is on LABEL's first letter
  local at row column
  at=$(tmux -L "$SOCKET" display -p -t "$PANE" '#{cursor_y} #{cursor_x}')
  row=${at% *} column=${at#* }
  screen | sed -n "$((row + 1))p" | cut -c "$((column + 1))-" | grep -q "^$1" && echo yes
}
check "the cursor on Yes" yes "$(cursor_on Yes)"
keys Tab
check "after Tab, on No" yes "$(cursor_on No)"
keys Tab
check "after another, on Yes" yes "$(cursor_on Yes)"
keys Enter
check "Return: Yes" "6 restored" "$(answer)"

# A display whose box cannot be shown: the terminal box instead, and
# nothing on the caller's streams.
start_display
mkdir "$WORK/no-gtk"
cp "$ZORVANE_BIN" "$WORK/no-gtk/zorvane"
printf '#!/bin/sh\nexit 127\n' >"$WORK/no-gtk/zorvane-gtk"  # as the loader ends without GTK
chmod +x "$WORK/no-gtk/zorvane-gtk"
BOX_ENV="DISPLAY=$DISPLAY" open_box_with "$WORK/no-gtk/zorvane" "No GTK" "T" 4
check "a helper that cannot start: the terminal box" 1 "$(screen | grep -c '< Yes >  < No >')"
keys n
check "and it answers: No" "7 restored" "$(answer)"
BEFORE="ulimit -n 5" BOX_ENV="DISPLAY=$DISPLAY" open_box "Few descriptors" "T" 4
check "five descriptors: the terminal box" 1 "$(screen | grep -c '< Yes >  < No >')"
keys y
check "and it answers: Yes" "6 restored" "$(answer)"
BEFORE="ulimit -n 6" BOX_ENV="DISPLAY=$DISPLAY" open_box_with "$ZORVANE_BIN" "Six descriptors" "Six" 4
window=$(wait_window Six)
check "six descriptors: the desktop box" yes "$([ -n "$window" ] && echo yes)"
check "and nothing written to the terminal" "" "$(screen | tr -d ' \n')"
[ -n "$window" ] && xdotool windowfocus --sync "$window" 2>/dev/null && sleep 0.4 && xdotool key n
check "it answers: No" "7 restored" "$(answer)"

# A terminal that takes no escape sequences gets a line prompt.
BOX_ENV="TERM=dumb" open_box "Delete?\nIt is big" "Clean up" 35
tmux -L "$SOCKET" pipe-pane -o -t "$PANE" "cat >>'$WORK/raw'"
sleep 0.3
check "dumb terminal: prompt shown" 1 "$(screen | grep -c '^Yes \[Y\], No \[N\], Cancel \[C\] (Return: Yes, Esc: Cancel)?')"
keys x Enter N Enter
check "a wrong letter asks again; N answers No" "7 restored" "$(answer)"
check "no ESC byte written" 0 "$(grep -c $'\x1b' "$WORK/raw")"
BOX_ENV="TERM=dumb" open_box "Go" "T" 1
keys Enter
check "dumb terminal: Return answers the default" "1 restored" "$(answer)"
BOX_ENV="TERM=" open_box "Go" "T" 1
keys C-d
check "TERM empty: end of input answers 0" "0 restored" "$(answer)"

# The user's language, the same words as the desktop box.
BOX_ENV="LC_ALL=de_DE.UTF-8" open_box "Weiter?" "T" 36
check "German labels" 1 "$(screen | grep -c '< Ja >  < Nein >')"
keys J
check "the translated access key: J is Ja" "6 restored" "$(answer)"
BOX_ENV="TERM=dumb LC_ALL=de_DE.UTF-8" open_box "Weiter?" "T" 35
sleep 0.3
check "the line prompt in German only" 1 \
  "$(screen | grep -c '^Ja \[J\], Nein \[N\], Abbrechen \[A\] (Eingabe: Ja, Esc: Abbrechen)?')"
keys nein Enter
check "a whole label answers: nein is Nein" "7 restored" "$(answer)"

# Labels in other scripts: the first screen as kept in screens/, the box's
# shape whatever the words' widths and marks (Hindi's and Thai's vowel
# signs take no cell). Hebrew, Arabic and Persian are kept in logical
# order, as most terminals (no bidi) show them.
for language in tr uk he ar fa ko zh_TW el hi th; do
  SIZE=60x12 BOX_ENV="LC_ALL=C.UTF-8 LANGUAGE=$language" open_box "Go on?" Zorvane 35
  check "$language: the first screen" "$(cat "$(dirname "$0")/screens/$language.txt")" \
    "$(screen | sed 's/ *$//')"
  keys Escape
  check "$language: Escape answers Cancel" "2 restored" "$(answer)"
done
# A box the language's catalogue lacks is all English, key names too.
BOX_ENV="TERM=dumb LC_ALL=C.UTF-8 LANGUAGE=th" open_box "Go on?" T 2
sleep 0.3
check "th: Abort/Retry/Ignore, which Thai lacks, in English" 1 \
  "$(screen | grep -c '^Abort \[A\], Retry \[R\], Ignore \[I\] (Return: Abort)?')"
keys i Enter
check "and its letters answer" "5 restored" "$(answer)"

# Without an alternate screen (the Linux console's terminfo entry; tmux's
# alternate-screen off) the box stands below the output, which stays, and
# the cursor ends on the line after it.
for setting in TERM=linux "alternate-screen off"; do
  [ "$setting" = TERM=linux ] || tmux -L "$SOCKET" set-option -g alternate-screen off
  BEFORE='clear; seq -f "output %g" 5' BOX_ENV="${setting%alternate-screen off}" open_box Below T 4
  check "$setting: the box below five lines of output" "5 1" \
    "$(screen | grep -c '^output [1-5]$') $(screen | grep -c '< Yes >')"
  keys y
  check "$setting: answered Yes" "6 restored" "$(answer)"
  check "$setting: the output stays, the box's rows go, the cursor after them" "5 0 5" \
    "$(screen | grep -c '^output [1-5]$') $(screen | grep -c 'Yes\|+-') $(tmux -L "$SOCKET" display -p -t "$PANE" '#{cursor_y}')"
done
tmux -L "$SOCKET" set-option -g alternate-screen on

# Beside other programs, from an interactive shell: two boxes at once take
# turns, fg enters the screen once, a box continued in the background by
# another program writes nothing.
PANE=sharing
tmux -L "$SOCKET" new-session -d -s sharing -x 80 -y 24 \
  "env -u DISPLAY -u WAYLAND_DISPLAY TERM=xterm LC_ALL=C PS1='$ ' bash --norc -i"
tmux -L "$SOCKET" pipe-pane -t sharing -o "cat >>'$WORK/sharing.bytes'"
sleep 0.3
rm -f "$WORK/mode.before" "$WORK/mode.after"
keys "stty -g >'$WORK/mode.before'; printf '1\n2\n' | xargs -P2 -I{} sh -c '$ZORVANE_BIN \"Box {}\" T 4; echo \$? >>\"$WORK/answers\"'; stty -g >'$WORK/mode.after'" Enter
seen '< Yes >  < No >' >/dev/null
keys y
sleep 0.5
check "two boxes at once: the second drawn after the first" 1 "$(seen '< Yes >  < No >')"
keys n
for _ in $(seq 50); do [ -s "$WORK/mode.after" ] && break; sleep 0.1; done
check "two boxes at once: answered in turn, the caller's mode back" "6 7 same" \
  "$(paste -sd' ' "$WORK/answers") $(cmp -s "$WORK/mode.before" "$WORK/mode.after" && echo same)"

entered() { grep -ao $'\e\\[?1049h' "$WORK/sharing.bytes" | wc -l; }
before=$(entered)
keys "$ZORVANE_BIN Once T 4" Enter
seen '< Yes >' >/dev/null
suspend
keys fg Enter
seen '< Yes >' >/dev/null
sleep 0.3
keys n
check "Ctrl-Z and fg: the screen entered once each time" 2 "$(($(entered) - before))"

keys "$ZORVANE_BIN Outside T 4" Enter
seen '< Yes >' >/dev/null
box=$(pid_of_box Outside)
kill -STOP "$box"
seen '^\[1\]+ *Stopped' >/dev/null
keys "echo prompt kept"
kill -CONT "$box"
sleep 0.5
check "stopped and continued from outside: nothing written over the shell" 1 \
  "$(screen | grep -c 'echo prompt kept')"
keys C-u "fg" Enter
seen '< Yes >  < No >' >/dev/null
keys y
keys 'echo "outside=$?"' Enter
check "then fg and y: Yes" 1 "$(seen '^outside=6$')"
