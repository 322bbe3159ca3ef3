#!/bin/bash
# Neither a display nor a terminal: the answer is 0 at once, with one
# line on stderr saying why, whatever stderr is. A display without the GTK
# helper falls back the same way.
. "$(dirname "$0")/lib.sh"

no_terminal() {  # runs zorvane in a new session without a controlling terminal
  timeout 10 setsid -w env -u WAYLAND_DISPLAY "$@" </dev/null >"$WORK/out" 2>"$WORK/err"
}
said() { echo "$(wc -c <"$WORK/out") $(cat "$WORK/err")"; }
NO_BOX="0 zorvane: no display and no terminal to show the box on"

started=$(date +%s%N)
no_terminal env -u DISPLAY "$ZORVANE_BIN" "Nobody sees this" Title 4
status=$?
elapsed_ms=$((($(date +%s%N) - started) / 1000000))
check "no display, no terminal: 0" 0 "$status"
check "answered within a second" yes "$([ "$elapsed_ms" -lt 1000 ] && echo yes)"
check "nothing on stdout, one line on stderr" "$NO_BOX" "$(said)"
setsid -w env -u DISPLAY -u WAYLAND_DISPLAY "$ZORVANE_BIN" "Nobody" T 4 </dev/null 2>&1 >/dev/null | true
check "stderr a pipe closed early: still 0" 0 "${PIPESTATUS[0]}"

# With a display, the line says why no desktop box could be shown there.
mkdir "$WORK/alone" && cp "$ZORVANE_BIN" "$WORK/alone/zorvane"
no_terminal env DISPLAY=:99999 "$WORK/alone/zorvane" "No helper here" Title 1
check "display but no helper, no terminal: 0, and why" \
  "0 0 zorvane: the desktop box is not installed, and there is no terminal to show the box on" \
  "$? $(said)"
no_terminal env DISPLAY=:99999 "$ZORVANE_BIN" "No server there" Title 1
check "display that cannot be opened, no terminal: 0, and why" \
  "0 0 zorvane: the desktop box could not open the display :99999, and there is no terminal to show the box on" \
  "$? $(said)"
no_terminal env -u DISPLAY WAYLAND_DISPLAY=wayland-none "$ZORVANE_BIN" "Wayland only" Title 1
check "Wayland without X, no terminal: 0, and why" \
  "0 0 zorvane: the desktop box could not open the display wayland-none, and there is no terminal to show the box on" \
  "$? $(said)"
# GTK missing where the helper is installed: the loader's own words.
mkdir "$WORK/no-gtk" && : >"$WORK/no-gtk/libgtk-3.so.0"
no_terminal env DISPLAY=:99999 LD_LIBRARY_PATH="$WORK/no-gtk" "$ZORVANE_BIN" "No GTK" Title 1
check "GTK missing, no terminal: 0, and the loader's reason" \
  "0 0 zorvane: the desktop box could not start (libgtk-3.so.0: file too short)" \
  "$? $(said | sed 's/(.*error while loading shared libraries: /(/; s|/[^ ]*/libgtk|libgtk|; s/), and there is no terminal.*/)/')"
