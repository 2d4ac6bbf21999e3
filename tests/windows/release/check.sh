#!/usr/bin/env bash
# The Windows release installed as INSTALL.txt says, in a fresh Wine prefix:
# the zip unpacked to C:\Program Files\Vantrel; the released Wizard.exe's four
# steps (both libraries registered, Web\ServUPath.asp rewritten for Serv-U's
# folder); CreateSettings.vbs; both libraries created from 64- and 32-bit
# scripts; the pages' sessions through the unpacked pages; removal with
# regsvr32 /u. Prints "release: N passed, M failed".
# Usage: check.sh RELEASE_ZIP X64_BUILD_DIR   (wizard_window_test.exe is built there)
set -uo pipefail
zip=$(realpath "${1:?usage: check.sh RELEASE_ZIP X64_BUILD_DIR}")
build=$(realpath "${2:?usage: check.sh RELEASE_ZIP X64_BUILD_DIR}")
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../../.." && pwd)
command -v wine64 >/dev/null || export PATH="/usr/lib/wine:$PATH"
"$top/scripts/enable-x86.sh" || exit 1
export QEMU_RESERVED_VA=0x82000000  # see scripts/test-windows.sh
driver=$(find "$build" -name wizard_window_test.exe -print -quit)
[ -n "$driver" ] || { echo "wizard_window_test.exe is not built in $build"; exit 1; }

export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX=$(mktemp -d /tmp/vantrel-release.XXXXXX)
work=$(mktemp -d /tmp/vantrel-release-work.XXXXXX)
trap 'wineserver -k >/dev/null 2>&1; rm -rf "$WINEPREFIX" "$work"' EXIT
wine64 wineboot -i >/dev/null 2>&1 || { echo "wineboot failed"; exit 1; }
# No display here: Wine's null graphics driver still gives real windows.
wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wineserver -w
wine32() { /usr/lib/wine/wine "$@"; }

passed=0 failed=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then passed=$((passed + 1)); echo "ok   $1"; else failed=$((failed + 1)); echo "FAIL $1"; fi
}

# Unpacked where an operator would put it; Serv-U beside it.
programs="$WINEPREFIX/drive_c/Program Files"
(cd "$work" && python3 -m zipfile -e "$zip" .) && mv "$work"/Vantrel-* "$programs/Vantrel"
servu="$programs/RhinoSoft/Serv-U"  # not the shipped include's folder
mkdir -p "$servu"
cp "$top/examples/servu/ServUDaemon.ini" "$servu/"
: >"$servu/ServUDaemon.exe"
at='C:\Program Files'

# The wizard's four steps, step 1 once for each library. The x64 build of the
# wizard runs them: Wine's 32-bit Open dialog hangs under qemu-user (the x86
# Wizard.exe's start, window and registration launch are in wizard-win32).
cp "$(find "$build" -name Wizard.exe -print -quit)" "$programs/Vantrel/Wizard64.exe"
(cd "$(dirname "$driver")" && wine64 ./wizard_window_test.exe --steps "$at\\Vantrel\\Wizard64.exe" \
  "$at\\RhinoSoft\\Serv-U\\ServUDaemon.exe" "$at\\Vantrel\\Web\\ServUPath.asp" \
  "$at\\Vantrel\\Vantrel.dll" "$at\\Vantrel\\x64\\Vantrel.dll") 2>&1 | tr -d '\r' | tee "$work/wizard.txt"
wineserver -w  # the registrations the wizard started have finished
check "the wizard ran its four steps" grep -qx PASSED "$work/wizard.txt"
check "the wizard rewrote Web\\ServUPath.asp" \
  cmp -s "$programs/Vantrel/Web/ServUPath.asp" <(printf '<%%const ServUPath="C:\\Program Files\\RhinoSoft\\Serv-U\\"%%>\r\n')

# The settings file, made as the guide says.
(cd "$programs/Vantrel" && wine64 cscript //nologo CreateSettings.vbs) 2>&1 | tr -d '\r'
check "CreateSettings.vbs made Vantrel.ini" test -f "$WINEPREFIX/drive_c/windows/Vantrel.ini"
recovery="$WINEPREFIX/drive_c/windows/Vantrel.ini~recovery"
check "CreateSettings.vbs made empty recovery files" test -f "$recovery" -a ! -s "$recovery" -a -f "${recovery/.ini/.txt}"

# Both architectures reach the server file through the registered libraries.
printf 'Set g = CreateObject("Vantrel.Global")\r\ng.ServUPath = "C:\\Program Files\\RhinoSoft\\Serv-U\\"\r\nWScript.Echo g.Version\r\n' \
  >"$programs/version.vbs"
check "64-bit scripts create the library" \
  test "$(cd "$programs" && wine64 cscript //nologo version.vbs 2>&1 | tr -d '\r')" = 6.4.0.6
check "32-bit scripts create the library" \
  test "$(cd "$programs" && wine32 'C:\windows\syswow64\cscript.exe' //nologo version.vbs 2>&1 | tr -d '\r')" = 6.4.0.6

# The pages' sessions through the unpacked pages and the wizard's ServUPath.asp.
check "the pages' sessions" python3 "$top/tests/web/flows.py" "$work" "$programs/Vantrel/Web" "$servu/ServUDaemon.ini"

# Removal: afterwards no script can create the classes.
wine32 'C:\windows\syswow64\regsvr32.exe' /s /u "$at\\Vantrel\\Vantrel.dll"
wine64 regsvr32 /s /u "$at\\Vantrel\\x64\\Vantrel.dll"
check "regsvr32 /u removed both" test -z "$(cd "$programs" && wine64 cscript //nologo version.vbs 2>&1 | grep 6.4.0.6)"
echo "release: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
