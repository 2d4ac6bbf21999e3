#!/usr/bin/env bash
# Runs the Windows suites under Wine in a fresh prefix. Each suite is a script
# tests/windows/suites/*.sh, called with the Windows build folder; it exits 0
# on success. The closing line counts the suites.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: test-windows.sh WINDOWS_BUILD_DIR}
# Debian's wine64 keeps its loader and server in /usr/lib/wine.
command -v wine64 >/dev/null || export PATH="/usr/lib/wine:$PATH"
command -v wine64 >/dev/null || { echo "wine64 is missing" >&2; exit 1; }

export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/vantrel-wine.XXXXXX)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k >/dev/null 2>&1; rm -rf "$WINEPREFIX"' EXIT
wine64 wineboot -i >/dev/null 2>&1 || { echo "wineboot failed" >&2; exit 1; }
wineserver -w

passed=0 failed=0
for suite in "$top"/tests/windows/suites/*.sh; do
  [ -e "$suite" ] || continue
  name=$(basename "$suite" .sh)
  if out=$(bash "$suite" "$build" 2>&1); then
    passed=$((passed + 1)); echo "PASS $name"
  else
    failed=$((failed + 1)); echo "FAIL $name"; printf '%s\n' "$out" | sed 's/^/    /'
  fi
done
echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
