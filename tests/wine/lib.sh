# Shared by the end-to-end tests of zorvane.exe under Wine, which use the
# prefix made by make_prefix.sh.
#
# Environment (set by CTest): ZORVANE_EXE, BOXDUMP_EXE, ZORVANE_PREFIX,
# ZORVANE_TWIN_DIR; route.sh picks the route and its Wine.
. "$(dirname "${BASH_SOURCE[0]}")/../e2e_lib.sh"
. "$(dirname "${BASH_SOURCE[0]}")/route.sh"
# Wine turns the Unix arguments into Windows ones by the locale; in the C
# locale it drops every byte above 0x7F.
export LC_ALL=C.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
CLEANUPS+=("wineserver -k 2>/dev/null")

# Starts zorvane.exe in the background; its output goes to $WORK/stdout and $WORK/stderr.
start_box() {
  timeout 60 "$WINE" "$ZORVANE_EXE" "$@" >"$WORK/stdout" 2>"$WORK/stderr" &
  BOX_PID=$!
}

# Controls of the open box, one "class<TAB>text" line each, from boxdump.exe.
box_controls() {
  timeout 20 "$WINE" "$BOXDUMP_EXE" "$1" 2>/dev/null
}
