#!/usr/bin/env bash
# The storage fault test (tests/storage/ini_fault_test.cpp) on the Windows
# file code: an error or a kill at every I/O step of every write leaves the
# old or the new file. Prints the number of fault states it went through.
# Architectures: x64 (the file code does not differ by architecture)
# Usage: ini-faults.sh WINDOWS_BUILD_DIR (WINEPREFIX set by the caller)
. "$(dirname "$0")/../support/suite.sh"
program=$(built ini_fault_test.exe) || exit 1
report=$(mktemp /tmp/vantrel-faults.XXXXXX)
trap 'rm -f "$report"' EXIT
output=$(timeout 600 "$wine" "$program" "--gtest_output=xml:$(windows_path "$report")" 2>&1 | tr -d '\r')
status=$?
printf '%s\n' "$output" | grep -E '^\[  (PASSED|FAILED)|Failure|^Expected|^  Actual|Which is|state ' | head -40
echo "note: $(grep -o 'name="states" value="[0-9]*"' "$report" | grep -o '[0-9]*') fault states"
exit $status
