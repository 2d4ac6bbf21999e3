#!/usr/bin/env bash
# The ASP pages of web/ driven through whole sessions (tests/web/flows.py):
# each request runs one page under cscript with stand-ins for the ASP objects,
# against Vantrel.dll registered here and removed again at the end.
# Architectures: x64 (the pages' behaviour does not depend on the library's)
# Usage: web-pages.sh WINDOWS_BUILD_DIR (WINEPREFIX set by the caller)
set -uo pipefail
build=${1:?usage: web-pages.sh WINDOWS_BUILD_DIR}
tests=$(cd "$(dirname "$0")/../.." && pwd)
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
[ -x "$wine" ] || { echo "wine64 is missing"; exit 1; }
dll=$(find "$build" -name Vantrel.dll -print -quit)
[ -n "$dll" ] || { echo "Vantrel.dll is not built in $build"; exit 1; }
dll="Z:$(cd "$(dirname "$dll")" && pwd | tr / '\\')\\Vantrel.dll"

work=$(mktemp -d /tmp/vantrel-web.XXXXXX)
trap 'rm -rf "$work"' EXIT
"$wine" regsvr32 /s "$dll" >/dev/null 2>&1 || { echo "regsvr32 failed"; exit 1; }
python3 "$tests/web/flows.py" "$work"
rc=$?
"$wine" regsvr32 /s /u "$dll" >/dev/null 2>&1 || { echo "regsvr32 /u failed"; rc=1; }
exit $rc
