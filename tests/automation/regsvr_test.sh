#!/bin/sh
# vantrel-regsvr against the built library: exit codes and the registration
# file, as the system registration tool reports them.
# Usage: regsvr_test.sh REGSVR LIBRARY
set -u
regsvr=$1 library=$2
root=$(mktemp -d) && trap 'rm -rf "$root"' EXIT
export VANTREL_ROOT="$root"
fail=0
check() { # expected-code description command...
  expected=$1 what=$2; shift 2
  "$@" >"$root/out" 2>&1; code=$?
  if [ "$code" -ne "$expected" ]; then echo "FAIL: $what: exit $code, expected $expected"; cat "$root/out"; fail=1; fi
}
check 0 "register" "$regsvr" "$library"
grep -q "DllRegisterServer in $library succeeded." "$root/out" || { echo "FAIL: no success message"; fail=1; }
grep -q '^\[Vantrel.Domains\]' "$root/Registry/Classes.ini" || { echo "FAIL: Domains not registered"; fail=1; }
check 0 "silent unregister" "$regsvr" /u /s "$library"
[ -s "$root/out" ] && { echo "FAIL: /s printed something"; fail=1; }
grep -q 'Vantrel\.' "$root/Registry/Classes.ini" && { echo "FAIL: entries left after /u"; fail=1; }
check 0 "unregister twice" "$regsvr" /u "$library"
check 3 "missing library" "$regsvr" "$root/none.so"
check 1 "no library named" "$regsvr" /s
printf 'not a library' >"$root/fake.so"
check 3 "not a library" "$regsvr" "$root/fake.so"
check 4 "no entry point" "$regsvr" /s "$(ldd "$regsvr" | awk '/libc\.so/ {print $3}')"
exit $fail
