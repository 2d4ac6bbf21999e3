#!/usr/bin/env bash
# The COM contract of Vantrel.dll (class objects, unload counts, interfaces,
# vtable calls, errors, IDispatch, IEnumVARIANT) through an early-bound
# client program under Wine, without registration; and its version resource.
# Usage: com-server.sh WINDOWS_BUILD_DIR (WINEPREFIX and VANTREL_WINE set by the caller)
. "$(dirname "$0")/../support/suite.sh"
program=$(built com_server_test.exe) && dll=$(built Vantrel.dll) || exit 1
output=$(timeout 120 "$wine" "$program" "$(windows_path "$dll")" 2>&1 | tr -d '\r')
status=$?
printf '%s\n' "$output" | grep -E '^(FAIL|[0-9]+ passed, [0-9]+ failed)' || printf '%s\n' "$output" | tail -20
version=$(python3 "$(dirname "$0")/../support/file_version.py" "$dll")
[ "$version" = "1.0.0.0 1.0.0.0" ] || { echo "FAIL Vantrel.dll's file and product versions: $version"; status=1; }
exit $status
