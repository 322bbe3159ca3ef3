# Shared by the end-to-end tests of zorvane.exe under Wine, which use the
# prefix made by make_prefix.sh.
#
# Environment (set by CTest): ZORVANE_EXE, BOXDUMP_EXE, ZORVANE_PREFIX.
. "$(dirname "${BASH_SOURCE[0]}")/../e2e_lib.sh"

export WINEPREFIX="$ZORVANE_PREFIX"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
CLEANUPS+=("wineserver -k 2>/dev/null")

# Starts zorvane.exe in the background; its output goes to $WORK/stdout and $WORK/stderr.
start_box() {
  timeout 60 wine "$ZORVANE_EXE" "$@" >"$WORK/stdout" 2>"$WORK/stderr" &
  BOX_PID=$!
}

# Presses the keys in the box of this title; prints the exit status, or
# "no window" / "timeout".
press_and_wait() {
  if ! press_keys "$@"; then
    kill "$BOX_PID" 2>/dev/null
    wait "$BOX_PID" 2>/dev/null
    echo "no window"
    return
  fi
  wait_status "$BOX_PID"
  echo "$STATUS"
}

# box TITLE KEYS -- ARGUMENTS...: shows a box, presses the keys, prints the status.
box() {
  local title=$1 keys=()
  shift
  while [ "$1" != "--" ]; do keys+=("$1"); shift; done
  shift
  start_box "$@"
  press_and_wait "$title" "${keys[@]}"
}

# Controls of the open box, one "class<TAB>text" line each, from boxdump.exe.
box_controls() {
  timeout 20 wine "$BOXDUMP_EXE" "$1" 2>/dev/null
}
