#!/bin/bash
# The release artefacts: two builds of this commit in different build
# trees give the same bytes, and the .deb installs with apt-get on a
# fresh Debian made by debootstrap, with zorvane on PATH.
#
#   tests/release/check.sh WORKDIR
. "$(dirname "$0")/../e2e_lib.sh"
cd "$(dirname "$0")/../.."
base=$(mkdir -p "$1" && cd "$1" && pwd)

scripts/release "$base/first" "$base/build-first" >/dev/null
scripts/release "$base/second" "$base/build-second" >/dev/null
check "two builds, same bytes" same \
  "$(cmp -s "$base/first/SHA256SUMS" "$base/second/SHA256SUMS" && echo same)"
cat "$base/first/SHA256SUMS"
unzip -o -q "$base/first/zorvane-"*-win32.zip -d "$base/zip"
check "the zip speaks Windows" "LICENSE.txt README.txt zorvane.exe CRLF" \
  "$(ls "$base/zip" | paste -sd' ') $(head -1 "$base/zip/README.txt" | od -An -c | grep -q '\\r  \\n' && echo CRLF)"
lintian_out=$(lintian "$base/first/"zorvane_*_amd64.deb 2>&1 | grep -v '^running with root')
echo "$lintian_out"
check "lintian: no error, no warning" 0 "$(echo "$lintian_out" | grep -c '^[EW]:')"
ls -l "$base/first"

if [ "$(id -u)" -ne 0 ] || ! command -v debootstrap >/dev/null; then
  echo "skipped the install check: it needs root and debootstrap"
  exit
fi
root="$base/chroot"
rm -rf "$root"
timeout 900 debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian \
  >"$base/debootstrap.log" 2>&1
check "debootstrap made a fresh system" 0 "$?"
cp "$base/first/"zorvane_*_amd64.deb "$root/tmp/"
timeout 900 chroot "$root" sh -c 'apt-get update -qq && 
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/zorvane_*_amd64.deb' \
  >"$base/install.log" 2>&1
check "apt-get install ./zorvane_*.deb" 0 "$?"
sed 's/$/\r/' tests/usage.expected >"$WORK/expected"
chroot "$root" sh -c 'cd / && zorvane -?' >"$WORK/usage"
check "zorvane -? from PATH" "0 same" "$? $(cmp -s "$WORK/usage" "$WORK/expected" && echo same)"
check "GTK helper in place" yes "$([ -x "$root/usr/lib/zorvane/zorvane-gtk" ] && echo yes)"
rm -rf "$root"
