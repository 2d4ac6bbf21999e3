#!/usr/bin/env bash
# vantrel version, domains list|add|modify|delete, reload and role on a copy
# of the bundled example, checking output, exit codes and the file.
set -u
vantrel=$1
example=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/servu" "$work/root/Windows"
cp "$example" "$work/servu/ServUDaemon.ini"
# System administrator Vantrel with the salted form of "KelpMoor" (salt "ab").
printf '[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n' \
  >"$work/root/Windows/Vantrel.ini"
export VANTREL_ROOT=$work/root SERVU_PATH=$work/servu
unset VANTREL_ADMIN VANTREL_PASSWORD
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect CODE CMD... : runs the command, keeps stdout in $out and stderr in $err
expect() {
  local code=$1
  shift
  out=$("$@" 2>"$work/err") && rc=0 || rc=$?
  err=$(cat "$work/err")
  [ "$rc" -eq "$code" ] || fail "exit $rc (wanted $code): $* / $out / $err"
}

expect 0 "$vantrel" version
grep -q '^Server version: 6.4.0.6$' <<<"$out" || fail "version: $out"
grep -q 'Vantrel|Version:1.0.0.0|' <<<"$out" || fail "about: $out"
expect 1 "$vantrel" --servu-path "$work/nowhere" version
grep -q 'ServUPath error' <<<"$err" || fail "version on a wrong folder: $err"

expect 0 "$vantrel" domains list
[ "$(wc -l <<<"$out")" -eq 4 ] || fail "list: $out"
grep -Eq '^2 +files.example.org +127.0.0.1 +2121$' <<<"$out" || fail "empty address row: $out"
expect 0 "$vantrel" --json domains list
python3 -c 'import json,sys; d=json.load(sys.stdin); assert [x["ID"] for x in d]==[1,2,4], d' <<<"$out" || fail "json list"

cp "$work/servu/ServUDaemon.ini" "$work/before.ini"
expect 1 "$vantrel" domains add new.example 10.9.9.9
grep -q 'You are not administrator!' <<<"$err" || fail "add without credentials: $err"
VANTREL_PASSWORD=wrong expect 1 "$vantrel" --admin vantrel domains add new.example 10.9.9.9
cmp -s "$work/before.ini" "$work/servu/ServUDaemon.ini" || fail "refused add changed the file"

expect 0 "$vantrel" --admin vantrel domains add new.example 10.9.9.9 --port 2100 --password-stdin <<<KelpMoor
grep -q 'Added domain 3' <<<"$out" || fail "add: $out"
grep -q '^Domain4=10.9.9.9||2100|new.example|3|0' "$work/servu/ServUDaemon.ini" || fail "added line"
export VANTREL_PASSWORD=KelpMoor
expect 1 "$vantrel" --admin vantrel domains add NEW.example 10.9.9.8
grep -q 'This HostName exists already' <<<"$err" || fail "duplicate host: $err"

expect 0 "$vantrel" --admin vantrel domains modify 3 renamed.example 10.9.9.9 2121
grep -q '^Domain4=10.9.9.9||2121|renamed.example|3|0' "$work/servu/ServUDaemon.ini" || fail "modified line"

expect 0 "$vantrel" --admin vantrel domains delete 1
grep -q '^\[USER=alice|1\]' "$work/servu/ServUDaemon.ini" && fail "users of domain 1 are left"
grep -q '^\[Domain1\]' "$work/servu/ServUDaemon.ini" && fail "user index of domain 1 is left"
grep -q '^Domain1=||2121|files.example.org|2|0' "$work/servu/ServUDaemon.ini" || fail "renumbered line"

expect 0 "$vantrel" reload
grep -q '^ReloadSettings=true' "$work/servu/ServUDaemon.ini" || fail "reload signal"

expect 0 "$vantrel" --admin vantrel role --domain 2
grep -q '^0 system administrator' <<<"$out" || fail "role: $out"
unset VANTREL_PASSWORD
expect 0 "$vantrel" role
grep -q '^2 ' <<<"$out" || fail "role without credentials: $out"

[ "$failures" -eq 0 ] && echo "all domains CLI checks passed"
exit $((failures > 0))
