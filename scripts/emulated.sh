#!/usr/bin/env bash
# Runs a command with the 32-bit Wine under user-mode emulation, for a kernel that runs no 32-bit
# program itself: qemu-i386 is registered for i386 programs in a private user and mount namespace,
# so the machine's own registrations stay as they are, and everything the command starts (the
# Wine server included) runs inside that one namespace.
#   scripts/emulated.sh COMMAND [ARG...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
qemu=$(command -v qemu-i386-static || true)
[ -n "$qemu" ] || { echo "emulated: qemu-i386-static is missing (package qemu-user-static)" >&2; exit 1; }
# The i386 ELF executable header, and which of its bits count (as Debian's qemu-user-binfmt has them).
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
export VEXAL_WINE_BITS=32 VEXAL_WINE_EMULATED=1
export VEXAL_WINE_WHY="the 32-bit Wine under user-mode emulation (qemu-i386)"
exec unshare --user --map-root-user --mount bash -c '
  set -e
  mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  echo ":vexal-i386:M::$1:$2:$3:FPC" > /proc/sys/fs/binfmt_misc/register
  shift 3
  exec "$@"' emulated "$magic" "$mask" "$qemu" "$@"
