#!/bin/sh
# Writes tests/keys/terminfo.caps: what each terminfo entry that the tests
# read says its keys send, for the keys the terminal box acts on; a line
# per string: the entry, a tab, the capability, a tab, the bytes in hex.
# Run by hand (with Debian's ncurses-term installed), not by the check,
# which reads the file.
#
#   tests/keys/capture_terminfo.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
entries="xterm xterm-256color xterm-kitty alacritty st-256color rxvt-unicode-256color mlterm
  tmux-256color screen linux putty putty-sco putty-m1 xterm-sun wy50 adm3a vt52 vt100 vt220"
capabilities="kcuu1 kcud1 kcub1 kcuf1 khome kend kpp knp kcbt kent ka1 ka3 kb2 kc1 kc3"
for entry in $entries; do
  for capability in $capabilities; do
    # tput prints the string as the terminal sends it; exit 1: none.
    bytes=$(tput -T "$entry" "$capability" | od -An -tx1 | tr -d ' \n') || continue
    [ -n "$bytes" ] && printf '%s\t%s\t%s\n' "$entry" "$capability" "$bytes"
  done
done >"$here/terminfo.caps"
