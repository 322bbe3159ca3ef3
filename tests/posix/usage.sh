#!/bin/bash
# The native usage screen: the same bytes as on Windows, CR LF included;
# status 0 whatever happens to standard output; no GUI library loaded.
. "$(dirname "$0")/lib.sh"

zorvane() { timeout 10 "$ZORVANE_BIN" "$@"; }
check_usage_screen zorvane
check "usage loads no GUI library" 0 \
  "$(LD_DEBUG=libs "$ZORVANE_BIN" /? 2>&1 >/dev/null | grep -ciE 'gtk|gdk|X11')"
