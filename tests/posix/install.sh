#!/bin/bash
# cmake --install puts everything in its usual place, and the installed
# zorvane finds its GTK helper there.
. "$(dirname "$0")/lib.sh"

prefix="$WORK/prefix"
cmake --install "$ZORVANE_BUILD" --prefix "$prefix" >/dev/null
for file in bin/zorvane lib/zorvane/zorvane-gtk lib/zorvane/zorvane-clipboard \
  share/man/man1/zorvane.1.gz share/doc/zorvane/README share/doc/zorvane/LICENSE \
  share/icons/hicolor/16x16/apps/zorvane.png share/icons/hicolor/32x32/apps/zorvane.png \
  share/icons/hicolor/48x48/apps/zorvane.png share/locale/de/LC_MESSAGES/zorvane.mo \
  share/applications/zorvane.desktop; do
  check "installed $file" yes "$([ -s "$prefix/$file" ] && echo yes)"
done
check "no Debian-only files outside a package" "" \
  "$(cd "$prefix" && ls -d share/lintian share/doc/zorvane/copyright share/doc/zorvane/changelog.gz 2>/dev/null)"
check "a desktop entry hidden from menus, with the tool's icon" "Icon=zorvane NoDisplay=true" \
  "$(grep -E '^(NoDisplay|Icon)=' "$prefix/share/applications/zorvane.desktop" | sort | paste -sd' ')"
check "man page has its exit codes" 1 "$(zcat "$prefix/share/man/man1/zorvane.1.gz" | grep -c '^.SH EXIT STATUS')"

start_display
ZORVANE_BIN="$prefix/bin/zorvane"
: >"$prefix/bin/locale"  # beside it in /usr/bin: the C library's locale program
check "installed zorvane shows the GTK dialog" 6 "$(box Installed Return -- text Installed 4)"
check "and finds its German labels" 6 "$(LC_ALL=de_DE.UTF-8 box Installed j -- text Installed 4)"
