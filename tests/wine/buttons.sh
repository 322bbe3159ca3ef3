#!/bin/bash
# Exit codes for the button sets, defaults and keys that Windows and Wine
# agree on, pressed through the keyboard.
. "$(dirname "$0")/lib.sh"
start_display

expect_box() {  # expect_box NAME EXPECTED STYLE KEYS...
  local name=$1 expected=$2 style=$3
  shift 3
  check "$name" "$expected" "$(box Zorvane "$@" -- "Press" "" "$style")"
}

expect_box "OK: Return"                      1 0 Return
expect_box "OK/Cancel: Return"               1 1 Return
expect_box "OK/Cancel: Escape"               2 1 Escape
expect_box "OK/Cancel: Tab Return"           2 1 Tab Return
expect_box "Yes/No: Return"                  6 4 Return
expect_box "Yes/No: n"                       7 4 n
expect_box "Retry/Cancel: Return"            4 5 Return
expect_box "Retry/Cancel: Escape"            2 5 Escape
expect_box "Abort/Retry/Ignore: Return"      3 2 Return
expect_box "Yes/No/Cancel: Escape"           2 3 Escape
expect_box "Yes/No, button 2 default"        7 260 Return
expect_box "Yes/No/Cancel, button 3 default" 2 515 Return
expect_box "Abort/Retry/Ignore, button 3"    5 514 Return
expect_box "Information Yes/No (68): y"      6 68 y
expect_box "Critical OK/Cancel (17)"         1 17 Return
expect_box "System modal OK (4096)"          1 4096 Return
expect_box "Style given in hex (&H44): n"    7 '&H44' n
expect_box "Style 8192 masks to OK only"     1 8192 Return

check "no style: OK/Cancel" 2 "$(box Zorvane Escape -- "Press")"

buttons_then_answer=$(
  start_box "Which buttons" "" 16388
  wait_window Zorvane >/dev/null
  box_controls Zorvane | awk -F'\t' '$1 == "Button" {print $2}' | paste -sd'|'
  press_and_wait Zorvane Return
)
check "style 16388 masks to Yes/No; Return answers Yes" "&Yes|&No 6" "$(echo $buttons_then_answer)"
