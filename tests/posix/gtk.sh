#!/bin/bash
# The GTK dialog under Xvfb: answers for every button set by Return,
# Escape, the close box and access keys; defaults; what the style means
# beyond buttons; text shown literally; a lost display answers 0.
. "$(dirname "$0")/lib.sh"
start_display

expect() {  # expect NAME EXPECTED STYLE KEYS...
  local name=$1 expected=$2 style=$3
  shift 3
  check "$name" "$expected" "$(box Zorvane "$@" -- "Press" "" "$style")"
}

expect "OK: Return"                    1 0 Return
expect "OK: Escape"                    1 0 Escape
expect "OK/Cancel: Return"             1 1 Return
expect "OK/Cancel: Escape"             2 1 Escape
expect "OK/Cancel: Tab Return"         2 1 Tab Return
expect "Abort/Retry/Ignore: Return"    3 2 Return
expect "Abort/Retry/Ignore: i"         5 2 i
expect "Yes/No/Cancel: Escape"         2 3 Escape
expect "Yes/No: Return"                6 4 Return
expect "Yes/No: n"                     7 4 n
expect "Yes/No: Alt+n"                 7 4 alt+n
expect "Retry/Cancel: Return"          4 5 Return
expect "Retry/Cancel: Escape"          2 5 Escape
expect "Cancel/Try/Continue: Return"   2 6 Return
expect "Cancel/Try/Continue: t"        10 6 t
expect "Cancel/Try/Continue: c"        11 6 c
expect "Yes/No, button 2 default"      7 260 Return
expect "Yes/No/Cancel, button 3"       2 515 Return
expect "Yes/No, 512 falls back"        6 516 Return
expect "Abort/Retry/Ignore, 768"       3 770 Return
expect "no style: OK/Cancel"           2 1 Escape
# Focus moves between the buttons only, in a cycle, as on Windows.
expect "Yes/No/Cancel: Shift+Tab to the last" 2 3 shift+Tab Return
expect "Yes/No/Cancel: Tab past the last"     6 3 Tab Tab Tab Return
expect "Yes/No/Cancel: Down then Up"          6 3 Down Up Return
expect "Yes/No/Cancel: Left wraps"            2 3 Left Return

# Button set 7 is no set: no dialog, answer 0 at once.
check "button set 7 answers 0" 0 "$(timeout 5 "$ZORVANE_BIN" x x 7; echo $?)"

# Sets without Cancel ignore Escape and the close box, then answer normally.
for style in 2 4; do
  start_box text NoEscape "$style"
  press_keys NoEscape Escape
  "$CLOSE_WINDOW_BIN" "$(wait_window NoEscape)"
  check "style $style ignores Escape and close box" open "$(still_open NoEscape)"
  press_keys NoEscape Return
  wait_status "$BOX_PID"
done
for style_code in 0:1 1:2 3:2; do
  start_box text Closing "${style_code%:*}"
  wait_window Closing >/dev/null
  "$CLOSE_WINDOW_BIN" "$(wait_window Closing)"
  wait_status "$BOX_PID"
  check "close box on style ${style_code%:*}" "${style_code#*:}" "$STATUS"
done

start_box "Line 1\nLine 2" "My title" 4112
window=$(wait_window "My title")
check "title shown" "My title" "$(xdotool getwindowname "$window")"
check "the window is the tool's: WM_CLASS" 'WM_CLASS(STRING) = "zorvane", "Zorvane"' \
  "$(xprop -id "$window" WM_CLASS)"
check "window icon is the tool's" 1 "$(xprop -id "$window" _NET_WM_ICON | grep -c 'Icon (48 x 48)')"
check "system modal keeps above" 1 "$(xprop -id "$window" _NET_WM_STATE | grep -c _NET_WM_STATE_ABOVE)"
check "system modal asks for attention (urgency bit)" 256 "$(( $(xprop -id "$window" -f WM_HINTS 32x ' $0' WM_HINTS | awk '{print $2}') & 256 ))"
press_keys "My title" ctrl+c
check "Ctrl+C copies the box, each button followed by three spaces" \
  "---------------------------|My title|---------------------------|Line 1|Line 2|---------------------------|OK   |---------------------------" \
  "$(timeout 5 xclip -o -selection clipboard | tr -d '\r' | paste -sd'|')"
