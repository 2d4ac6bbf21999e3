#!/bin/sh
# `vantrel call` end to end: Let with page-style coercion, operations with
# text arguments, the printed outcome, --json, and the exit codes.
# Usage: call_test.sh VANTREL
set -u
vantrel=$1
root=$(mktemp -d) && trap 'rm -rf "$root"' EXIT
export VANTREL_ROOT="$root"
unset VANTREL_PASSWORD VANTREL_ADMIN
fail=0
run() { # expected-code description args...
  expected=$1 what=$2; shift 2
  "$vantrel" "$@" >"$root/out" 2>"$root/err"; code=$?
  if [ "$code" -ne "$expected" ]; then
    echo "FAIL: $what: exit $code, expected $expected"; cat "$root/out" "$root/err"; fail=1
  fi
}
expect() { # pattern description [file]
  grep -q -- "$1" "${3:-$root/out}" || { echo "FAIL: $2: no '$1' in"; cat "${3:-$root/out}"; fail=1; }
}

run 0 "DirAccess.Add with the directory alone" call Vantrel.DirAccess Add 'D:\ftp'
expect 'Accesses *D:\\ftp|RLP' "composed Accesses"
expect '^  Items (1)' "the collection's items"

run 0 "optional arguments given as text" call vantrel.diraccess add 'D:\in' True 1 1 false 0 True
expect 'Accesses *D:\\in|RWALP$' "rights from text arguments"

run 0 "Let with coercion" call Vantrel.CDomain IP= ID='&H10' HostName=ftp.example.com port=' 2121 '
expect 'IP *127.0.0.1' "IP rule"
expect 'ID *16' "hex Integer"
expect 'port *2121' "blanks around a number"

run 2 "overflow" call Vantrel.CDomain port=70000
expect 'error 6: Overflow' "overflow message" "$root/err"
run 2 "type mismatch" call Vantrel.User Disable=perhaps
expect 'error 13: Type mismatch' "mismatch message" "$root/err"
run 2 "unknown class" call Vantrel.Unknown
expect 'error 429' "unknown class" "$root/err"
run 2 "unknown member" call Vantrel.User Nickname=x
expect 'error 438' "unknown member" "$root/err"
run 2 "missing argument" call Vantrel.DirAccess Add
expect 'error 449' "argument not optional" "$root/err"

run 0 "json output" --json call Vantrel.PublicDir Add 'C:\Vantrel' dir1
expect '"result": "CPublicDir"' "json result"
expect '"Directory": "C:\\\\Vantrel"' "json record"

run 1 "an operation that returns False" call Vantrel.AdminOfAdmin GetAdminList
expect 'Result: False' "False result"
expect 'ErrorMsg: .' "the failure message"
exit $fail
