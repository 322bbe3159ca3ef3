#!/bin/bash
# The usage screen through a file or a pipe: exact bytes, status 0, and
# no harm from a closed, full or early-closed standard output.
. "$(dirname "$0")/lib.sh"

sed 's/$/\r/' "$(dirname "$0")/../usage.expected" >"$WORK/expected"
zorvane() { timeout 60 wine "$ZORVANE_EXE" "$@"; }

usage_bytes_and_status() {  # prints "same <status>" when the bytes match
  zorvane "$@" >"$WORK/out" 2>"$WORK/err"
  local status=$?
  cmp -s "$WORK/out" "$WORK/expected" && echo "same $status" || echo "differs $status"
}

check "/? to a file"               "same 0" "$(usage_bytes_and_status /?)"
check "-? to a file"               "same 0" "$(usage_bytes_and_status -?)"
check "no arguments"               "same 0" "$(usage_bytes_and_status)"
check "empty text"                 "same 0" "$(usage_bytes_and_status '' Title 64)"
check "spaces only"                "same 0" "$(usage_bytes_and_status '     ')"
check "/? among spaces, more args" "same 0" "$(usage_bytes_and_status '  /?  ' T 16 x y)"
check "usage writes no stderr"     0 "$(zorvane /? 2>&1 >/dev/null | wc -c)"
check "23 lines each ending CR LF" 23 "$(zorvane /? | grep -c $'\r$')"

zorvane /? | cat >"$WORK/piped"
check "through a pipe"             same "$(cmp -s "$WORK/piped" "$WORK/expected" && echo same)"
zorvane /? | true  # the reader is gone before the first write
check "pipe closed early"          0 "${PIPESTATUS[0]}"
zorvane /? >&-
check "stdout closed"              0 "$?"
zorvane /? >/dev/full
check "disk full"                  0 "$?"
