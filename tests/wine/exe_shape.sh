#!/bin/bash
# The shape of zorvane.exe: a 32-bit console PE with ASLR and NX, starting
# at its own entry point (no TLS, no constructors, none of the start-up
# code's imports), importing only KERNEL32, USER32 and msvcrt, carrying
# icon group 500 (three 8-bit images, German) and a neutral manifest, and
# no version resource.
. "$(dirname "$0")/../e2e_lib.sh"
exe=$ZORVANE_EXE

headers=$(i686-w64-mingw32-objdump -p "$exe")
check "PE32, i386" "pei-i386 010b" \
  "$(echo "$headers" | awk '/file format/ {f=$NF} /^Magic/ {m=$2} END {print f, m}')"
check "console subsystem" "00000003" "$(echo "$headers" | awk '/^Subsystem/ {print $2}')"
check "console subsystem 4.0" "4.0" \
  "$(echo "$headers" | awk '/^MajorSubsystemVersion/ {a=$2} /^MinorSubsystemVersion/ {b=$2} END {print a "." b}')"
check "ASLR and NX" "00000140" "$(echo "$headers" | awk '/^DllCharacteristics/ {print $2}')"
check "timestamp 0" "Thu Jan 1 00:00:00 1970" "$(echo "$headers" | awk '/^Time\/Date/ {$1 = ""; print substr($0, 2)}')"
check "no TLS directory" "00000000 00000000" \
  "$(echo "$headers" | awk '/Thread Storage Directory/ {print $3, $4}')"
check "at most 16 KiB" yes "$([ "$(stat -c %s "$exe")" -le 16384 ] && echo yes)"
symbols=$(echo "$headers" | awk '/DLL Name:/ {dll=1} dll && /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ {print $3}')
for name in __getmainargs exit strtoul MessageBoxA WriteFile; do
  check "imports $name" 1 "$(echo "$symbols" | grep -cx "$name")"
done
for name in fprintf signal abort VirtualProtect Sleep __set_app_type _initterm; do
  check "does not import $name" 0 "$(echo "$symbols" | grep -cx "$name")"
done
# The linker's map: nothing between the constructor table's two ends.
map=$(dirname "$exe")/zorvane.map
check "no static constructors" "" \
  "$(awk '/^ +0x[0-9a-f]+ +__CTOR_LIST__ = \./ {on=1; next} /__DTOR_LIST__ = \./ {on=0} on && /^ \.ctors|^ \.ctor / && NF > 2 {print}' "$map")"
check "imports" "KERNEL32.dll msvcrt.dll USER32.dll" \
  "$(echo "$headers" | awk '/DLL Name:/ {print $3}' | sort -f | paste -sd' ')"

resources=$(wrestool -l "$exe")
check "icon group 500, German" 1 "$(echo "$resources" | grep -c -- '--type=14 --name=500 --language=1031 ')"
check "three German icon images" 3 "$(echo "$resources" | grep -c -- '--type=3 .*--language=1031 ')"
check "one neutral manifest" 1 "$(echo "$resources" | grep -c -- '--type=24 --name=1 --language=0 ')"
check "no version resource" 0 "$(echo "$resources" | grep -c -- '--type=16 ')"
check "nothing else" 5 "$(echo "$resources" | wc -l)"

wrestool -x --type=14 --name=500 "$exe" >"$WORK/group.ico"
check "images 48, 32, 16 at 8 bits" \
  "48x48x8 32x32x8 16x16x8" \
  "$(icotool -l "$WORK/group.ico" | sed -E 's/.*--width=([0-9]+) --height=([0-9]+) --bit-depth=([0-9]+).*/\1x\2x\3/' | paste -sd' ')"

manifest=$(wrestool -x --raw --type=24 --name=1 "$exe")
for needle in 'level="asInvoker"' 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
  '>true/pm</dpiAware>' '>PerMonitorV2</dpiAwareness>' '{e2011457-1546-43c5-a5fe-008deee3d3f0}' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
  check "manifest has $needle" 1 "$(echo "$manifest" | tr -s ' \n' ' ' | grep -c -F "$needle")"
done
