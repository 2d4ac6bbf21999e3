#!/usr/bin/env bash
# Vantrel.dll as a page uses it: registered with regsvr32, every script of
# tests/windows/vbs run by cscript, then unregistered, with the registry
# checked after each step. Adding a scenario means adding a .vbs file there.
# Usage: com-vbscript.sh WINDOWS_BUILD_DIR (WINEPREFIX and VANTREL_WINE set by the caller)
. "$(dirname "$0")/../support/suite.sh"
here=$(cd "$(dirname "$0")/.." && pwd)
dll=$(built Vantrel.dll) || exit 1

work=$(mktemp -d /tmp/vantrel-vbs.XXXXXX)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

libid='{6919B66F-FFE4-4B9D-AB17-570AB9A7296A}'
classes=(Global CIniFile Domains CDomain Domain CUserList UserList User CDirAccess DirAccess
         CFile CDir Explorer Directory File CAdmin Admin AdminOfAdmin CPublicDir PublicDir)
# The registry is read from exports of HKEY_CLASSES_ROOT (a reg call per key
# would cost a Wine start each) by the 64-bit reg (a 32-bit start costs
# seconds under emulation). For x86 the keys a 32-bit program sees come from
# two views: /reg:32 gives only the keys redirected for it (CLSID), the
# shared ones (ProgIDs, TypeLib) are in the 64-bit view.
reg=$(command -v wine64 || echo /usr/lib/wine/wine64)
views=(/reg:64) platform=win64
[ "${VANTREL_ARCH:-x64}" = x86 ] && views=(/reg:32 /reg:64) platform=win32
export_classes() {
  : >"$work/hkcr.txt"
  for view in "${views[@]}"; do
    rm -f "$work/hkcr.reg"
    "$reg" reg export HKCR "$(windows_path "$work/hkcr.reg")" "$view" /y >/dev/null 2>&1 || return 1
    iconv -f UTF-16 -t UTF-8 "$work/hkcr.reg" | tr -d '\r' >>"$work/hkcr.txt"
  done
}
# Prints the value NAME ("@" for the default value) of KEY (below HKEY_CLASSES_ROOT).
reg_value() {
  KEY="[HKEY_CLASSES_ROOT\\$1]" NAME="$2" awk '
    found && /^\[/ { exit }
    found && index($0, ENVIRON["NAME"] "=") == 1 { v = substr($0, length(ENVIRON["NAME"]) + 2); gsub(/^"|"$/, "", v); print v }
    $0 == ENVIRON["KEY"] { found = 1 }' "$work/hkcr.txt"
}
reg_has() { grep -qixF "[HKEY_CLASSES_ROOT\\$1]" "$work/hkcr.txt"; }

# Registration.
out=$("$wine" regsvr32 "$(windows_path "$dll")" 2>&1)
rc=$?
[ $rc -eq 0 ] || fail "regsvr32 exited $rc: $out"
export_classes || fail "cannot export the registry"
declare -A clsids
for c in "${classes[@]}"; do
  clsid=$(reg_value "Vantrel.$c\\CLSID" @)
  if [ -z "$clsid" ]; then fail "no ProgID Vantrel.$c after registration"; continue; fi
  clsids[$c]=$clsid
  server=$(reg_value "CLSID\\$clsid\\InprocServer32" @)
  [ "$server" = "$(windows_path "$dll" | sed 's/\\/\\\\/g')" ] || fail "Vantrel.$c: InprocServer32 is '$server'"
  [ "$(reg_value "CLSID\\$clsid\\InprocServer32" '"ThreadingModel"')" = Apartment ] \
    || fail "Vantrel.$c: threading model is not Apartment"
  [ "$(reg_value "CLSID\\$clsid\\ProgID" @)" = "Vantrel.$c" ] || fail "Vantrel.$c: CLSID has no ProgID entry"
  [ "$(reg_value "CLSID\\$clsid\\TypeLib" @)" = "$libid" ] || fail "Vantrel.$c: no TypeLib entry"
done
reg_has "TypeLib\\$libid\\1.0\\409\\$platform" || fail "type library 1.0 is not registered for $platform"
[ ${#clsids[@]} -eq ${#classes[@]} ] && [ "$(printf '%s\n' "${clsids[@]}" | sort -u | wc -l)" -eq ${#classes[@]} ] \
  || fail "the classes do not have ${#classes[@]} distinct CLSIDs"

# The scripts, all in one cscript process (support/run_scenarios.vbs gives
# each its own script engine): under 32-bit Wine every process start costs.
scenarios=()
for script in "$here"/vbs/*.vbs; do
  [ -e "$script" ] || continue
  name=$(basename "$script")
  cat "$here/vbs/support/assert.inc" "$script" "$here/vbs/support/finish.inc" | sed 's/\r*$/\r/' >"$work/$name"
  scenarios+=("$name")
done
[ ${#scenarios[@]} -gt 0 ] || fail "no VBScript suite found in $here/vbs"
sed 's/\r*$/\r/' "$here/vbs/support/run_scenarios.vbs" >"$work/run_scenarios.vbs"
# A domain administrator's root with a link in it that leads out, and the
# 8.3 names of a folder inside and one outside it (paths.vbs; Wine's
# FileSystemObject has no ShortPath, its dir /x lists them).
mkdir -p "$work/rights root/inside long name" "$work/outside long name"
ln -s /etc "$work/rights root/etc link"
listing=$("$reg" cmd /c dir /x "$(windows_path "$work")" "$(windows_path "$work/rights root")" 2>/dev/null | tr -d '\r')
short_name() { sed -n "s/.*<DIR> *\([^ ]*~[^ ]*\) *$1\$/\1/p" <<<"$listing"; }
export VANTREL_SHORT_INSIDE=$(short_name 'inside long name') VANTREL_SHORT_OUTSIDE=$(short_name 'outside long name')
(cd "$work" && timeout 600 "$wine" cscript //nologo run_scenarios.vbs "${scenarios[@]}" >"$work/output.txt" 2>&1)
rc=$?
[ $rc -eq 0 ] || fail "cscript exited $rc"
for name in "${scenarios[@]}"; do
  output=$(tr -d '\r' <"$work/output.txt" | awk -v head="=== $name" '$0 == head { on = 1; next } /^=== / { on = 0 } on')
  if grep -qE '^ok [0-9]+ checks$' <<<"$output"; then
    echo "PASS ${name%.vbs}: $(grep -E '^ok ' <<<"$output")"
  else
    fail "${name%.vbs}:"
    printf '%s\n' "$output" | head -80 | sed 's/^/    /'
  fi
done

# Unregistration, twice (one regsvr32 process takes the DLL twice): the
# second finds nothing to remove and still succeeds.
out=$("$wine" regsvr32 /u "$(windows_path "$dll")" "$(windows_path "$dll")" 2>&1)
rc=$?
[ $rc -eq 0 ] || fail "regsvr32 /u (twice) exited $rc: $out"
export_classes || fail "cannot export the registry"
for c in "${classes[@]}"; do
  reg_has "Vantrel.$c" && fail "Vantrel.$c is still registered"
  [ -n "${clsids[$c]:-}" ] && reg_has "CLSID\\${clsids[$c]}" && fail "CLSID of Vantrel.$c is still registered"
done
reg_has "TypeLib\\$libid" && fail "the type library is still registered"
# Nothing else may remain either: no key naming the library, its ProgIDs or its type library
# (the interfaces that the type library registered refer to it).
if grep -qiE "Vantrel|$libid" "$work/hkcr.txt"; then
  fail "the registry still mentions the library:"
  grep -iE "Vantrel|$libid" "$work/hkcr.txt" | head -5 | sed 's/^/    /'
fi
[ $failures -eq 0 ] && echo "registration: ${#classes[@]} classes registered and removed again"
exit $((failures > 0))