# Every form of the copy carries the same bytes, with LF line ends, while
# the box is open and after it: a clipboard manager keeps one entry.
copy_forms() {
  local target forms=same
  for target in UTF8_STRING 'text/plain;charset=utf-8' text/plain TEXT STRING; do
    timeout 5 xclip -o -selection clipboard -t "$target" >"$WORK/form" 2>/dev/null
    [ -s "$WORK/first-form" ] || cp "$WORK/form" "$WORK/first-form"
    cmp -s "$WORK/form" "$WORK/first-form" || forms="not the same as $target"
  done
  echo "$forms, CR: $(grep -c $'\r' "$WORK/first-form"), $(md5sum <"$WORK/first-form" | cut -c1-8)"
  rm -f "$WORK/first-form"
}
open_forms=$(copy_forms)
check "every form of the copy alike, LF only" "same, CR: 0" "${open_forms%, *}"
press_keys "My title" Return
wait_status "$BOX_PID"
check "answer after copying" 1 "$STATUS"
check "and after the box, the same forms with the same bytes" "$open_forms" "$(copy_forms)"
check "the copy outlives the box" "My title" \
  "$(timeout 5 xclip -o -selection clipboard | tr -d '\r' | sed -n 2p)"
keeper=$(pgrep -f "^zorvane-clipboard $DISPLAY [0-9]+\$")
check "one keeper serves it" 1 "$(echo "$keeper" | grep -c .)"
check "the keeper holds no directory, no text and a few MB" "/ zorvane-clipboard $DISPLAY N small" \
  "$(readlink "/proc/$keeper/cwd") $(tr '\0' ' ' <"/proc/$keeper/cmdline" | sed 's/ [0-9]* $/ N/') \
$(awk '/^VmRSS/ {print ($2 <= 6144 ? "small" : $2 " kB")}' "/proc/$keeper/status")"
echo other | xclip -selection clipboard
gone() {  # gone PID: "gone" once the process has ended (a zombie left for init counts), within 2 s
  for _ in $(seq 20); do
    case "$(ps -o stat= -p "$1" 2>/dev/null)" in "" | Z*) echo gone; return ;; esac
    sleep 0.1
  done
}
check "and its keeper ends when another client copies" gone "$(gone "$keeper")"

# A newer copy by another program is never taken back.
start_box "Copied first" Newer 0
press_keys Newer ctrl+c
check "the box's copy first" "Newer" "$(timeout 5 xclip -o -selection clipboard | tr -d '\r' | sed -n 2p)"
echo newer | xclip -selection clipboard
press_keys Newer Return
wait_status "$BOX_PID"
sleep 0.3
check "a newer copy stays on the clipboard, and no keeper starts" "newer 0" \
  "$(timeout 5 xclip -o -selection clipboard) $(pgrep -fc "^zorvane-clipboard $DISPLAY [0-9]+\$")"
check "dialog writes no stdout" 0 "$(wc -c <"$WORK/stdout")"
check "dialog writes no stderr" 0 "$(wc -c <"$WORK/stderr")"

check "blank title: default" 1 "$(box Zorvane Return -- text '  ' 0)"
check "markup title shown literally" 1 "$(box '<b>x</b> &amp; %s' Return -- text '<b>x</b> &amp; %s' 0)"

# The user's language: the same words as the terminal box, access keys
# from the shown label, in either case.
LC_ALL=de_DE.UTF-8 start_box "Weiter?" Deutsch 36
press_keys Deutsch ctrl+c
check "German labels" "Ja   Nein   " "$(timeout 5 xclip -o -selection clipboard | tr -d '\r' | sed -n 6p)"
press_keys Deutsch shift+j
wait_status "$BOX_PID"
check "Shift+J presses Ja" 6 "$STATUS"
LC_ALL=de_DE.UTF-8 expect "German Abort/Retry/Ignore: w" 4 2 w

# Ctrl+C on a Russian layout: the key is C's, its letter Cyrillic es.
setxkbmap -layout ru,us
start_box "Привет" Russian 0
press_keys Russian ctrl+Cyrillic_es
check "Ctrl+C copies on a Russian layout" "Привет" \
  "$(timeout 5 xclip -o -selection clipboard | tr -d '\r' | sed -n 4p)"
