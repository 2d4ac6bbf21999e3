#!/usr/bin/env bash
# Makes pictures of the ASP pages: each page runs under Wine's cscript through
# the test harness (tests/web) against Vantrel.dll and a copy of the sample
# server folder, and headless Chromium renders the HTML it wrote.
# Usage: scripts/web-screenshots.sh [WINDOWS_BUILD] [OUTPUT_FOLDER]
#   defaults: build/windows, build/web-screenshots
# (docs/screenshots keeps a few of them as web-*.png.)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$top/build/windows}")
output=$(realpath -m "${2:-$top/build/web-screenshots}")
command -v chromium >/dev/null || { echo "chromium is missing" >&2; exit 1; }
dll=$(find "$build" -name Vantrel.dll -print -quit)
[ -n "$dll" ] || { echo "Vantrel.dll is not built in $build" >&2; exit 1; }
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

work=$(mktemp -d /tmp/vantrel-web-shots.XXXXXX)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap '"$wineserver" -k >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
"$wine" wineboot -i >/dev/null 2>&1
"$wine" regsvr32 /s "Z:$(realpath "$dll" | tr / '\\')"
mkdir -p "$output" "$work/pages"

# Signs in as the system administrator and saves the HTML of each page.
python3 - "$top" "$work" <<'EOF'
import shutil, sys
from pathlib import Path
top, work = Path(sys.argv[1]), Path(sys.argv[2])
sys.path.insert(0, str(top / "tests" / "web"))
from browser import Browser, Site, windows_path
servu = work / "servu" / "ServUDaemon.ini"
servu.parent.mkdir()
shutil.copy(top / "examples" / "servu" / "ServUDaemon.ini", servu)
site = Site(top / "web", work / "site", windows_path(servu.parent) + "\\", shutil.which("wine64") or "/usr/lib/wine/wine64")
pages = work / "pages"
shutil.copy(top / "web" / "site.css", pages)
visitor = Browser(site, "visitor")
def save(name, response):
    (pages / f"{name}.html").write_text(response.html, encoding="latin-1")
save("sign-in", visitor.get("default.asp"))
save("domains", visitor.post("default.asp", {"name": "Vantrel", "password": "KelpMoor"}))
visitor.post("admins.asp", {"name": "sales", "password": "x", "domain": "1", "root": "D:\\ftp\\example.com"})
save("users", visitor.get("users.asp?domain=1"))
save("user", visitor.get("user.asp?domain=1&name=carol"))
save("user-refused", visitor.post("user.asp?domain=2", {"username": "new", "timeout": "ten", "rules": "0"}))
save("admins", visitor.get("admins.asp"))
save("public", visitor.get("publicdirs.asp"))
save("password", visitor.get("password.asp"))
save("browse", visitor.get("browse.asp?field=f_home&dir=C:\\windows"))
save("server", visitor.get("server.asp"))
EOF

for html in "$work"/pages/*.html; do
  name=$(basename "$html" .html)
  case $name in user*) height=1480 ;; *) height=640 ;; esac
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$work/chromium" --hide-scrollbars \
    --window-size=1100,$height --screenshot="$output/web-$name.png" "file://$html" >/dev/null 2>&1
  echo "$output/web-$name.png"
done
