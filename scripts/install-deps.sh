#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when run as
# root and something is missing. Idempotent: does nothing when all are there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3 python3-cram
  libgtest-dev libgmock-dev googletest libbenchmark-dev libcli11-dev nlohmann-json3-dev libdtl-dev
  help2man
  clang libclang-rt-14-dev
  qt6-base-dev xvfb xauth x11-apps imagemagick fonts-wqy-microhei
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
  wine wine64 libwine-dev wine32:i386 qemu-user-static
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages: ${missing[*]}" >&2
  echo "run as root (or: sudo apt-get install ${missing[*]})" >&2
  exit 1
fi
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# wine32 (the x86 Windows suites) comes from the i386 architecture.
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -qq
apt-get install -y -qq "${missing[@]}" >/dev/null
