#!/usr/bin/env bash
# Integration test of `vantrel users` on a temporary copy of the example
# server folder: list, show, add, modify, delete, passwords off the command
# line, JSON output, exit codes and the system's messages.
# Usage: users_cli_test.sh VANTREL_BINARY EXAMPLE_INI
set -uo pipefail
vantrel=${1:?usage: users_cli_test.sh VANTREL EXAMPLE_INI}
example=${2:?usage: users_cli_test.sh VANTREL EXAMPLE_INI}

work=$(mktemp -d /tmp/vantrel-cli-users.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export LC_ALL=C.UTF-8
unset VANTREL_ADMIN VANTREL_PASSWORD VANTREL_USER_PASSWORD SERVU_PATH
mkdir -p root/drives/c servu
cp "$example" servu/ServUDaemon.ini
ini=servu/ServUDaemon.ini
v=("$vantrel" --root "$work/root" --servu-path "$work/servu")

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect() { [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"; }
contains() { grep -qF -- "$2" <<<"$3" || fail "$1: [$2] not in [$3]"; }
status() {
  local what=$1 want=$2; shift 2
  out=$("$@" 2>"$work/stderr" </dev/null); local rc=$?
  err=$(cat "$work/stderr")
  [ "$rc" -eq "$want" ] || fail "$what: exit $rc, expected $want (stderr: $err)"
}
line() { grep -a "^$1=" "$ini" | head -1 | tr -d '\r' | cut -d= -f2-; }

# ---- credentials ---------------------------------------------------------
status "list without credentials" 1 "${v[@]}" users list
contains "refusal message" "Right Limited!Make sure the programmer had set the AdminName&AdminPassword" "$err"

export VANTREL_ADMIN=Vantrel VANTREL_PASSWORD=KelpMoor
# The first add creates the settings file; the user exists already.
status "add an existing user" 1 "${v[@]}" users add alice
expect "existing user message" "vantrel: This username exists already" "$err"

# ---- list ----------------------------------------------------------------
status "list" 0 "${v[@]}" users list
expect "list header" "UserName  Status    Expires" "$(head -1 <<<"$out")"
contains "disabled user with expiry" "bob       disabled  2025-01-01 08:00:00" "$out"
expect "one row per user list line" 6 "$(wc -l <<<"$out")"
status "list --json" 0 "${v[@]}" --json users list --domain 2
expect "json rows of domain 2" 4 "$(grep -c '"DomainID": 2' <<<"$out")"

# ---- add -----------------------------------------------------------------
printf 'KelpMoor\nnew-secret\n' >pw
out=$("${v[@]}" users add frank --password-stdin --set-password --home 'C:\ftp\frank' \
      --rule 'C:\ftp\frank|RWAMLCDP' --rule 'C:\pub|RL' --expire '2030-06-30 18:00:00' --timeout 600 \
      --quota 5000 --relpaths --max-per-ip 2 <pw 2>&1)
expect "add" "Added user frank" "$out"
domain1() { sed -n '/^\[Domain1\]/,/^\[/p' "$ini" | grep -a '^User' | tr -d '\r' | cut -d= -f2-; }
expect "list line with expiry seconds" "frank|1|1909044000" "$(domain1 | grep '^frank|')"
salted=$(sed -n '/^\[USER=frank|1\]/,/^\[/p' "$ini" | grep -a '^Password=' | tr -d '\r' | cut -d= -f2-)
salt=${salted:0:2}
expect "password is the salted digest" "$(printf '%s' "${salt}new-secret" | md5sum | cut -c1-32 | tr a-f A-F)" "${salted:2}"
[ -d root/drives/c/ftp/frank ] || fail "the rule's folder was not created"
expect "rule 2 written" 'C:\pub|RL' "$(sed -n '/^\[USER=frank|1\]/,/^\[/p' "$ini" | grep -a '^Access2=' | tr -d '\r' | cut -d= -f2-)"
status "bad right letter" 2 "${v[@]}" users add gina --rule 'C:\g|RQ'
contains "letter named" "unknown right letter 'Q'" "$err"
status "bad number" 2 "${v[@]}" users add gina --timeout lots
contains "type mismatch" "error 13" "$err"
status "name that would break the file" 1 "${v[@]}" users add 'gi|na'
contains "refusal" "Refused:" "$err"
grep -aq 'gi|na' "$ini" && fail "a refused name reached the file"

# ---- show and modify -----------------------------------------------------
status "show" 0 "${v[@]}" users show FRANK
contains "stored name shown" "UserName            frank" "$out"
contains "rules shown" "1  C:\ftp\frank  RWAMLCDP" "$out"
before_password=$salted
status "modify one setting" 0 "${v[@]}" users modify Frank --speed-up 100 --disable
status "show --json" 0 "${v[@]}" --json users show frank
contains "changed setting" '"SpeedLimitUp": 100' "$out"
contains "kept setting" '"TimeOut": 600' "$out"
contains "kept quota" '"DiskQuotaSize": 5000' "$out"
contains "disabled" '"Disable": true' "$out"
expect "password kept" "$before_password" "$(sed -n '/^\[USER=frank|1\]/,/^\[/p' "$ini" | grep -a '^Password=' | tr -d '\r' | cut -d= -f2-)"
expect "line moved last and disabled" "frank|0|1909044000" "$(sed -n '/^\[Domain1\]/,/^\[/p' "$ini" | grep -a '^User' | tail -1 | tr -d '\r' | cut -d= -f2-)"
status "modify --rename to a taken name" 1 "${v[@]}" users modify frank --rename alice
expect "taken" "vantrel: This username exists already" "$err"
grep -aq '^\[USER=frank|1\]' "$ini" || fail "a failed modify lost the account"
status "modify --expire never --quota off" 0 "${v[@]}" users modify frank --expire never --quota off --rename fred
expect "renamed line" "fred|0|0" "$(sed -n '/^\[Domain1\]/,/^\[/p' "$ini" | grep -a '^User' | tail -1 | tr -d '\r' | cut -d= -f2-)"
grep -aq '^DiskQuota=' <(sed -n '/^\[USER=fred|1\]/,/^\[/p' "$ini") && fail "quota off still writes DiskQuota"

# ---- delete --------------------------------------------------------------
status "delete missing" 1 "${v[@]}" users delete nobody
expect "missing message" "vantrel: This username does not exist" "$err"
status "delete" 0 "${v[@]}" users delete fred
grep -aq 'USER=fred' "$ini" && fail "the deleted user's section remains"
status "list after delete" 0 "${v[@]}" users list
expect "users left" 5 "$(($(wc -l <<<"$out") - 1))"

# ---- server folder -------------------------------------------------------
status "missing server file" 1 "$vantrel" --root "$work/root" --servu-path "$work/none" users list
expect "ServUPath error" "vantrel: ServUPath error" "$err"

[ $failures -eq 0 ] && echo "users CLI: all checks passed"
exit $((failures > 0))
