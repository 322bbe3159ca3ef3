#!/bin/bash
# The native usage screen: the same bytes as on Windows, CR LF included;
# status 0 whatever happens to standard output; no GUI library loaded.
. "$(dirname "$0")/lib.sh"

sed 's/$/\r/' "$(dirname "$0")/../usage.expected" >"$WORK/expected"
zorvane() { timeout 10 "$ZORVANE_BIN" "$@"; }

usage_bytes_and_status() {
  zorvane "$@" >"$WORK/out" 2>"$WORK/err"
  local status=$?
  cmp -s "$WORK/out" "$WORK/expected" && echo "same $status" || echo "differs $status"
}

check "/?"                    "same 0" "$(usage_bytes_and_status /?)"
check "-?"                    "same 0" "$(usage_bytes_and_status -?)"
check "no arguments"          "same 0" "$(usage_bytes_and_status)"
check "empty text with more"  "same 0" "$(usage_bytes_and_status '' Title 64)"
check "spaces only"           "same 0" "$(usage_bytes_and_status '    ')"
check "/? among spaces"       "same 0" "$(usage_bytes_and_status '  /?  ' T 16 x y)"
check "no stderr"             0 "$(zorvane /? 2>&1 >/dev/null | wc -c)"

zorvane /? | true  # the reader is gone before the first write
check "pipe closed early"     0 "${PIPESTATUS[0]}"
zorvane /? >&-
check "stdout closed"         0 "$?"
zorvane /? >/dev/full
check "disk full"             0 "$?"
check "usage loads no GUI library" 0 \
  "$(LD_DEBUG=libs "$ZORVANE_BIN" /? 2>&1 >/dev/null | grep -ciE 'gtk|gdk|X11')"
