#!/bin/bash
# Which way the Windows tests run. "native": the shipped 32-bit zorvane.exe
# under 32-bit Wine. "twin": the same sources built for x86-64, under
# wine64, for a kernel that runs no 32-bit program (32-bit emulation off).
# ZORVANE_WINDOWS_ROUTE=native or twin forces one, so that the twin is
# tested on machines that could run the native route too.
#
# Wine runs in the Wine root (scripts/roots wine), never from this
# machine's packages: ZORVANE_WINE_ROOT, else the root in the cache.
#
# Sourced, it sets WINE (Wine in the root, for the route's loader),
# WINEARCH, WINEPREFIX, the executables for the route and a wineserver
# function; run, it prints the route line that scripts/check shows.
ZORVANE_SOURCE=${ZORVANE_SOURCE:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
ZORVANE_BUILD=${ZORVANE_BUILD:-$ZORVANE_SOURCE/build}
ZORVANE_WINE_ROOT=${ZORVANE_WINE_ROOT:-$("$ZORVANE_SOURCE/scripts/roots" --path wine)} || exit 1
IN_ROOT="$ZORVANE_SOURCE/tests/wine/in_root.sh"
export ZORVANE_SOURCE ZORVANE_BUILD ZORVANE_WINE_ROOT

# 32-bit Wine's own loader is a 32-bit program: it starts only where the
# kernel runs them. 64-bit Wine's starts wherever the root can be entered.
windows_route() {
  local error
  if ! error=$("$IN_ROOT" /usr/lib/wine/wine64 --version 2>&1 >/dev/null); then
    echo "Wine's root cannot be entered: $error" >&2
    return 1
  fi
  case ${ZORVANE_WINDOWS_ROUTE:-} in
    native | twin) echo "$ZORVANE_WINDOWS_ROUTE" ;;
    "") if "$IN_ROOT" /usr/lib/wine/wine --version >/dev/null 2>&1; then echo native; else echo twin; fi ;;
    *) echo "ZORVANE_WINDOWS_ROUTE is native or twin, not $ZORVANE_WINDOWS_ROUTE" >&2; return 1 ;;
  esac
}

route_line() {
  case $1 in
    native) echo "Windows end-to-end: native, the shipped 32-bit zorvane.exe under 32-bit Wine" ;;
    twin) echo "Windows end-to-end: twin, the same sources built for x86-64 under wine64${ZORVANE_WINDOWS_ROUTE:+ (forced)}" ;;
  esac
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  route=$(windows_route) || exit 1
  route_line "$route"
  exit 0
fi

ZORVANE_ROUTE=$(windows_route) || exit 1
# Debian's wine wrapper picks 32-bit Wine wherever it is installed, so the
# route names its loader; Wine starts its own programs with it too.
WINE="$ZORVANE_SOURCE/tests/wine/wine.sh"
if [ "$ZORVANE_ROUTE" = native ]; then
  WINELOADER=/usr/lib/wine/wine WINEARCH=win32
else
  WINELOADER=/usr/lib/wine/wine64 WINEARCH=win64
  ZORVANE_PREFIX=$ZORVANE_PREFIX-twin
  for exe in ZORVANE_EXE BOXDUMP_EXE CONSOLE_MODES_EXE; do
    printf -v "$exe" '%s' "$ZORVANE_TWIN_DIR/$(basename "${!exe}")"
  done
fi
export WINE WINELOADER WINEARCH WINEPREFIX="$ZORVANE_PREFIX" ZORVANE_EXE BOXDUMP_EXE CONSOLE_MODES_EXE
wineserver() { "$IN_ROOT" wineserver "$@"; }
