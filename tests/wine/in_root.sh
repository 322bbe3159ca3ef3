#!/bin/sh
# Runs a program of the Wine root (scripts/roots wine) as if it were this
# machine's own: /tmp (the tests' files, the X socket, wineserver's socket),
# the checkout, the build tree and the devices are the machine's, seen at
# the same paths. The program's status is this script's.
#
#   tests/wine/in_root.sh PROGRAM ARGUMENTS...
# Environment: ZORVANE_WINE_ROOT, ZORVANE_SOURCE, ZORVANE_BUILD.
set -eu
# Stands in for a kernel that runs no 32-bit program: 32-bit Wine's loader
# then fails to start, as it would there.
no_32bit=""
[ "${ZORVANE_NO_32BIT:-}" = 1 ] && no_32bit="--ro-bind /dev/null /lib/ld-linux.so.2"
# shellcheck disable=SC2086  # no_32bit is a list of options or nothing
exec bwrap --bind "$ZORVANE_WINE_ROOT" / --dev-bind /dev /dev --proc /proc --bind /tmp /tmp \
  --bind "$ZORVANE_SOURCE" "$ZORVANE_SOURCE" --bind "$ZORVANE_BUILD" "$ZORVANE_BUILD" \
  $no_32bit --die-with-parent -- "$@"
