#!/usr/bin/env bash
# Makes sure this machine can run 32-bit x86 Linux programs, which Debian's
# wine32 (the x86 Windows suites) is made of. Where the kernel runs them
# natively nothing is done; otherwise, as root, qemu-user-static's i386
# emulator is registered with binfmt_misc (once per boot). Idempotent.
# Callers export QEMU_RESERVED_VA=0xffff0000: without it the emulated Wine
# cannot map its shared user data (natively the variable is ignored).
set -euo pipefail
probe=/usr/lib/wine/wine  # wine32's loader, a 32-bit ELF program
[ -x "$probe" ] || { echo "wine32 is not installed ($probe missing)" >&2; exit 1; }
runs() { QEMU_RESERVED_VA=0xffff0000 "$probe" --version >/dev/null 2>&1; }
runs && exit 0

binfmt=/proc/sys/fs/binfmt_misc
emulator=/usr/bin/qemu-i386-static
[ -x "$emulator" ] || { echo "32-bit programs do not run here and $emulator is missing" >&2; exit 1; }
if [ "$(id -u)" -ne 0 ]; then
  echo "32-bit programs do not run here; run $0 as root to register $emulator" >&2
  exit 1
fi
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
if [ ! -e "$binfmt/qemu-i386" ]; then
  # i386 ELF executables (ELF class 32, little endian, machine 3); F: the
  # emulator is opened now, so it also serves other mount namespaces.
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
    >"$binfmt/register"
fi
runs || { echo "32-bit programs still do not run after registering $emulator" >&2; exit 1; }
