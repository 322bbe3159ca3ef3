#!/bin/bash
# The terminal box in a real terminal with the keyboard protocol: kitty on
# its own Xvfb, keys from xdotool as a person types them, the screen read
# back through kitty's remote control.
. "$(dirname "$0")/lib.sh"
start_display

export LIBGL_ALWAYS_SOFTWARE=1
LIBGL_ALWAYS_SOFTWARE=1 kitty --config NONE -o allow_remote_control=yes \
  --listen-on "unix:$WORK/kitty.sock" -o enable_audio_bell=no --title zorvane-kitty \
  env -u DISPLAY -u WAYLAND_DISPLAY TERM=xterm-kitty LC_ALL=C PS1='$ ' bash --norc -i \
  >"$WORK/kitty.log" 2>&1 &
KITTY_PID=$!
CLEANUPS+=('kill "$KITTY_PID" 2>/dev/null; wait "$KITTY_PID" 2>/dev/null')

kitty_do() { kitty @ --to "unix:$WORK/kitty.sock" "$@" 2>/dev/null; }
# seen PATTERN: how many lines of kitty's screen match, once one does or 5 s have passed.
seen() { wait_count "$1" kitty_do get-text; }
run() { kitty_do send-text "$1"$'\r'; }
press() { for key in "$@"; do xdotool key --window "$WINDOW" "$key"; sleep 0.2; done; }

WINDOW=$(wait_window zorvane-kitty)
check "kitty is up" 1 "$(seen '^\$')"
xdotool windowfocus --sync "$WINDOW" 2>/dev/null

run "$ZORVANE_BIN Question T 4"
check "the box in kitty" 1 "$(seen '< Yes >  < No >')"
press KP_Right KP_Enter
run 'echo "keypad=$?"'
check "keypad Right, then keypad Enter: No" 1 "$(seen '^keypad=7$')"

run "clear; $ZORVANE_BIN Question T 4"
check "another box" 1 "$(seen '< Yes >  < No >')"
press ctrl+z
check "Ctrl-Z stops it" 1 "$(seen 'Stopped')"
run fg
check "fg brings it back" 1 "$(seen '< Yes >  < No >')"
press y
run 'echo "after-fg=$?"'
check "y answers Yes" 1 "$(seen '^after-fg=6$')"
run 'watch -n 60 date'
check "watch runs" 1 "$(seen 'Every 60')"
press ctrl+c
run 'echo "watch ended"'
check "the keyboard protocol is off: Ctrl+C ends a later program" 1 "$(seen '^watch ended$')"
