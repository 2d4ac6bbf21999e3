#!/usr/bin/env bash
# The wizard's Win32 window under Wine: a test program clicks its buttons,
# answers its dialogs and reads its message boxes. Wine's null graphics
# driver gives real windows without a display. And Wizard.exe's version resource.
# Usage: wizard-win32.sh WINDOWS_BUILD_DIR (WINEPREFIX and VANTREL_WINE set by the caller)
. "$(dirname "$0")/../support/suite.sh"
program=$(built wizard_window_test.exe) && wizard=$(built Wizard.exe) || exit 1
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

# The prefix's setting, made by the 64-bit reg (a 32-bit start costs seconds).
"$(command -v wine64 || echo /usr/lib/wine/wine64)" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 \
  || { echo "cannot select the null graphics driver"; exit 1; }
# The desktop process that `reg` started runs without a driver: let it end
# so the test's own session starts one with the null driver.
"$wineserver" -w
cd "$(dirname "$program")" || exit 1
# Output to a file: a process the test started and left behind (after a
# time-out) must not hold a pipe open. 32-bit process starts are slow.
log=$(mktemp /tmp/vantrel-wizard.XXXXXX)
trap 'rm -f "$log"' EXIT
# Under emulated 32-bit Wine the file dialog hangs (see the test's options).
options=()
[ "${VANTREL_ARCH:-x64}" = x86 ] && options=(--no-open-dialogs) && echo "note: x86 runs without the file dialog steps"
timeout 600 "$wine" "./$(basename "$program")" "${options[@]}" >"$log" 2>&1
status=$?
grep -E '^(FAIL|PASSED|FAILED|note)' "$log" || tail -20 "$log"
if [ "$status" -eq 124 ]; then
  echo "the window test did not finish within 600 s; its last lines:"
  tail -3 "$log"
  "$wineserver" -k
fi
version=$(python3 "$(dirname "$0")/../support/file_version.py" "$wizard")
[ "$version" = "1.0.0.0 1.0.0.0" ] || { echo "FAIL Wizard.exe's file and product versions: $version"; status=1; }
exit "$status"
