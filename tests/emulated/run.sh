#!/bin/sh
# Runs COMMAND where arm64 programs start as this machine's own do, their
# children included: the kernel hands them to qemu-user, which takes their
# libraries from the arm64 root (QEMU_LD_PREFIX). The registration is made
# in a binfmt_misc of a user namespace of its own, which ends with COMMAND;
# where the kernel gives a namespace none (before Linux 6.7, or in a
# chroot), in the machine's, for as long as COMMAND runs.
#
#   tests/emulated/run.sh ROOT COMMAND...
set -eu
root=$1
shift
qemu=$(command -v qemu-aarch64 || command -v qemu-aarch64-static) ||
  { echo "no qemu-aarch64: Debian's qemu-user has it" >&2; exit 1; }
binfmt=/proc/sys/fs/binfmt_misc
# qemu's own magic and mask for aarch64 ELF executables; F opens qemu now,
# so the registration holds wherever the program runs.
register() {
  printf ':zorvane-aarch64:M::%s:%s:%s:F' \
    '\x7fELF\x02\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\xb7\x00' \
    '\xff\xff\xff\xff\xff\xff\xff\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff' \
    "$qemu" >"$binfmt/register"
}
export QEMU_LD_PREFIX="$root"

if [ "${ZORVANE_IN_NAMESPACE:-}" = 1 ]; then
  unset ZORVANE_IN_NAMESPACE
  mount -t binfmt_misc binfmt_misc "$binfmt"
  register
  exec "$@"
fi
if unshare --user --map-root-user --mount sh -c "mount -t binfmt_misc binfmt_misc $binfmt" 2>/dev/null; then
  exec env ZORVANE_IN_NAMESPACE=1 unshare --user --map-root-user --mount "$0" "$root" "$@"
fi

mounted=""
if [ ! -e "$binfmt/register" ]; then
  mount -t binfmt_misc binfmt_misc "$binfmt"
  mounted=yes
fi
[ -e "$binfmt/zorvane-aarch64" ] && echo -1 >"$binfmt/zorvane-aarch64"
register
status=0
"$@" || status=$?
echo -1 >"$binfmt/zorvane-aarch64"
[ -n "$mounted" ] && umount "$binfmt"
exit "$status"
