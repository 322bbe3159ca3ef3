#!/bin/bash
# The release artefacts: two builds of this commit in different build
# trees give the same bytes, both .deb packages are lintian-clean, and each
# installs with its dependencies into a fresh Debian of its architecture,
# made by mmdebstrap from bookworm's main suite, with zorvane on PATH.
# A missing artefact fails every check that reads it.
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
  deb=$(ls "$base/first/"zorvane_*_"$arch".deb 2>/dev/null)
  lintian_out=$(lintian "${deb:-no-$arch-package}" 2>&1 | grep -v '^running with root')
  echo "$lintian_out"
  check "lintian on the $arch package: no error, no warning" "package 0" \
    "$([ -f "$deb" ] && echo package) $(echo "$lintian_out" | grep -c '^[EW]:')"
done
ls -l "$base/first"

# Every shipped ELF with Debian's hardening, as hardening-check reads it.
# Debian 12's flags have no control-flow protection; fortified calls are
# only made where a buffer's size is known and a length is not, which none
# of these programs has, so the check cannot see that flag.
for arch in amd64 arm64; do
  rm -rf "$base/unpacked-$arch"
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

MIRROR=$(scripts/roots --mirror)
# The packages as a repository of their own beside the mirror, so that apt
# resolves what they depend on as it does for a user.
mkdir -p "$base/repository"
cp "$base/first/"*.deb "$base/repository/"
(cd "$base/repository" && dpkg-scanpackages --multiversion . >Packages 2>/dev/null)

# install_check ARCH: a fresh Debian of ARCH with the package and what it
# depends on; prints the machine zorvane was built for and "installed".
# amd64 is installed by apt and dpkg as on any system, and zorvane run from
# PATH in it; arm64 is unpacked only (its maintainer scripts would need
# qemu-user inside the root), and its /usr/bin/zorvane run under qemu-user
# with the root's libraries.
install_check() {
  local arch=$1 root="$base/root-$1" variant=apt
  [ "$arch" = arm64 ] && variant=extract
  rm -rf "$root"
  timeout 900 mmdebstrap --quiet --variant="$variant" --architectures="$arch" --include=zorvane \
    bookworm "$root" "deb $MIRROR bookworm main" "deb [trusted=yes] copy://$base/repository ./" \
    >"$base/install-$arch.log" 2>&1 || { echo "mmdebstrap failed"; return; }
  [ -x "$root/usr/lib/zorvane/zorvane-gtk" ] || { echo "no helper"; return; }
  if [ "$arch" = arm64 ]; then
    tests/emulated/run.sh "$root" "$root/usr/bin/zorvane" -? >"$WORK/usage-$arch" || return
  else
    chroot "$root" sh -c 'cd / && zorvane -?' >"$WORK/usage-$arch" || return
  fi
  echo "$(file -b "$root/usr/bin/zorvane" | cut -d, -f2 | tr -d ' ') installed"
}
sed 's/$/\r/' tests/usage.expected >"$WORK/expected"
for arch in amd64 arm64; do
  machine=x86-64
  [ "$arch" = arm64 ] && machine=ARMaarch64
  check "$arch: installed with its dependencies, zorvane -? runs, the helper" \
    "$machine installed same" \
    "$(install_check "$arch") $(cmp -s "$WORK/usage-$arch" "$WORK/expected" && echo same)"
done
rm -rf "$base/root-amd64" "$base/root-arm64"
