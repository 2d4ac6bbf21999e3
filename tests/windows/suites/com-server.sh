#!/usr/bin/env bash
# The COM contract of Vantrel.dll (class objects, unload counts, interfaces,
# vtable calls, errors, IDispatch, IEnumVARIANT) through an early-bound
# client program under Wine, without registration; and its version resource.
# Usage: com-server.sh WINDOWS_BUILD_DIR (WINEPREFIX and VANTREL_WINE set by the caller)
set -uo pipefail
build=${1:?usage: com-server.sh WINDOWS_BUILD_DIR}
wine=${VANTREL_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
[ -x "$wine" ] || { echo "$wine is missing"; exit 1; }
program=$(find "$build" -name com_server_test.exe -print -quit)
[ -n "$program" ] || { echo "com_server_test.exe is not built in $build"; exit 1; }
dll=$(find "$build" -name Vantrel.dll -print -quit)
[ -n "$dll" ] || { echo "Vantrel.dll is not built in $build"; exit 1; }
dll=$(cd "$(dirname "$dll")" && pwd)/Vantrel.dll
output=$(timeout 120 "$wine" "$program" "$(printf 'Z:%s' "$dll" | tr / '\\')" 2>&1 | tr -d '\r')
status=$?
printf '%s\n' "$output" | grep -E '^(FAIL|[0-9]+ passed, [0-9]+ failed)' || printf '%s\n' "$output" | tail -20
version=$(python3 "$(dirname "$0")/../support/file_version.py" "$dll")
[ "$version" = "1.0.0.0 1.0.0.0" ] || { echo "FAIL Vantrel.dll's file and product versions: $version"; status=1; }
exit $status
