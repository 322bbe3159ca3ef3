#!/bin/bash
# The terminal box's first screen in the labels of several scripts (Latin,
# Cyrillic, Hebrew, Arabic, Hangul, Han), against screens kept in
# screens/LANGUAGE.txt: the words come from the catalogues, the box keeps
# its shape whatever their widths, and Escape still answers Cancel.
# Hebrew and Arabic are kept in logical order, as most terminals show
# them (no bidi); the terminal's own bidi, where it has one, orders them.
. "$(dirname "$0")/lib.sh"

SOCKET="zorvane-languages-$$"
CLEANUPS+=('tmux -L "$SOCKET" kill-server 2>/dev/null')
tmux -L "$SOCKET" new-session -d -s keep "sleep 600"
screens="$(dirname "$0")/screens"

for language in tr uk he ar ko zh_TW; do
  rm -f "$WORK/status"
  tmux -L "$SOCKET" new-session -d -s "$language" -x 60 -y 12 \
    "env -u DISPLAY -u WAYLAND_DISPLAY TERM=xterm LC_ALL=C.UTF-8 LANGUAGE=$language \
       '$ZORVANE_BIN' 'Go on?' Zorvane 35; echo \$? >'$WORK/status'; sleep 60"
  wait_count '│' tmux -L "$SOCKET" capture-pane -p -t "$language" >/dev/null
  sleep 0.2
  tmux -L "$SOCKET" capture-pane -p -t "$language" | sed 's/ *$//' >"$WORK/$language.txt"
  [ -n "${ZORVANE_KEEP_SCREENS:-}" ] && cp "$WORK/$language.txt" "$screens/$language.txt"
  check "$language: the first screen" same \
    "$(diff "$screens/$language.txt" "$WORK/$language.txt" >&2 && echo same)"
  tmux -L "$SOCKET" send-keys -t "$language" Escape
  for _ in $(seq 50); do [ -s "$WORK/status" ] && break; sleep 0.1; done
  check "$language: Escape answers Cancel" 2 "$(cat "$WORK/status" 2>/dev/null)"
done
