#!/usr/bin/env bash
# Integration test of `vantrel admins`, `public-dirs`, `browse` and `mkdir` on
# a temporary system root: the system administrator sets up a domain
# administrator and a public directory, the domain administrator browses
# within its root, and the system password is changed.
# Usage: admins_cli_test.sh VANTREL_BINARY
set -uo pipefail
vantrel=${1:?usage: admins_cli_test.sh VANTREL}

work=$(mktemp -d /tmp/vantrel-cli-admins.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export VANTREL_ROOT="$work/root" LC_ALL=C.UTF-8
unset VANTREL_ADMIN VANTREL_PASSWORD VANTREL_NEW_PASSWORD SERVU_PATH
mkdir -p root/Windows root/drives/d/ftp
settings=root/Windows/Vantrel.ini
# The factory state: Vantrel / KelpMoor (salt "ab"), public directory C:\Vantrel.
printf '[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n[PublicDir]\r\ndir1=C:\\Vantrel\r\n' >"$settings"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect() { [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"; }
contains() { [[ "$3" == *"$2"* ]] || fail "$1: [$2] not in [$3]"; }
lacks() { [[ "$3" != *"$2"* ]] || fail "$1: [$2] should not be in [$3]"; }
# status DESCRIPTION EXPECTED_EXIT COMMAND...: keeps stdout in $out, stderr in $err
status() {
  local what=$1 want=$2; shift 2
  out=$("$@" 2>"$work/stderr" </dev/null); local rc=$?
  err=$(cat "$work/stderr")
  [ "$rc" -eq "$want" ] || fail "$what: exit $rc, expected $want (stderr: $err)"
}
# with_input DESCRIPTION EXPECTED_EXIT INPUT COMMAND...: the same with standard input
with_input() {
  local what=$1 want=$2 input=$3; shift 3
  out=$(printf '%s' "$input" | "$@" 2>"$work/stderr"); local rc=$?
  err=$(cat "$work/stderr")
  [ "$rc" -eq "$want" ] || fail "$what: exit $rc, expected $want (stderr: $err)"
}

sys=("$vantrel" --admin Vantrel)
export VANTREL_PASSWORD=KelpMoor

# ---- domain administrators ----------------------------------------------
status "empty list" 0 "${sys[@]}" admins list
contains "factory password warned about" "still has the factory password" "$err"
expect "table header only" "Name  Domain  Root folder" "$out"

with_input "add with both passwords on stdin" 0 $'KelpMoor\nPa55\n' \
  "${sys[@]}" admins add sales --domain 2 --root 'D:\ftp\sales' --password-stdin
contains "entry written as password|domain|root" $'sales=Pa55|2|D:\\ftp\\sales\r' "$(cat "$settings")"

with_input "name taken in another letter case" 1 $'KelpMoor\nx\n' \
  "${sys[@]}" admins add SALES --domain 3 --root 'D:\x' --password-stdin
contains "message" "The AdminName exists already" "$err"

with_input "name that would break the file" 1 $'KelpMoor\nx\n' \
  "${sys[@]}" admins add 'a=b' --domain 3 --root 'D:\x' --password-stdin
contains "refusal says why" "The administrator is refused: " "$err"
lacks "nothing written" "a=b" "$(cat "$settings")"

VANTREL_NEW_PASSWORD=x status "domain that is no number" 2 \
  "${sys[@]}" admins add other --domain two --root 'D:\x'
contains "automation error 13" "error 13" "$err"

status "list as JSON" 0 "${sys[@]}" --json admins list
expect "JSON rows" '[{"AdminName":"sales","DomainID":2,"RootDir":"D:\\ftp\\sales"}]' "$(echo "$out" | tr -d ' \n')"
status "list with passwords" 0 "${sys[@]}" admins list --show-passwords
contains "plain-text password column" "Pa55" "$out"

VANTREL_PASSWORD=wrong status "wrong system password" 1 "${sys[@]}" admins list
contains "message" "You have no right!" "$err"
status "no --admin" 2 "$vantrel" admins list
contains "says who is missing" "--admin" "$err"

# ---- public directories --------------------------------------------------
status "add public dir" 0 "${sys[@]}" public-dirs add 'E:\pub'
status "add it again in another case" 1 "${sys[@]}" public-dirs add 'e:\PUB'
contains "message" "The directory exists already" "$err"
status "add an empty one" 1 "${sys[@]}" public-dirs add ''
contains "message" "The directory is empty" "$err"
status "list public dirs" 0 "${sys[@]}" --json public-dirs list
expect "both, in order" '["C:\\Vantrel","E:\\pub"]' "$(echo "$out" | tr -d ' \n')"

# ---- the domain administrator browses its root ----------------------------
status "mkdir without credentials" 0 "$vantrel" mkdir 'D:\ftp\sales\in\new'
[ -d root/drives/d/ftp/sales/in/new ] || fail "mkdir created no folder"
status "mkdir on a missing drive" 1 "$vantrel" mkdir 'Q:\nowhere'
printf '%1000s' '' >root/drives/d/ftp/sales/report.txt
mkdir -p root/drives/d/ftp/sales/.svn root/drives/d/ftp/other root/drives/e/pub

sales=("$vantrel" --admin sales)
VANTREL_PASSWORD=PA55 status "browse its root" 0 "${sales[@]}" browse 'D:\ftp\sales'
contains "subfolder" "dir   in" "$out"
contains "file with its size" "report.txt  1000" "$out"
lacks "dot folders skipped" ".svn" "$out"
VANTREL_PASSWORD=Pa55 status "browse with a pattern as JSON" 0 "${sales[@]}" --json browse 'D:\ftp\sales' '*.TXT'
contains "the file" '"FileName": "report.txt"' "$out"
contains "its length" '"FileLength": 1000' "$out"
contains "no folders match" '"Directory": []' "$out"
VANTREL_PASSWORD=Pa55 status "browse outside the root" 1 "${sales[@]}" browse 'D:\ftp\other'
contains "message" "The HomeDir has no right!" "$err"
VANTREL_PASSWORD=Pa55 status "pattern climbing out" 1 "${sales[@]}" browse 'D:\ftp\sales' '..\*.*'
contains "message" "The HomeDir has no right!" "$err"
VANTREL_PASSWORD=Pa55 status "browse the public directory" 0 "${sales[@]}" browse 'E:\pub\'
VANTREL_PASSWORD=wrong status "browse with a wrong password" 1 "${sales[@]}" browse 'D:\ftp\sales'
contains "message" "Right Limited!" "$err"

# ---- deleting ------------------------------------------------------------
status "delete public dir" 0 "${sys[@]}" public-dirs delete 'e:\PUB'
VANTREL_PASSWORD=Pa55 status "no longer public" 1 "${sales[@]}" browse 'E:\pub'
status "delete admin in another case" 0 "${sys[@]}" admins delete SALES
status "delete it again" 1 "${sys[@]}" admins delete sales
contains "message" "The AdminName does not exist" "$err"

# ---- the system password -------------------------------------------------
with_input "passwd with a wrong old password" 1 $'wrong\nNew-Pass1\n' \
  "${sys[@]}" admins passwd --password-stdin
contains "message" "name or password is wrong" "$err"
VANTREL_NEW_PASSWORD=New-Pass1 status "passwd" 0 "${sys[@]}" admins passwd --name Root
status "old credentials fail" 1 "${sys[@]}" admins list
VANTREL_PASSWORD=New-Pass1 status "new credentials pass" 0 "$vantrel" --admin ROOT admins list
lacks "no factory-password warning" "factory password" "$err"
unset VANTREL_PASSWORD
with_input "both passwords on stdin" 0 $'New-Pass1\nThird-3\n' "$vantrel" --admin root admins passwd --password-stdin
with_input "caller password on stdin" 0 $'Third-3\n' "$vantrel" --admin root public-dirs list --password-stdin

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "admins CLI: all checks passed"
