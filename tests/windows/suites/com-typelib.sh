#!/usr/bin/env bash
# The type library embedded in Vantrel.dll, read through ITypeLib/ITypeInfo
# under Wine, against the automation member tables that the portable runtime
# dispatches through: one description, two realisations.
# Usage: com-typelib.sh WINDOWS_BUILD_DIR (WINEPREFIX and VANTREL_WINE set by the caller)
set -uo pipefail
build=${1:?usage: com-typelib.sh WINDOWS_BUILD_DIR}
wine=${VANTREL_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
[ -x "$wine" ] || { echo "$wine is missing"; exit 1; }
program=$(find "$build" -name typelib_compare.exe -print -quit)
[ -n "$program" ] || { echo "typelib_compare.exe is not built in $build"; exit 1; }
dll=$(find "$build" -name Vantrel.dll -print -quit)
[ -n "$dll" ] || { echo "Vantrel.dll is not built in $build"; exit 1; }
dll=$(cd "$(dirname "$dll")" && pwd)/Vantrel.dll
output=$(timeout 120 "$wine" "$program" "$(printf 'Z:%s' "$dll" | tr / '\\')" 2>&1 | tr -d '\r')
status=$?
printf '%s\n' "$output" | grep -E '^(DIFF|type library:)' || printf '%s\n' "$output" | tail -20
exit $status
