#!/usr/bin/env bash
# Assembles the Windows release folder build/dist/Vantrel-<version>/ and its
# zip from the two Windows builds (x86 and x64; built here when missing):
#   Vantrel.dll (x86) beside Wizard.exe (x86), x64\Vantrel.dll, Web\ with the
#   pages, CreateSettings.vbs, INSTALL.txt and LICENSE.txt.
# Text files get Windows line ends. Prints the folder's listing with sizes.
# Usage: release.sh [X64_BUILD_DIR [X86_BUILD_DIR]]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
x64=${1:-$top/build/windows}
x86=${2:-$top/build/windows-x86}
version=$(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
[ -n "$version" ] || { echo "no project version in CMakeLists.txt" >&2; exit 1; }

build() {  # build DIR TOOLCHAIN: a Release build of the DLL and the wizard
  [ -f "$1/build.ninja" ] || cmake -S "$top" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/$2.cmake" >/dev/null
  cmake --build "$1" --target Vantrel Wizard >/dev/null
}
build "$x64" mingw-w64-x86_64
build "$x86" mingw-w64-i686

built() {  # built DIR NAME: the one output called NAME in a build folder
  local found
  found=$(find "$1" -name "$2" -not -path '*/CMakeFiles/*' -print -quit)
  [ -n "$found" ] || { echo "$2 is not built in $1" >&2; exit 1; }
  printf '%s\n' "$found"
}
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }

dist=$top/build/dist
name=Vantrel-$version
folder=$dist/$name
rm -rf "$folder" "$dist/$name-windows.zip"
mkdir -p "$folder/x64"
cp "$(built "$x86" Vantrel.dll)" "$folder/Vantrel.dll"
cp "$(built "$x86" Wizard.exe)" "$folder/Wizard.exe"
cp "$(built "$x64" Vantrel.dll)" "$folder/x64/Vantrel.dll"
(cd "$top/web" && find . -type f -not -name ".*") | while IFS= read -r file; do
  mkdir -p "$folder/Web/$(dirname "$file")"
  case $file in
    *.asp|*.inc|*.css|*.js|*.txt|*.html) crlf "$top/web/$file" "$folder/Web/$file" ;;
    *) cp "$top/web/$file" "$folder/Web/$file" ;;
  esac
done
crlf "$top/packaging/windows/CreateSettings.vbs" "$folder/CreateSettings.vbs"
sed "s/@VERSION@/$version/" "$top/packaging/windows/INSTALL.txt" >"$folder/INSTALL.tmp"
crlf "$folder/INSTALL.tmp" "$folder/INSTALL.txt" && rm "$folder/INSTALL.tmp"
crlf "$top/LICENSE" "$folder/LICENSE.txt"

(cd "$dist" && python3 -m zipfile -c "$name-windows.zip" "$name")
(cd "$folder" && find . -type f -printf '%10s  %P\n' | sort -k2)
echo "$(stat -c %s "$dist/$name-windows.zip") bytes: $dist/$name-windows.zip"
