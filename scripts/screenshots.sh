#!/usr/bin/env bash
# Makes pictures of both wizard windows in all four languages under Xvfb:
# the Qt window (xcb platform) and Wizard.exe's window under Wine in a
# virtual desktop, with WenQuanYi Micro Hei standing in for the CJK fonts.
# Usage: scripts/screenshots.sh [POSIX_BUILD] [WINDOWS_BUILD] [OUTPUT_FOLDER]
#   defaults: build/wizard, build/wizard-win, build/screenshots
# (docs/screenshots keeps a few of them, one per language.)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
posix_build=$(realpath "${1:-$top/build/wizard}")
windows_build=$(realpath "${2:-$top/build/wizard-win}")
output=$(realpath -m "${3:-$top/build/screenshots}")
mkdir -p "$output"
export LC_ALL=C.UTF-8

for tool in xvfb-run convert; do
  command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done
fc-list : family | grep -i "WenQuanYi Micro Hei" >/dev/null || { echo "fonts-wqy-microhei is missing" >&2; exit 1; }

qt_tool=$(find "$posix_build" -name wizard_qt_screenshots -type f -perm -u+x -print -quit)
win_tool=$(find "$windows_build" -name wizard_screenshots.exe -print -quit)
[ -n "$qt_tool" ] || { echo "wizard_qt_screenshots is not built in $posix_build" >&2; exit 1; }
[ -n "$win_tool" ] || { echo "wizard_screenshots.exe is not built in $windows_build" >&2; exit 1; }

echo "== Qt window =="
xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb "$qt_tool" "$output"

echo "== Win32 window under Wine =="
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX=$(mktemp -d /tmp/vantrel-shots.XXXXXX)
trap '"$wineserver" -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"' EXIT
"$wine" wineboot -i >/dev/null 2>&1
for face in SimSun 宋体 PGothic; do
  "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
done
"$wineserver" -w
windows_output="Z:${output//\//\\}"
tool_dir=$(dirname "$win_tool")
(cd "$tool_dir" && xvfb-run -a -s "-screen 0 1024x768x24" \
  "$wine" explorer /desktop=shots,640x360 "$(basename "$win_tool")" "$windows_output")
"$wineserver" -w
for bmp in "$output"/win32-*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png"
  rm -f "$bmp"
done
ls -l "$output"
