#!/usr/bin/env bash
# The INI engine against Wine's kernel32 profile functions: rule cases and
# seeded random sequences in one Win32 process, under code page 1252 and
# under code page 932 (Shift-JIS). $1 is the Windows build folder.
# Exits non-zero and prints every unexpected difference.
. "$(dirname "$0")/../support/suite.sh"
exe=$(built ini_kernel32_compare.exe) || exit 1
cases=$(realpath "$(dirname "$0")/../ini/cases")

status=0
run() {  # run LOCALE CASE_FILE SEED
  local out
  out=$(LC_ALL=$1 "$wine" "$exe" "$(windows_path "$cases/$2")" "$3" 150 25 2>&1) || status=1
  printf '%s\n' "$out" | grep -E '^(DIFF|ANSI|rule cases|random)' || { printf '%s\n' "$out"; status=1; }
}
run en_US.UTF-8 single_byte.cases 20261207
run en_US.UTF-8 single_byte.cases 4242
run ja_JP.UTF-8 double_byte.cases 932
exit $status
