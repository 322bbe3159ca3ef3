#!/bin/bash
# The desktop box as a screen reader and the screen see it, under Xvfb and
# on headless Wayland compositors, read and pressed through AT-SPI; and
# every way the process that draws it can end. Run inside dbus-run-session.
. "$(dirname "$0")/lib.sh"
ATSPI="/usr/bin/python3 $(dirname "$0")/atspi.py"

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
CLEANUPS+=("kill $! 2>/dev/null")
start_display

# inside_screen TITLE: "inside" when the window and every button lie
# within the 1024x768 screen.
inside_screen() {
  $ATSPI extents "$1" | awk '$1 < 0 || $2 < 0 || $1 + $3 > 1024 || $2 + $4 > 768 {out = 1}
    END {print (NR > 1 && !out) ? "inside" : "outside"}'
}

start_box "Line 1\nLine 2" "Read out" 35
check "read as an alert with its text, icon and buttons" \
  "alert|Question|icon: Question|label: Line 1|Line 2|button: Yes|button: No|button: Cancel" \
  "$($ATSPI describe "Read out" | paste -sd'|')"
$ATSPI press "Read out" No
wait_status "$BOX_PID"
check "a button's action answers: No" 7 "$STATUS"

# Cron jobs and daemons start it with standard output and error closed.
timeout 60 "$ZORVANE_BIN" "Closed streams" Closed 4 </dev/null >&- 2>&- &
BOX_PID=$!
$ATSPI press Closed Yes
wait_status "$BOX_PID"
check "stdout and stderr closed: Yes still answers 6" 6 "$STATUS"
timeout 60 "$ZORVANE_BIN" "Descriptors" Descriptors 4 </dev/null >/dev/null 2>&1 7>"$WORK/extra" &
BOX_PID=$!
$ATSPI describe Descriptors >/dev/null
drawing=$(pgrep -P "$(pgrep -P "$BOX_PID")")
check "the caller's other descriptors do not reach the drawing child" "0 seen" \
  "$(ls -l "/proc/$drawing/fd" | grep -cF "$WORK/extra") ${drawing:+seen}"
$ATSPI press Descriptors No
wait_status "$BOX_PID"

start_box "$(seq -s '\n' 1 80)" "Focus" 259
check "only the buttons take the focus; the default one is marked so" \
  "push button|push button|push button|default: No" "$($ATSPI focusable Focus | paste -sd'|')"
$ATSPI press Focus Cancel
wait_status "$BOX_PID"

title200=$(printf 'Title%.0s' $(seq 40))
start_box "Saved." "$title200" 64
check "the accessible name is the whole 200-byte title" "$title200" \
  "$(xdotool getwindowname "$(wait_window "$title200")")"
wide=$($ATSPI extents "$title200" | awk 'NR == 1 {print $3}')
$ATSPI press "$title200" OK
wait_status "$BOX_PID"
start_box "Saved." "Information" 64
narrow=$($ATSPI extents "Information" | awk 'NR == 1 {print $3}')
$ATSPI press Information OK
wait_status "$BOX_PID"
check "a long title makes a wider box" yes "$([ "$wide" -gt "$((narrow + 100))" ] && echo yes)"

LC_ALL=de_DE.UTF-8 start_box "Weiter?" "Deutsch" 36
check "the kind of message in the user's language, for the alert and its icon" "Frage icon: Frage" \
  "$($ATSPI describe Deutsch | sed -n '2p;3p' | paste -sd' ')"
$ATSPI press Deutsch Ja
wait_status "$BOX_PID"
LC_ALL=C LANG=C start_box "Grüße aus Köln" "C locale" 0
check "UTF-8 text shown as written in the C locale" "label: Grüße aus Köln" \
  "$($ATSPI describe "C locale" | grep '^label:')"
$ATSPI press "C locale" OK
wait_status "$BOX_PID"
start_box "$(printf '€%.0s' $(seq 84))" "Cut" 0
check "a character cut at 250 bytes is dropped: 83 signs, no U+FFFD" "83 0" \
  "$($ATSPI describe Cut | sed -n 's/^label: //p' | awk '{print gsub(/€/, "")+0, gsub(/\xef\xbf\xbd/, "")+0}')"
$ATSPI press Cut OK
wait_status "$BOX_PID"

start_box "$(printf 'x%.0s' $(seq 250))" "One long word" 1
check "a 250-byte word stays on the screen" inside "$(inside_screen "One long word")"
$ATSPI press "One long word" OK
wait_status "$BOX_PID"
start_box "$(seq -s '\n' 1 80)" "Short lines" 1
check "55 short lines stay on the screen" inside "$(inside_screen "Short lines")"
check "and show a scroll bar from the start, beside the text" beside "$($ATSPI scrollbar "Short lines")"
$ATSPI press "Short lines" Cancel
wait_status "$BOX_PID"
check "and answer: Cancel" 2 "$STATUS"

start_box text Destroyed 3
"$CLOSE_WINDOW_BIN" --destroy "$(wait_window Destroyed)"
wait_status "$BOX_PID"
GONE="zorvane: the box went away without an answer:"
check "window destroyed by another client: 0, and why" \
  "0 $GONE another program closed its window" "$STATUS $(cat "$WORK/stderr")"