press_keys Russian Return
wait_status "$BOX_PID"
start_box "Да?" Russian 4
press_keys Russian Cyrillic_en
wait_status "$BOX_PID"
check "on a Russian layout, the key of y presses Yes" 6 "$STATUS"
setxkbmap -layout us

# Keys and clicks meant for another window: typing goes on as the box
# appears and takes the focus, and none of it answers.
typing() {  # typing KEY: KEY every 50 ms, for 2 s, to whichever window has the focus
  for _ in $(seq 40); do xdotool key "$1"; sleep 0.05; done
}
xdotool mousemove 0 0  # no focus follows the pointer into the box: it takes the focus once, below
for key in y Return; do
  typing "$key" &
  typist=$!
  start_box "Typed into?" Typing 4
  window=$(wait_window Typing)
  kill "$typist" 2>/dev/null
  wait "$typist" 2>/dev/null
  # The box takes the focus as the next keys come, in one burst.
  xdotool windowfocus "$window" key "$key" key "$key" 2>/dev/null
  check "$key typed on as the box takes the focus answers nothing" open "$(still_open Typing)"
  press_keys Typing n
  wait_status "$BOX_PID"
  check "then n, read and meant: No" 7 "$STATUS"
done
start_box "Clicked?" Clicking 4
window=$(wait_window Clicking)
xdotool windowfocus --sync "$window" mousemove --window "$window" 60 60 click 1 2>/dev/null
check "a click as the box takes the focus answers nothing" open "$(still_open Clicking)"
press_keys Clicking n
wait_status "$BOX_PID"

# A long title is shown whole: the box is as wide as the title needs, up
# to the screen's width, not the text's 60 characters.
title=$(printf 'Title word %.0s' $(seq 9))
title=${title% }
start_box "Short text" "$title" 0
window=$(wait_window "$title")
eval "$(xdotool getwindowgeometry --shell "$window")"
check "a 98-character title: the box about 770 pixels wide" wide \
  "$( ((WIDTH >= 700 && WIDTH <= 1024)) && echo wide || echo "$WIDTH")"
press_keys "$title" Return
wait_status "$BOX_PID"

# A key held down since before the box took the focus answers nothing,
# its repeats included, however long it is held.
start_box "Held over?" Held 4
xdotool keydown Return
window=$(wait_window Held)
xdotool windowfocus --sync "$window"
sleep 1.5  # the server repeats the key from about 0.66 s on
xdotool keyup Return
check "Return held since before the box answers nothing" open "$(still_open Held)"
press_keys Held n
wait_status "$BOX_PID"
check "then n: No" 7 "$STATUS"

# Coming back: after another window had the focus, what the user does on
# the box at once is meant for it.
start_box "Elsewhere" Elsewhere 0
start_box "Come back?" Back 4
back=$BOX_PID
window=$(wait_window Back)
xdotool windowfocus --sync "$window"
sleep 1
xdotool windowfocus --sync "$(wait_window Elsewhere)"
sleep 1
xdotool windowfocus --sync "$window" key n
wait_status "$back"
check "back on the box, n at once: No" 7 "$STATUS"
xdotool windowfocus --sync "$(wait_window Elsewhere)" key Return

# start_manager COMMAND...: a clipboard manager, once it owns
# CLIPBOARD_MANAGER, in MANAGER_PID. One that could not start (xfce4-clipman
# at times finds no display on a loaded machine) is started again.
start_manager() {
  local try
  for try in 1 2 3; do
    "$@" >"$WORK/manager.log" 2>&1 &
    MANAGER_PID=$!
    for _ in $(seq 50); do
      [ "$("$OWNER_BIN" CLIPBOARD_MANAGER)" != 0 ] && return 0
      kill -0 "$MANAGER_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$MANAGER_PID" 2>/dev/null
  done
  echo "FAIL $1 is no clipboard manager: $(tail -n 2 "$WORK/manager.log")"
  FAILURES=$((FAILURES + 1))
}

