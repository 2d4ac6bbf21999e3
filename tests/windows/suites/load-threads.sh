#!/usr/bin/env bash
# Vantrel.dll in one process under Wine: 8 threads, each in its own
# apartment, add 250 users each at once; all 2,000 must be kept. Not among
# the suites: after the other suites in one prefix it once hung (README,
# "Rights, threads and fuzzing").
# Usage: run.sh WINDOWS_BUILD_DIR (WINEPREFIX set; VANTREL_WINE optional)
set -uo pipefail
build=${1:?usage: run.sh WINDOWS_BUILD_DIR}
wine=${VANTREL_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
[ -x "$wine" ] || { echo "$wine is missing"; exit 1; }
program=$(find "$build" -name load_threads_test.exe -print -quit)
[ -n "$program" ] || { echo "load_threads_test.exe is not built in $build"; exit 1; }
dll=$(find "$build" -name Vantrel.dll -print -quit)
[ -n "$dll" ] || { echo "Vantrel.dll is not built in $build"; exit 1; }
dll=$(cd "$(dirname "$dll")" && pwd)/Vantrel.dll
output=$(timeout 900 "$wine" "$program" "$(printf 'Z:%s' "$dll" | tr / '\\')" 2>&1 | tr -d '\r')
status=$?
printf '%s\n' "$output" | grep -E '^(FAIL|[0-9]+ (of|passed))' || printf '%s\n' "$output" | tail -20
exit $status
