#!/usr/bin/env bash
# The ASP pages of web/ driven through whole sessions (tests/web/flows.py):
# each request runs one page under cscript with stand-ins for the ASP objects,
# against Vantrel.dll registered here and removed again at the end.
# Architectures: x64 (the pages' behaviour does not depend on the library's)
# Usage: web-pages.sh WINDOWS_BUILD_DIR (WINEPREFIX set by the caller)
. "$(dirname "$0")/../support/suite.sh"
tests=$(cd "$(dirname "$0")/../.." && pwd)
dll=$(built Vantrel.dll) || exit 1
dll=$(windows_path "$dll")

work=$(mktemp -d /tmp/vantrel-web.XXXXXX)
trap 'rm -rf "$work"' EXIT
"$wine" regsvr32 /s "$dll" >/dev/null 2>&1 || { echo "regsvr32 failed"; exit 1; }
python3 "$tests/web/flows.py" "$work"
rc=$?
"$wine" regsvr32 /s /u "$dll" >/dev/null 2>&1 || { echo "regsvr32 /u failed"; rc=1; }
exit $rc
