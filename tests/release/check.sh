#!/bin/bash
# The release artefacts: two builds of this commit in different build
# trees give the same bytes, both .deb packages are lintian-clean, and each
# installs with apt-get on a fresh Debian of its architecture made by
# debootstrap, with zorvane on PATH.
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
check "the zip's README is for Windows users" "yes 0" \
  "$(grep -q 'IF ERRORLEVEL' "$base/zip/README.txt" && echo yes) $(grep -c 'cmake\|Debian\|qemu' "$base/zip/README.txt")"
for arch in amd64 arm64; do
  lintian_out=$(lintian "$base/first/"zorvane_*_"$arch".deb 2>&1 | grep -v '^running with root')
  echo "$lintian_out"
  check "lintian on the $arch package: no error, no warning" 0 "$(echo "$lintian_out" | grep -c '^[EW]:')"
done
ls -l "$base/first"

# Every shipped ELF with Debian's hardening, as hardening-check reads it.
# Debian 12's flags have no control-flow protection; fortified calls are
# only made where a buffer's size is known and a length is not, which none
# of these programs has, so the check cannot see that flag.
for arch in amd64 arm64; do
  dpkg-deb -x "$base/first/"zorvane_*_"$arch".deb "$base/unpacked-$arch"
  for program in usr/bin/zorvane usr/lib/zorvane/zorvane-gtk usr/lib/zorvane/zorvane-clipboard; do
    hardening-check --nocfprotection --nofortify "$base/unpacked-$arch/$program" >"$WORK/hardening"
    status=$?
    check "hardening-check: $arch $program" 0 "$status$(grep ': no' "$WORK/hardening" | grep -v '(ignored)')"
  done
  check "$arch: the README in the package's doc folder" yes \
    "$(cmp -s README.md "$base/unpacked-$arch/usr/share/doc/zorvane/README.md" && echo yes)"
  catalogues=$(find "$base/unpacked-$arch/usr/share/locale" -name zorvane.mo)
  check "$arch: every catalogue, each with all 15 messages" "$(wc -w <po/LINGUAS) 0" \
    "$(echo "$catalogues" | wc -l) $(for mo in $catalogues; do
      msgunfmt "$mo" | grep -c '^msgstr "..*"'; done | grep -vcx 15)"
  check "$arch: the man page names the installed files" 2 \
    "$(zcat "$base/unpacked-$arch/usr/share/man/man1/zorvane.1.gz" | grep -c '^\.I /usr/lib/zorvane/')"
done

if [ "$(id -u)" -ne 0 ] || ! command -v debootstrap >/dev/null; then
  echo "skipped the install check: it needs root and debootstrap"
  exit
fi

# The machine's own Debian mirror, from its apt sources (deb822 or one-line).
mirror() {
  { sed -n 's/^URIs:[[:space:]]*\([^[:space:]]*\).*/\1/p' /etc/apt/sources.list.d/*.sources
    sed -n 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?\([^[:space:]]*\).*/\2/p' \
      /etc/apt/sources.list /etc/apt/sources.list.d/*.list; } 2>/dev/null | grep -v security | head -n 1
}
MIRROR=$(mirror)
check "a Debian mirror in the apt sources" yes "$([ -n "$MIRROR" ] && echo yes)"

# install_check ARCH: a fresh Debian of ARCH (arm64 runs under qemu-user
# through binfmt_misc), the package installed with apt-get, zorvane on PATH.
install_check() {
  local arch=$1 root="$base/chroot-$1"
  rm -rf "$root"
  timeout 1500 debootstrap --arch="$arch" --variant=minbase bookworm "$root" "$MIRROR" \
    >"$base/debootstrap-$arch.log" 2>&1 || { echo "debootstrap failed"; return; }
  cp "$base/first/"zorvane_*_"$arch".deb "$root/tmp/"
  timeout 900 chroot "$root" sh -c 'apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/zorvane_*.deb' \
    >"$base/install-$arch.log" 2>&1 || { echo "apt-get failed"; return; }
  chroot "$root" sh -c 'cd / && zorvane -?' >"$WORK/usage-$arch" || return
  [ -x "$root/usr/lib/zorvane/zorvane-gtk" ] || { echo "no helper"; return; }
  echo "$(file -b "$root/usr/bin/zorvane" | cut -d, -f2 | tr -d ' ') installed"
}
sed 's/$/\r/' tests/usage.expected >"$WORK/expected"
# Both at once: the emulated one takes longest.
install_check arm64 >"$WORK/arm64.result" 2>&1 &
arm64_check=$!
check "amd64: apt-get install, zorvane -? from PATH, the helper" "x86-64 installed same" \
  "$(install_check amd64) $(cmp -s "$WORK/usage-amd64" "$WORK/expected" && echo same)"
wait "$arm64_check"
check "arm64: apt-get install, zorvane -? from PATH, the helper" "ARMaarch64 installed same" \
  "$(cat "$WORK/arm64.result") $(cmp -s "$WORK/usage-arm64" "$WORK/expected" && echo same)"
rm -rf "$base/chroot-amd64" "$base/chroot-arm64"
