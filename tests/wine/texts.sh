#!/bin/bash
# What the box shows: title, text, escapes and cuts, read back from the
# running box; and that the box path writes nothing to stdout or stderr.
. "$(dirname "$0")/lib.sh"
start_display

# shown TITLE -- ARGUMENTS...: the box's message text as boxdump reads it.
shown() {
  local title=$1
  shift 2
  start_box "$@"
  wait_window "$title" >/dev/null
  box_controls "$title" | awk -F'\t' '$1 == "Static" && $2 != "" {print $2}'
  press_and_wait "$title" Return >/dev/null
}

check "escape becomes CR LF" 'Line 1\r\nLine 2' "$(shown T1 -- 'Line 1\nLine 2' T1 0)"
check "double backslash stays" 'a\\\\nb' "$(shown T2 -- 'a\\nb' T2 0)"
check "text trimmed, inner spaces kept" 'a  b' "$(shown T3 -- '   a  b   ' T3 0)"
long=$(printf 'x%.0s' $(seq 300))
check "text cut to 250 bytes" "${long:0:250}" "$(shown T4 -- "   $long" T4 0)"
check "cut escape keeps its backslash" "${long:0:249}\\\\" "$(shown T5 -- "${long:0:249}\\n" T5 0)"
check "format text shown as typed" '%s%n%x' "$(shown T6 -- '%s%n%x' T6 0)"
huge=$(head -c 30000 /dev/zero | tr '\0' 'y')
check "30000-byte argument cut to 250" 250 "$(shown T7 -- "$huge" T7 0 | tr -d '\n' | wc -c)"

check "title given" 1 "$(box 'My title' Return -- text 'My title' 0)"
check "title blank: default" 1 "$(box Zorvane Return -- text '   ' 0)"
check "title absent: default" 2 "$(box Zorvane Escape -- text)"
check "title keeps its escape" 1 "$(box 'x\ny' Return -- text 'x\ny' 0)"
check "title cut to 250 bytes" 1 "$(box "${long:0:250}" Return -- text "$long" 0)"
check "fourth argument ignored" 1 "$(box Four Return -- text Four 0 16 extra)"
check "tabs and control bytes" 1 "$(box Ctl Return -- $'\t\x01\x1f\x7f' Ctl 0)"
check "bytes 0x80-0xFF" 1 "$(box High Return -- $'high \x80\xa9\xff' High 0)"
check "style &H alone is OK only" 1 "$(box Amp Return -- text Amp '&H')"
check "32000-byte arguments" 2 "$(box Zorvane Escape -- "$(head -c 32000 /dev/zero | tr '\0' z)" '' 1)"

box Quiet Return -- 'nothing on stdout' Quiet 0 >/dev/null
check "box path writes no stdout" 0 "$(wc -c <"$WORK/stdout")"
check "box path writes no stderr" 0 "$(wc -c <"$WORK/stderr")"
