#!/usr/bin/env bash
# Runs every test: the unit and integration tests (CTest), the same unit tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, a bounded run of each
# fuzz target, and the Windows tests
# (cross-built with mingw-w64 for x64 and x86, run under 64- and 32-bit Wine).
# A missing tool fails the run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
"$top/scripts/install-deps.sh"

jobs=$(nproc)
build() {  # build DIR [cmake args...]
  local dir=$1; shift
  cmake -S "$top" -B "$dir" -G Ninja -DVANTREL_WERROR=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

echo "== native build (Release) and tests =="
build build/native -DCMAKE_BUILD_TYPE=Release
ctest --test-dir build/native --output-on-failure -j "$jobs"

echo "== unit tests under ASan+UBSan =="
build build/asan -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON -DVANTREL_QT_WIZARD=OFF
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure -j "$jobs" -L unit

echo "== fuzz targets (libFuzzer, ASan+UBSan), a bounded run each =="
cmake -S "$top" -B build/fuzz -G Ninja -DVANTREL_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVANTREL_FUZZ=ON -DVANTREL_QT_WIZARD=OFF >/dev/null
cmake --build build/fuzz -j "$jobs" --target ini_fuzz dir_fuzz coercion_fuzz
ctest --test-dir build/fuzz --output-on-failure -L fuzz

echo "== Windows builds (x64, x86) and tests under 64- and 32-bit Wine =="
build build/windows -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake"
build build/windows-x86 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-i686.cmake"
# Each part reports; a failing part fails the run at the end, after the others ran.
status=0
"$top/scripts/test-windows.sh" "x64:$top/build/windows" "x86:$top/build/windows-x86" || status=1

echo "== the Windows release, installed in a fresh Wine prefix =="
"$top/scripts/release.sh" "$top/build/windows" "$top/build/windows-x86"
"$top/tests/windows/release/check.sh" "$top"/build/dist/Vantrel-*-windows.zip "$top/build/windows" || status=1
exit $status
