# Shared by the end-to-end tests of the native zorvane.
# Environment (set by CTest): ZORVANE_BIN, CLOSE_WINDOW_BIN.
. "$(dirname "${BASH_SOURCE[0]}")/../e2e_lib.sh"

# Starts zorvane in the background, bounded; output to $WORK/stdout, $WORK/stderr.
start_box() {
  timeout 60 "$ZORVANE_BIN" "$@" >"$WORK/stdout" 2>"$WORK/stderr" </dev/null &
  BOX_PID=$!
}

# still_open TITLE: "open" if the dialog is still there half a second on.
still_open() {
  sleep 0.5
  kill -0 "$BOX_PID" 2>/dev/null && [ -n "$(wait_window "$1")" ] && echo open || echo closed
}
