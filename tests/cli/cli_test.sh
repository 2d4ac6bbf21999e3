#!/usr/bin/env bash
# What the vantrel tool adds to the operations (the operations' own rules are
# the golden cases): options and passwords passed to the objects, messages on
# stderr, exit codes (0 done, 1 refused, 2 usage or automation error), and the
# table and JSON outputs, on a copy of the bundled example.
# Usage: cli_test.sh VANTREL EXAMPLE_INI
set -uo pipefail
vantrel=${1:?usage: cli_test.sh VANTREL EXAMPLE_INI}
work=$(mktemp -d /tmp/vantrel-cli.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir -p root/drives/c/Windows root/drives/d/ftp/sales/in servu
cp "${2:?}" servu/ServUDaemon.ini
ini=servu/ServUDaemon.ini
# Vantrel / KelpMoor (salt "ab"), public directory C:\Vantrel.
printf '[Vantrel]\r\nAdministrator=Vantrel\r\nPassword=abA1EC4B09FA90BB937F16B5E82A957225\r\n[PublicDir]\r\ndir1=C:\\Vantrel\r\n' \
  >root/drives/c/Windows/Vantrel.ini
export LC_ALL=C.UTF-8 VANTREL_ROOT=$work/root SERVU_PATH=$work/servu XDG_CACHE_HOME=$work/cache
unset VANTREL_ADMIN VANTREL_PASSWORD VANTREL_NEW_PASSWORD VANTREL_USER_PASSWORD

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
has() { grep -qF -- "$2" <<<"$3" || fail "$1: [$2] not in [$3]"; }
# run DESCRIPTION EXIT [INPUT] -- COMMAND...: keeps stdout in $out, stderr in $err
run() {
  local what=$1 want=$2 input=; shift 2
  [ "$1" != -- ] && { input=$1; shift; }
  shift
  out=$(printf '%s' "$input" | "$@" 2>"$work/stderr"); local rc=$?
  err=$(cat "$work/stderr")
  [ "$rc" -eq "$want" ] || fail "$what: exit $rc, expected $want (stderr: $err)"
}

VANTREL_ADMIN=Vantrel VANTREL_PASSWORD=KelpMoor VANTREL_ROOT=$work/fresh run "before init" 1 -- "$vantrel" users list
has "points to init" "does not exist yet; run \`vantrel init\`" "$err"
VANTREL_ROOT=$work/fresh run "init" 0 -- "$vantrel" init
has "factory administrator" "The system administrator is Vantrel with the factory password KelpMoor" "$out"
VANTREL_ADMIN=Vantrel VANTREL_PASSWORD=KelpMoor VANTREL_ROOT=$work/fresh run "after init" 0 -- "$vantrel" users list
VANTREL_ROOT=$work/fresh run "init again" 0 -- "$vantrel" init
has "kept" "exists already" "$out"

run "version" 0 -- "$vantrel" version
has "server version" "Server version: 6.4.0.6" "$out"
run "wrong server folder" 1 -- "$vantrel" --servu-path "$work/none" version
has "message names the folder" "vantrel: ServUPath error: no readable ServUDaemon.ini in the folder $work/none" "$err"
run "no credentials" 1 -- "$vantrel" users list
has "refusal" "Right Limited!" "$err"
run "no --admin" 2 -- "$vantrel" admins list
has "names the option" "--admin" "$err"

export VANTREL_ADMIN=Vantrel
run "caller and new password on stdin" 0 $'KelpMoor\nnew-secret\n' -- "$vantrel" users add frank --password-stdin \
  --set-password --home 'C:\ftp\frank' --rule 'C:\ftp\frank|RWAMLCDP' --expire '2030-06-30 18:00:00' --timeout 600
has "done" "Added user frank" "$out"
grep -aq $'^User6=frank|1|1909044000\r$' "$ini" || fail "list line with expiry seconds"
salted=$(sed -n '/^\[USER=frank|1\]/,/^\[/p' "$ini" | grep -a '^Password=' | tr -d '\r' | cut -d= -f2-)
[ "${salted:2}" == "$(printf '%s' "${salted:0:2}new-secret" | md5sum | cut -c1-32 | tr a-f A-F)" ] ||
  fail "password is not the salted digest of the one read from stdin: $salted"

export VANTREL_PASSWORD=KelpMoor
cp "$ini" before.ini
run "invalid UTF-8" 1 -- "$vantrel" users add $'caf\xe9'
has "refused by the library" "Refused: the UserName is not valid text (invalid UTF-8 or a lone surrogate)" "$err"
cmp -s "$ini" before.ini || fail "a refused add changed the server file"
run "unknown right letter" 2 -- "$vantrel" users add gina --rule 'C:\g|RQ'
has "letter named" "unknown right letter 'Q'" "$err"
run "text for a number, global option after the command" 2 -- "$vantrel" users add gina --timeout lots --json
[ "$err" == '{"ErrorMsg":"--timeout '"'lots'"': expected a whole number from 0 to 32767"}' ] || fail "JSON error: $err"
run "no password source" 2 -- env -u VANTREL_PASSWORD "$vantrel" users list
has "sources named" "set VANTREL_PASSWORD, or pass --password-stdin" "$err"
run "mistyped subcommand" 2 -- "$vantrel" --root "$work/root" users lst
has "nearest named" "did you mean \`vantrel users list\`?" "$err"
run "missing domain" 1 -- "$vantrel" users list --domain 9
has "domain named" "no domain 9 in $work/servu/ServUDaemon.ini" "$err"
run "existing user" 1 -- "$vantrel" users add alice
has "operation's message" "vantrel: This username exists already" "$err"
run "show as JSON" 0 -- "$vantrel" --json users show frank
python3 -c 'import json,sys; u=json.load(sys.stdin); assert u["TimeOut"] == 600, u' <<<"$out" ||
  fail "JSON account: $out"
run "list as a table" 0 -- "$vantrel" users list
has "header" "UserName  Status    Expires" "$out"
has "row" "bob       disabled  2025-01-01 08:00:00" "$out"
run "list as JSON" 0 -- "$vantrel" --json users list
python3 -c 'import json,sys; d={u["UserName"]: u["ExpireDate"] for u in json.load(sys.stdin)}
assert (d["alice"], d["bob"]) == (None, "2025-01-01T08:00:00"), d' <<<"$out" || fail "JSON dates: $out"

run "port option" 0 -- "$vantrel" domains add new.example 10.9.9.9 --port 2100
grep -aq '^Domain4=10.9.9.9||2100|new.example|3|0' "$ini" || fail "added line"
run "port out of range" 2 -- "$vantrel" domains add big.example 10.9.9.8 --port 99999
has "option and range" "--port '99999': expected a port number from 1 to 32767" "$err"

# --dry-run: a diff per file, and no file, folder, lock or temporary file made or changed.
snapshot() { find "$work/root" "$work/servu" -printf '%p %s %T@\n' | sort; }
before=$(snapshot)
run "dry run: add" 0 -- "$vantrel" users add dora --home 'C:\ftp\dora' --rule 'C:\ftp\dora|RL' --dry-run
has "labelled" "+++ $work/servu/ServUDaemon.ini" "$out"
has "Windows path" "+LoginMesFile=C:\Windows\Vantrel.txt" "$out"
has "folder" "would create the folder $work/root/drives/c/ftp/dora" "$out"
run "dry run: delete asks nothing" 0 -- "$vantrel" --dry-run domains delete 2
has "lines removed" "-[USER=grace|2]" "$out"
[ "$(snapshot)" == "$before" ] || fail "dry run changed files: $(diff <(echo "$before") <(snapshot))"
VANTREL_ROOT=$work/fresh2 run "dry run: init" 0 -- "$vantrel" init --dry-run
[ -e "$work/fresh2" ] && fail "dry run created the root"
mkdir -p old/Windows
VANTREL_ROOT=$work/old run "old root" 0 -- "$vantrel" version
has "move told" "mv $work/old/Windows $work/old/drives/c/Windows" "$err"

run "admins: passwords on stdin" 0 $'KelpMoor\nPa55\n' -- "$vantrel" admins add sales --domain 2 \
  --root 'D:\ftp\sales' --password-stdin
has "factory password warned about" "still has the factory password" "$err"
run "admins as JSON" 0 -- "$vantrel" --json admins list
[ -z "$err" ] || fail "warned twice the same day: $err"
[ "$(tr -d ' \n' <<<"$out")" == '[{"AdminName":"sales","DomainID":2,"RootDir":"D:\\ftp\\sales"}]' ] || fail "JSON: $out"
printf '%1000s' '' >root/drives/d/ftp/sales/report.txt
VANTREL_PASSWORD=pa55 run "browse as JSON" 0 -- "$vantrel" --admin sales --json browse 'D:\ftp\sales' '*.TXT'
has "file length" '"FileLength": 1000' "$out"
VANTREL_PASSWORD=pa55 run "browse a missing folder" 1 -- "$vantrel" --admin sales browse 'D:\ftp\sales\nope'
has "folder named" "the folder D:\ftp\sales\nope does not exist" "$err"
VANTREL_NEW_PASSWORD=New-Pass1 run "passwd" 0 -- "$vantrel" admins passwd --name Root
VANTREL_PASSWORD=New-Pass1 run "new credentials" 0 -- "$vantrel" --admin root public-dirs list

run "call: passwords hidden" 0 -- env VANTREL_ADMIN=root VANTREL_PASSWORD=New-Pass1 "$vantrel" call Vantrel.User UserName=frank GetUser frank
grep -Eq '^  AdminPassword +\(hidden\)$' <<<"$out" || fail "AdminPassword not hidden: $out"
grep -q 'New-Pass1\|new-secret' <<<"$out" && fail "a password shown: $out"
run "domains delete without --yes" 2 -- "$vantrel" domains delete 3
grep -aq '^Domain.=10.9.9.9||2100|new.example' "$ini" || fail "deleted without confirmation"
run "domains delete --yes" 0 -- env VANTREL_ADMIN=root VANTREL_PASSWORD=New-Pass1 "$vantrel" domains delete 3 --yes
grep -aq 'new.example' "$ini" && fail "domain 3 still there"
run "call: Let with coercion" 0 -- "$vantrel" call Vantrel.CDomain IP= ID='&H10' port=' 2121 '
grep -Eq '^  IP +127\.0\.0\.1$' <<<"$out" || fail "IP rule: $out"
grep -Eq '^  ID +16$' <<<"$out" || fail "hex number: $out"
run "call: False" 1 -- "$vantrel" call Vantrel.AdminOfAdmin GetAdminList
has "result" "Result: False" "$out"
run "call: overflow" 2 -- "$vantrel" call Vantrel.CDomain port=70000
has "number and description" "vantrel: error 6: Overflow" "$err"

run "ini get" 0 -- "$vantrel" ini get "$ini" global VERSION
[ "$out" == 6.4.0.6 ] || fail "ini get: $out"
run "ini refused write" 1 -- "$vantrel" --json ini set "$ini" GLOBAL Version $'1\r\n[DOMAINS]'
has "JSON failure" '"Result": false' "$out"
run "ini set invalid UTF-8" 1 -- "$vantrel" ini set "$ini" GLOBAL Version $'6\xff'
has "code page named" "Refused: the VALUE is not valid text in the code page UTF-8" "$err"
run "ini missing argument" 2 -- "$vantrel" ini get "$ini" GLOBAL --json
python3 -c 'import json,sys; assert json.loads(sys.argv[1])["ErrorMsg"]' "$err" || fail "usage error as JSON: $err"
chmod 0444 "$ini"
run "reload of a read-only file" 1 -- "$vantrel" reload
has "the reason follows" "Reload failed: the file is read-only: $work/servu/ServUDaemon.ini" "$err"

[ "$failures" -eq 0 ] && echo "vantrel CLI: all checks passed"
exit $((failures > 0))
