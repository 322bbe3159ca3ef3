#!/bin/bash
# The usage screen through a file or a pipe: exact bytes, status 0, and
# no harm from a closed, full or early-closed standard output.
. "$(dirname "$0")/lib.sh"

zorvane() { timeout 60 "$WINE" "$ZORVANE_EXE" "$@"; }
check_usage_screen zorvane
check "23 lines each ending CR LF" 23 "$(zorvane '/?' | grep -c $'\r$')"
zorvane '/?' | cat >"$WORK/piped"
check "through a pipe" same "$(cmp -s "$WORK/piped" "$WORK/expected" && echo same)"

# "/?" and "-?" are wildcards to the runtime: "/?" matches one-character
# names in the drive's root, "-?" a name such as "-x" in the current folder.
# Neither may turn the usage switch into a box.
mkdir -p "$WORK/drive/folder"
touch "$WORK/drive/h" "$WORK/drive/w" "$WORK/drive/folder/-x"
drive_link="$WINEPREFIX/dosdevices/q:"
ln -sfn "$WORK/drive" "$drive_link"
CLEANUPS+=("rm -f '$drive_link'")
cd "$WORK/drive/folder" || exit 1
check "current drive maps the test's root" 'Q:\folder' "$("$WINE" cmd /c cd 2>/dev/null | tr -d '\r')"
for switch in '/?' '-?'; do
  zorvane "$switch" >"$WORK/out" 2>/dev/null
  status=$?
  check "$switch beside matching names: usage, 0" "same 0" \
    "$(cmp -s "$WORK/out" "$WORK/expected" && echo same) $status"
done
cd - >/dev/null || exit 1
