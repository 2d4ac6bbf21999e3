#!/usr/bin/env bash
# Runs the Windows suites under Wine in one fresh WoW64 prefix, for each build
# given: ARCH:DIR with ARCH x64 (64-bit Wine) or x86 (32-bit Wine); a bare DIR
# is x64. Each suite is a script tests/windows/suites/*.sh, called with the
# build folder and with VANTREL_ARCH (x64 or x86) and VANTREL_WINE (the Wine
# loader of that architecture) set; it exits 0 on success. The closing line
# counts the suites of every architecture.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
[ $# -gt 0 ] || { echo "usage: test-windows.sh [x64:]DIR [x86:DIR]" >&2; exit 2; }
# Debian's wine64 keeps its loader and server in /usr/lib/wine.
command -v wine64 >/dev/null || export PATH="/usr/lib/wine:$PATH"
command -v wine64 >/dev/null || { echo "wine64 is missing" >&2; exit 1; }

builds=()
for arg in "$@"; do
  case $arg in
    x64:* | x86:*) builds+=("$arg") ;;
    *) builds+=("x64:$arg") ;;
  esac
done
if printf '%s\n' "${builds[@]}" | grep -q '^x86:'; then
  "$top/scripts/enable-x86.sh" || exit 1
fi
# Under qemu-user the 32-bit Wine needs a reserved guest address space that
# holds its shared user data (0x7ffe0000) and the stack above it; the smaller
# it is, the faster Wine's start-up reservation runs (measured: about 5 s of
# CPU per process at 0x82000000, 65 s at 0xffff0000). Natively it is ignored.
export QEMU_RESERVED_VA=0x82000000

export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/vantrel-wine.XXXXXX)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k >/dev/null 2>&1; rm -rf "$WINEPREFIX"' EXIT
# With wine32 installed this also sets up the 32-bit side (syswow64).
wine64 wineboot -i >/dev/null 2>&1 || { echo "wineboot failed" >&2; exit 1; }
wineserver -w

passed=0 failed=0
for build in "${builds[@]}"; do
  export VANTREL_ARCH=${build%%:*}
  dir=${build#*:}
  if [ "$VANTREL_ARCH" = x86 ]; then VANTREL_WINE=/usr/lib/wine/wine; else VANTREL_WINE=$(command -v wine64); fi
  export VANTREL_WINE
  for suite in "$top"/tests/windows/suites/*.sh; do
    [ -e "$suite" ] || continue
    # A suite that tests no architecture-specific code says so in a line
    # "# Architectures: x64" and runs once.
    only=$(sed -n 's/^# Architectures: //p' "$suite")
    [ -z "$only" ] || [[ " $only " == *" $VANTREL_ARCH "* ]] || continue
    name="$VANTREL_ARCH $(basename "$suite" .sh)"
    start=$SECONDS
    if out=$(bash "$suite" "$dir" 2>&1); then
      passed=$((passed + 1)); echo "PASS $name ($((SECONDS - start)) s)"
      printf '%s\n' "$out" | grep '^note:' | sed 's/^/    /'  # what a suite left out
    else
      failed=$((failed + 1)); echo "FAIL $name ($((SECONDS - start)) s)"; printf '%s\n' "$out" | sed 's/^/    /'
    fi
  done
done
echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
