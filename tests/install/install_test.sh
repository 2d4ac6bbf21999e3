#!/usr/bin/env bash
# `cmake --install` into a staging folder lays out every file the packages
# ship, and the staged tool, man page and Python module work from there.
# Usage: install_test.sh BUILD_DIR
set -uo pipefail
build=${1:?usage: install_test.sh BUILD_DIR}
stage=$(mktemp -d /tmp/vantrel-install.XXXXXX)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
for file in bin/vantrel bin/vantrel-regsvr lib/libvantrel.so include/vantrel.h \
  lib/python3/dist-packages/vantrel/__init__.py lib/python3/dist-packages/vantrel/_installed.py \
  share/man/man1/vantrel.1 share/man/man1/vantrel-regsvr.1 share/bash-completion/completions/vantrel \
  share/doc/vantrel/copyright; do
  [ -f "$stage/usr/$file" ] || fail "not installed: /usr/$file"
done
if [ -e "$build/wizard/qt/vantrel-wizard" ]; then
  for file in bin/vantrel-wizard share/man/man1/vantrel-wizard.1 share/applications/vantrel-wizard.desktop; do
    [ -f "$stage/usr/$file" ] || fail "not installed: /usr/$file"
  done
fi
# The installed text files carry no path of the build tree.
grep -rlI "$build" "$stage" && fail "build paths in the installed files"
LD_LIBRARY_PATH=$stage/usr/lib "$stage/usr/bin/vantrel" --version | grep -qx 'vantrel [0-9.]*' || fail "vantrel --version"
grep -qx 'users' "$stage/usr/share/man/man1/vantrel.1" || fail "man page without the commands"
# The module finds the library installed beside it, with no VANTREL_LIBRARY.
(cd / && env -u VANTREL_LIBRARY PYTHONPATH="$stage/usr/lib/python3/dist-packages" python3 -c '
import sys, vantrel
assert vantrel.library_path() == sys.argv[1], vantrel.library_path()
assert vantrel.CreateObject("Vantrel.Global").class_name() == "Global"' "$stage/usr/lib/libvantrel.so") ||
  fail "Python module from the staging folder"
[ "$failures" -eq 0 ] && echo "install layout: all checks passed"
exit $((failures > 0))
