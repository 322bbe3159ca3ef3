#!/bin/sh
# Wine for the tests: the route's loader (WINELOADER, set by route.sh),
# run in the Wine root.
exec "$(dirname "$0")/in_root.sh" "$WINELOADER" "$@"