# A clipboard manager that refuses the copy, or never answers: the keeper
# serves it as where none runs, and the answer waits for neither.
for manner in refuse silent; do
  start_manager "$MANAGER_BIN" "$manner"
  start_box "Kept anyway" "Manager $manner" 0
  press_keys "Manager $manner" ctrl+c Return
  wait_status "$BOX_PID"
  sleep 3.5
  check "a manager that would $manner: the copy kept after the box" "1 Manager $manner" \
    "$STATUS $(timeout 5 xclip -o -selection clipboard | tr -d '\r' | sed -n 2p)"
  kill "$MANAGER_PID"
  wait "$MANAGER_PID" 2>/dev/null
  pkill -f "^zorvane-clipboard $DISPLAY [0-9]+\$"
done

# Without the keeper beside the helper (a partial install) the answer
# does not wait for one.
mkdir -p "$WORK/partial"
cp "$ZORVANE_BIN" "$(dirname "$ZORVANE_BIN")/zorvane-gtk" "$WORK/partial/"
ZORVANE_BIN="$WORK/partial/zorvane" start_box "No keeper here" Partial 0
press_keys Partial ctrl+c
started=$(date +%s%N)
xdotool key Return
wait_status "$BOX_PID"
check "no keeper installed: the answer at once" "1 yes" \
  "$STATUS $( (($(date +%s%N) - started < 500000000)) && echo yes)"

# A clipboard manager takes the copy: the answer does not wait for it, and
# no keeper stays behind.
CLEANUPS+=('kill "$MANAGER_PID" 2>/dev/null')
start_manager xfce4-clipman
start_box "Kept by the manager" Managed 0
press_keys Managed ctrl+c
check "the box's copy" "Managed" "$(timeout 5 xclip -o -selection clipboard | tr -d '\r' | sed -n 2p)"
press_keys Managed Return
wait_status "$BOX_PID"
check "with a clipboard manager: the answer at once" 1 "$STATUS"
keeper=$(pgrep -f "^zorvane-clipboard $DISPLAY [0-9]+\$")
check "the copy handed over, and no keeper left after the hand-over" "Managed gone" \
  "$(timeout 5 xclip -o -selection clipboard | tr -d '\r' | sed -n 2p) $(sleep 4; gone "$keeper")"
kill "$MANAGER_PID"
wait "$MANAGER_PID" 2>/dev/null

# Over a forwarded display (ssh -X's localhost:10.0) nothing stays behind.
another_display 800x600 -listen tcp
(
  FAILURES=0  # this display's own, added below
  export DISPLAY="127.0.0.1$ANOTHER_DISPLAY"
  start_box "Forwarded" Forwarded 0
  press_keys Forwarded ctrl+c
  press_keys Forwarded Return
  wait_status "$BOX_PID"
  sleep 0.3
  check "a forwarded display: the answer, and no keeper" "1 0" \
    "$STATUS $(pgrep -fc "^zorvane-clipboard $DISPLAY [0-9]+\$")"
  exit "$FAILURES"
)
FAILURES=$((FAILURES + $?))

# A 320x240 screen at twice the size or with larger letters: the whole box
# on it, three buttons and a text of a hundred words.
another_display 320x240 -nolisten tcp
for scale in GDK_SCALE=2 GDK_DPI_SCALE=1.5; do
  (
    FAILURES=0
    export DISPLAY=$ANOTHER_DISPLAY "$scale"
    start_box "$(yes word | head -n 100 | paste -sd' ')" Small 2
    window=$(wait_window Small)
    eval "$(xdotool getwindowgeometry --shell "$window")"
    check "$scale on 320x240: the box inside the screen" inside \
      "$( ((X >= 0 && Y >= 0 && X + WIDTH <= 320 && Y + HEIGHT <= 240)) && echo inside || echo "${WIDTH}x$HEIGHT+$X+$Y")"
    press_keys Small Return
    wait_status "$BOX_PID"
    check "$scale on 320x240: Return answers the default, Abort" 3 "$STATUS"
    exit "$FAILURES"
  )
  FAILURES=$((FAILURES + $?))
done

start_box "The display goes away" Doomed 1
wait_window Doomed >/dev/null
kill "$XVFB_PID"
XVFB_PID=
wait_status "$BOX_PID"
check "display lost: answer 0, and why" \
  "0 zorvane: the box went away without an answer: its display went away" \
  "$STATUS $(cat "$WORK/stderr")"
