#!/usr/bin/env bash
# Integration test of `vantrel ini`: reads, writes, refusals, path mapping and
# JSON output, on a temporary copy of the example server file.
# Usage: ini_cli_test.sh VANTREL_BINARY EXAMPLE_INI
set -uo pipefail
vantrel=${1:?usage: ini_cli_test.sh VANTREL EXAMPLE_INI}
example=${2:?usage: ini_cli_test.sh VANTREL EXAMPLE_INI}

work=$(mktemp -d /tmp/vantrel-cli-ini.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export VANTREL_ROOT="$work/root" LC_ALL=C.UTF-8
cp "$example" ServUDaemon.ini

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# expect DESCRIPTION EXPECTED ACTUAL
expect() { [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"; }
# status DESCRIPTION EXPECTED_EXIT COMMAND...: runs the command, keeps its output in $out and $err
status() {
  local what=$1 want=$2; shift 2
  out=$("$@" 2>"$work/stderr"); local rc=$?
  err=$(cat "$work/stderr")
  [ "$rc" -eq "$want" ] || fail "$what: exit $rc, expected $want (stderr: $err)"
}

# ---- reads --------------------------------------------------------------
status "get" 0 "$vantrel" ini get ServUDaemon.ini global VERSION
expect "get ignores letter case of names" "$(grep -a '^Version=' ServUDaemon.ini | tr -d '\r' | cut -d= -f2-)" "$out"

status "get missing key" 0 "$vantrel" ini get ServUDaemon.ini GLOBAL NoSuchKey --default "fallback  "
expect "missing key gives the default without trailing spaces" "fallback" "$out"

status "get --size" 0 "$vantrel" ini get ServUDaemon.ini DOMAINS Domain1 --size 5
expect "value cut to size-1 bytes" "$(grep -a '^Domain1=' ServUDaemon.ini | head -1 | cut -d= -f2 | cut -c1-4)" "$out"

status "int" 0 "$vantrel" ini int ServUDaemon.ini DOMAINS NoSuchKey --default -42
expect "int of a missing key gives the default" "-42" "$out"

status "sections" 0 "$vantrel" ini sections ServUDaemon.ini
expect "sections in file order" "$(grep -a '^\[' ServUDaemon.ini | tr -d '\r[]')" "$out"

status "keys" 0 "$vantrel" ini keys ServUDaemon.ini DOMAINS
expect "keys in file order" "$(sed -n '/^\[DOMAINS\]/,/^\[/p' ServUDaemon.ini | tr -d '\r' | grep -a '=' | cut -d= -f1)" "$out"

status "read of a missing file" 0 "$vantrel" ini get nothere.ini s k --default d
expect "missing file gives the default" "d" "$out"
[ -n "$err" ] || fail "missing file: no warning on stderr"
[ ! -e nothere.ini ] || fail "a read created the file"

# ---- writes -------------------------------------------------------------
cp ServUDaemon.ini before.ini
status "set existing key" 0 "$vantrel" ini set ServUDaemon.ini GLOBAL Version 9.9.9
status "get after set" 0 "$vantrel" ini get ServUDaemon.ini GLOBAL Version
expect "value written" "9.9.9" "$out"
expect "only one line changed" "1" "$(diff before.ini ServUDaemon.ini | grep -c '^>')"
grep -aq $'^Version=9.9.9\r$' ServUDaemon.ini || fail "the rewritten line lost its CRLF"

status "set new section" 0 "$vantrel" ini set ServUDaemon.ini "New Section" Key "a|b;c"
expect "new section at the end" "$(printf '[New Section]\r\nKey=a|b;c\r')" "$(tail -n 2 ServUDaemon.ini)"

cp ServUDaemon.ini before.ini
status "refused value with a line break" 1 "$vantrel" ini set ServUDaemon.ini GLOBAL Version $'1\r\n[DOMAINS]'
[ -n "$err" ] || fail "refused write: no message on stderr"
cmp -s before.ini ServUDaemon.ini || fail "refused write changed the file"

status "delete key" 0 "$vantrel" ini delete ServUDaemon.ini global version
status "get deleted key" 0 "$vantrel" ini get ServUDaemon.ini GLOBAL Version
expect "deleted key reads empty" "" "$out"
status "delete section" 0 "$vantrel" ini delete ServUDaemon.ini "new section"
grep -aq '^\[New Section\]' ServUDaemon.ini && fail "section still there after delete"
status "write into a missing folder fails" 1 "$vantrel" ini set 'no\such\folder\x.ini' s k v

# ---- path mapping -------------------------------------------------------
mkdir -p root/drives/c/Serv-U && cp "$example" root/drives/c/Serv-U/ServUDaemon.ini
status "drive path" 0 "$vantrel" ini set 'C:\Serv-U\ServUDaemon.ini' GLOBAL ReloadSettings true
grep -aq $'^ReloadSettings=true\r$' root/drives/c/Serv-U/ServUDaemon.ini || fail "drive path not mapped below the root"
status "--root moves the root" 0 "$vantrel" --root "$work/other" ini get 'C:\Serv-U\ServUDaemon.ini' GLOBAL ReloadSettings
expect "other root has no such file" "" "$out"

# ---- JSON and usage -----------------------------------------------------
status "json get" 0 "$vantrel" --json ini get ServUDaemon.ini DOMAINS Domain1
expect "json value" "$(grep -a '^Domain1=' ServUDaemon.ini | head -1 | tr -d '\r' | cut -d= -f2-)" \
  "$(printf '%s' "$out" | python3 -c 'import json,sys; print(json.load(sys.stdin)["value"])' 2>/dev/null)"
status "json keys" 0 "$vantrel" --json ini keys ServUDaemon.ini DOMAINS
expect "json key count" "$(sed -n '/^\[DOMAINS\]/,/^\[/p' ServUDaemon.ini | grep -ac '=')" \
  "$(printf '%s' "$out" | python3 -c 'import json,sys; print(len(json.load(sys.stdin)["keys"]))' 2>/dev/null)"
status "json refused write" 1 "$vantrel" --json ini set ServUDaemon.ini s $'a\rb' v
expect "json failure" "False" "$(printf '%s' "$out" | python3 -c 'import json,sys; print(json.load(sys.stdin)["ok"])' 2>/dev/null)"

status "missing argument" 2 "$vantrel" ini get ServUDaemon.ini GLOBAL
status "unknown subcommand" 2 "$vantrel" ini frobnicate
status "help" 0 "$vantrel" ini set --help
case "$out" in *VALUE*) ;; *) fail "set --help does not describe VALUE" ;; esac

if [ "$failures" -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all vantrel ini checks passed"