start_box text Killed 3
wait_window Killed >/dev/null
kill -KILL "$(pgrep -P "$(pgrep -P "$BOX_PID")")"  # timeout > zorvane > the drawing child
wait_status "$BOX_PID"
check "the drawing process killed: 0, and why" \
  "0 $GONE the program that drew it ended (killed by signal 9)" "$STATUS $(cat "$WORK/stderr")"
start_box text Terminated 3
wait_window Terminated >/dev/null
zorvane=$(pgrep -P "$BOX_PID")
child=$(pgrep -P "$zorvane")
kill -TERM "$zorvane"
wait_status "$BOX_PID"
check "SIGTERM ends zorvane by SIGTERM" 143 "$STATUS"
check "and leaves no window and no child" "0 gone" \
  "$(xdotool search --onlyvisible --name '^Terminated$' | wc -l) $(kill -0 "$child" 2>/dev/null || echo gone)"

# Wayland: a compositor of its own, no X server, no terminal.
kill "$XVFB_PID"
XVFB_PID=
unset DISPLAY
export XDG_RUNTIME_DIR="$WORK/runtime" WAYLAND_DISPLAY="zorvane-test-$$"
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 >/dev/null 2>&1 &
WESTON_PID=$!
CLEANUPS+=('kill "$WESTON_PID" 2>/dev/null')
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done

start_wayland_box() {
  timeout 60 setsid "$ZORVANE_BIN" "$@" >"$WORK/stdout" 2>"$WORK/stderr" </dev/null &
  BOX_PID=$!
}
start_wayland_box "Line 1\nLine 2" "On Wayland" 291
check "Wayland: a native box, read out the same" \
  "alert|Question|icon: Question|button: Yes|button: No|button: Cancel" \
  "$($ATSPI describe "On Wayland" | grep -v '^label\|^button: Close' | paste -sd'|')"
$ATSPI press "On Wayland" No
wait_status "$BOX_PID"
check "Wayland: a button's action answers: No" 7 "$STATUS"
# GTK draws the title bar itself here, so a long title would widen the box.
long_title=$(printf 'Title %.0s' $(seq 40))
long_title=${long_title% }
start_wayland_box text "$long_title" 1
check "Wayland: a long title is the window's whole, and does not widen the box" yes \
  "$($ATSPI extents "$long_title" | awk 'NR == 1 {print ($3 < 700) ? "yes" : "no"}')"
$ATSPI press "$long_title" OK
wait_status "$BOX_PID"
start_wayland_box "The compositor goes away" Doomed 1
$ATSPI describe Doomed >/dev/null
kill "$WESTON_PID"
wait_status "$BOX_PID"
check "Wayland: compositor lost: 0, and why" \
  "0 $GONE the program that drew it ended (exit status 1)" "$STATUS $(cat "$WORK/stderr")"

# sway lists windows by their toplevel's title and app_id, as window
# lists and window rules see them; it runs as an unprivileged user.
SWAY_RUNTIME=$(mktemp -d)  # outside $WORK, which only root may enter
printf 'output HEADLESS-1 resolution 1024x768\n' >"$SWAY_RUNTIME/config"
chown -R nobody "$SWAY_RUNTIME"
env -i PATH=/usr/bin:/bin HOME="$SWAY_RUNTIME" XDG_RUNTIME_DIR="$SWAY_RUNTIME" \
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  setpriv --reuid=nobody --regid=nogroup --clear-groups sway -c "$SWAY_RUNTIME/config" >/dev/null 2>&1 &
CLEANUPS+=("kill $! 2>/dev/null" 'rm -rf "$SWAY_RUNTIME"')
for _ in $(seq 100); do compgen -G "$SWAY_RUNTIME/sway-ipc.*.sock" >/dev/null && break; sleep 0.1; done
export XDG_RUNTIME_DIR=$SWAY_RUNTIME WAYLAND_DISPLAY=wayland-1
SWAYSOCK=$(compgen -G "$SWAY_RUNTIME/sway-ipc.*.sock")
export SWAYSOCK
start_wayland_box "Listed" "Box title on sway" 4
check "sway: the window's title is the box's, its app_id the tool's" \
  '"Box title on sway" "zorvane"' \
  "$(for _ in $(seq 50); do
      swaymsg -t get_tree | grep -A 30 '"name": "Box title on sway"' | grep -q app_id && break
      sleep 0.1
    done
    swaymsg -t get_tree | grep -o '"name": "Box title on sway"\|"app_id": "zorvane"' | cut -d' ' -f2- | paste -sd' ')"
# sway draws frames (it offers KDE's server decoration, as KWin does): the
# box leaves its frame and title bar to it, as the compositor's own
# dialogs have them.
check "sway: the compositor draws the frame" normal \
  "$(swaymsg -t get_tree | /usr/bin/python3 -c 'import json, sys
def walk(node):
    if node.get("name") == "Box title on sway": print(node.get("border"))
    for child in node.get("nodes", []) + node.get("floating_nodes", []): walk(child)
walk(json.load(sys.stdin))')"
kill "$BOX_PID"
wait "$BOX_PID"
