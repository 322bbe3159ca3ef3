#!/bin/bash
# Makes the Wine prefix the end-to-end tests share, once per build tree.
# Managed=N lets a process end as soon as its box closes: without a window
# manager Wine otherwise waits about two seconds.
set -eu
. "$(dirname "$0")/route.sh"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.zorvane-ready" ]; then
  rm -rf "$WINEPREFIX"
  timeout 300 "$WINE" wineboot -i >/dev/null 2>&1
  timeout 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  timeout 60 "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1
  timeout 60 "$IN_ROOT" wineserver -w
  touch "$WINEPREFIX/.zorvane-ready"
fi
route_line "$ZORVANE_ROUTE"
echo "prefix ready: $WINEPREFIX"
