# Sourced by each suite of tests/windows/suites: its first argument is the
# Windows build folder ($build); $wine is the Wine loader of the suite's
# architecture (VANTREL_WINE, as scripts/test-windows.sh sets it, else wine64).
set -uo pipefail
build=${1:?usage: $(basename "$0") WINDOWS_BUILD_DIR}
build=$(realpath "$build")
wine=${VANTREL_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
[ -x "$wine" ] || { echo "$wine is missing"; exit 1; }

# built NAME: the full path of NAME in the build folder, or a message and failure.
built() {
  local found
  found=$(find "$build" -name "$1" -print -quit)
  [ -n "$found" ] || { echo "$1 is not built in $build"; return 1; }
  realpath "$found"
}

# The Windows form of a host path (Wine's drive Z: is the host's root).
windows_path() { printf 'Z:%s' "$(realpath -m "$1")" | tr / '\\'; }
