#!/bin/bash
# A real client: batch files run by Wine's own cmd.exe that call the usage
# screen's example and branch on the answer, and that see the runtime's
# wildcard expansion. Windows' msvcrt leaves a quoted pattern alone while
# Wine's expands it too, so only what both do is checked.
. "$(dirname "$0")/lib.sh"
start_display

exe=$("$WINE" winepath -w "$ZORVANE_EXE" 2>/dev/null)
crlf() { sed 's/$/\r/'; }

crlf >"$WORK/ask.bat" <<BAT
@ECHO OFF
"$exe" "Line 1 of text ...\nLine 2 of text ..." "My title" 68
ECHO status %ERRORLEVEL%
IF ERRORLEVEL 7 GOTO no
IF ERRORLEVEL 6 GOTO yes
ECHO neither
GOTO end
:yes
ECHO answered Yes
GOTO end
:no
ECHO answered No
:end
BAT

run_batch() {  # run_batch FILE: starts cmd.exe on it, output to $WORK/batch.out
  timeout 60 "$WINE" cmd /c "$("$WINE" winepath -w "$1" 2>/dev/null)" >"$WORK/batch.out" 2>/dev/null &
  BATCH_PID=$!
}

answer() {  # answer KEY: runs ask.bat, presses KEY in its box, prints its output
  run_batch "$WORK/ask.bat"
  press_keys "My title" "$1"
  wait "$BATCH_PID"
  tr -d '\r' <"$WORK/batch.out" | paste -sd'|'
}

check "Yes pressed"  "status 6|answered Yes" "$(answer Return)"
check "No pressed"   "status 7|answered No"  "$(answer n)"

mkdir "$WORK/files" && touch "$WORK/files/alpha.txt"
crlf >"$WORK/files/wild.bat" <<BAT
@ECHO OFF
CD /D "$("$WINE" winepath -w "$WORK/files" 2>/dev/null)"
"$exe" *.txt Expanded 0
"$exe" "*.none" Unmatched 0
BAT

shown_then_ok() {  # shown_then_ok TITLE: the open box's text, then presses OK
  wait_window "$1" >/dev/null
  box_controls "$1" | awk -F'\t' '$1 == "Static" && $2 != "" {print $2}'
  press_keys "$1" Return
}

run_batch "$WORK/files/wild.bat"
check "wildcard expanded to the matching file" 'alpha.txt' "$(shown_then_ok Expanded)"
check "wildcard without a match stays as typed" '*.none' "$(shown_then_ok Unmatched)"
wait "$BATCH_PID"
