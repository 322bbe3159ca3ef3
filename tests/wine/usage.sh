#!/bin/bash
# The usage screen through a file or a pipe: exact bytes, status 0, and
# no harm from a closed, full or early-closed standard output.
. "$(dirname "$0")/lib.sh"

zorvane() { timeout 60 wine "$ZORVANE_EXE" "$@"; }
check_usage_screen zorvane
check "23 lines each ending CR LF" 23 "$(zorvane /? | grep -c $'\r$')"
zorvane /? | cat >"$WORK/piped"
check "through a pipe" same "$(cmp -s "$WORK/piped" "$WORK/expected" && echo same)"
