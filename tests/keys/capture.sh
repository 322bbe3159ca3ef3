#!/bin/sh
# Captures what real terminal emulators send for the keys the terminal box
# knows, with Shift, Ctrl, Alt and their pairs, the keypad with Num Lock on
# and off and a few keys with Caps Lock on: xdotool types each key under
# Xvfb and openbox, record.py reads the bytes on the pty. Writes
# tests/keys/<terminal>.keys, a line per key that sent bytes: the keys
# xdotool pressed, a tab, the bytes in hex. Run by hand (as root, with the
# emulators installed), not by the check, which reads the files it wrote.
# linux.keys, the Linux console, was written from `infocmp -1 linux` and
# the kernel's default keymap: Alt sends ESC first, Shift+Tab is kcbt
# (ESC Tab), Shift, Ctrl and Alt leave the cursor keys as they are.
#
#   tests/keys/capture.sh [terminal ...]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
display=:77
Xvfb $display -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
export DISPLAY=$display LANG=C.UTF-8 LIBGL_ALWAYS_SOFTWARE=1
sleep 1
# No key bindings of its own: every key reaches the terminal.
printf '<?xml version="1.0"?>\n<openbox_config xmlns="http://openbox.org/3.4/rc"><keyboard/><mouse/></openbox_config>\n' >"$work/openbox.xml"
openbox --config-file "$work/openbox.xml" >/dev/null 2>&1 & wm=$!
trap 'kill $wm $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 0.5

# The box's own set-up: the keyboard protocol pushed where the terminal
# has it, bracketed paste; the pop and its end are left to the terminal's exit.
box_setup='\x1b[>1u\x1b[?2004h'

keys='Tab Return KP_Enter space Escape Up Down Left Right Prior Next Home End
  y n o c r i BackSpace Delete Insert F1 F5 F12'
modifiers='none shift ctrl alt shift+ctrl shift+alt ctrl+alt'
keypad='KP_Up KP_Down KP_Left KP_Right KP_Prior KP_Next KP_Home KP_End KP_Begin
  KP_Insert KP_Delete KP_Enter KP_Add KP_Subtract'
capslock='y n Return Tab Up Escape'

# The command line that runs record.py in each terminal, with the title
# xdotool finds it by.
launch() {
  record="python3 $here/record.py $2 $work/control $work/ack $work/out"
  case $1 in
    xterm) xterm -T zcap -e $record ;;
    xterm-8bit) xterm -T zcap -e $record ;;
    xterm-mok2) xterm -T zcap -xrm 'XTerm*modifyOtherKeys: 2' -e $record ;;
    xterm-mok2-fok1) xterm -T zcap -xrm 'XTerm*modifyOtherKeys: 2' \
      -xrm 'XTerm*formatOtherKeys: 1' -e $record ;;
    urxvt) urxvt -title zcap -e $record ;;
    kitty) kitty -o clear_all_shortcuts=yes -T zcap $record ;;
    alacritty) alacritty --config-file "$work/alacritty.yml" -t zcap -e $record ;;
    st) stterm -t zcap -e $record ;;
    vte) XDG_CONFIG_HOME=$work xfce4-terminal --disable-server -T zcap -x $record ;;
    mlterm) mlterm -T zcap -e $record ;;
    tmux) xterm -T zcap -xrm 'XTerm*modifyOtherKeys: 2' -e tmux -L zcap -f "$work/tmux.conf" \
      new-session "python3 $here/record.py '$2' $work/control $work/ack $work/out" ;;
    screen) xterm -T zcap -e screen -c /dev/null $record ;;
  esac
}

setup_for() {
  case $1 in
    xterm-8bit) echo "\\x1b\\x20G$box_setup" ;;  # S8C1T: 8-bit controls
    *) echo "$box_setup" ;;
  esac
}

# The terminal's own shortcuts may open a window (xfce4-terminal's
# Shift+Ctrl+N): the focus is given back before each key.
press() {  # $1: the name written, $2: what xdotool presses
  timeout 2 xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  xdotool key $2
  sleep 0.12
  echo "$1" >&3
  timeout 5 cat "$work/ack" >/dev/null || { echo "$terminal: no answer for $1" >&2; return 1; }
}

capture() {
  terminal=$1
  rm -f "$work/out" "$work/control" "$work/ack"
  mkfifo "$work/control" "$work/ack"
  printf 'set -s extended-keys always\nset -g status off\nset -s escape-time 0\n' >"$work/tmux.conf"
  # Shift+Ctrl+Space would enter alacritty's vi mode, which keeps the keys after it.
  printf 'key_bindings:\n  - { key: Space, mods: Shift|Control, action: ReceiveChar }\n' \
    >"$work/alacritty.yml"
  # F1 would open xfce4-terminal's help, whose error dialog keeps the keys after it.
  mkdir -p "$work/xfce4/terminal"
  printf '[Configuration]\nShortcutsNoHelpkey=TRUE\nShortcutsNoMenukey=TRUE\n' \
    >"$work/xfce4/terminal/terminalrc"
  launch "$terminal" "$(setup_for "$terminal")" >/dev/null 2>&1 & term=$!
  exec 3<>"$work/control"  # read-write: opening does not wait for the recorder
  window=$(xdotool search --sync --name '^zcap$' | head -1)
  timeout 2 xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  sleep 1
  press warm-up shift
  for key in $keys; do
    for modifier in $modifiers; do
      if [ $modifier = none ]; then press "$key" "$key"; else press "$modifier+$key" "$modifier+$key"; fi
    done
  done
  # mlterm holds keypad keys and keys under Caps Lock back, and sends
  # them three at a time under xdotool: not captured there.
  if [ "$terminal" != mlterm ]; then
    for key in $keypad; do press "$key" "$key"; done
    xdotool key Num_Lock
    for key in $keypad; do press "numlock+$key" "$key"; done
    xdotool key Num_Lock Caps_Lock
    for key in $capslock; do press "capslock+$key" "$key"; done
    xdotool key Caps_Lock
  fi
  exec 3>&-
  sleep 0.5
  kill $term 2>/dev/null || true
  tmux -L zcap kill-server 2>/dev/null || true
  wait $term 2>/dev/null || true
  mv "$work/out" "$here/$terminal.keys"
  echo "$terminal: $(wc -l <"$here/$terminal.keys") keys"
}

for terminal in ${@:-xterm xterm-8bit xterm-mok2 xterm-mok2-fok1 urxvt kitty alacritty st vte mlterm tmux screen}; do
  capture "$terminal"
done
