#!/usr/bin/env bash
# Builds the benchmarks (Release) and prints:
#  1. the operations table: every library operation on the generated small and
#     big server files, next to one read and line scan of the same file in the
#     same run;
#  2. the command-line tool: `users list` on the example (wall) and `ini get`
#     against `crudini --get` on both generated files (CPU), when the tools are there;
#  3. under Wine (when wine64 is there): user operations through Vantrel.dll
#     against the per-call kernel32 way, in one Win32 process.
#   scripts/bench.sh [extra Google Benchmark flags, e.g. --benchmark_filter=DelUser]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/bench"
jobs=$(nproc)
[ "$jobs" -le 2 ] || jobs=2
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BENCH=ON -DVANTREL_TESTS=OFF \
  -DVANTREL_QT_WIZARD=OFF >/dev/null
cmake --build "$build" -j "$jobs" --target operations_bench ini_bench vantrel >&2
work=$(mktemp -d /tmp/vantrel-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
out="$build/operations.json"
VANTREL_BENCH_FILES="$work" "$build/bench/operations_bench" --benchmark_min_time=0.2 --benchmark_out_format=json \
  --benchmark_out="$out" "$@" >&2
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
python3 "$top/bench/table.py" "$out"

# The command-line tool, whole processes.
cli="$build/cli/vantrel"
mkdir -p "$work/root/drives/c/Windows"
cp -r "$top/examples/servu" "$work/root/drives/c/Serv-U"
if command -v hyperfine >/dev/null; then
  echo
  # The first change creates the settings file with its factory administrator.
  ( cd "$work/root/drives/c/Serv-U" && export VANTREL_ROOT="$work/root" VANTREL_ADMIN=Vantrel VANTREL_PASSWORD=KelpMoor &&
      "$cli" users add zed --home 'C:\ftp\zed' >/dev/null &&
      hyperfine -N --warmup 3 --runs 50 --export-json "$work/list.json" "$cli users list" >/dev/null 2>&1 )
  python3 - "$work/list.json" <<'PY'
import json, sys
r = json.load(open(sys.argv[1]))["results"][0]
print(f"vantrel users list (example): wall {1e3*r['mean']:.1f} ms mean, {1e3*r['max']:.1f} ms max, "
      f"CPU {1e3*(r['user']+r['system']):.1f} ms")
PY
else
  echo "hyperfine is missing: users list not timed"
fi
if command -v crudini >/dev/null && command -v hyperfine >/dev/null && [ -e "$work/big.ini" ]; then
  for file in small big; do
    section=$([ $file = small ] && echo 'USER=user1_500|1' || echo 'USER=user50_300|50')
    # crudini takes seconds to a minute a call on these files: few runs.
    hyperfine -N --runs 2 --export-json "$work/get-$file.json" \
      "$cli ini get $work/$file.ini $section HomeDir" "crudini --get $work/$file.ini $section HomeDir" >/dev/null 2>&1
    python3 - "$work/get-$file.json" "$file" <<'PY'
import json, sys
ours, theirs = json.load(open(sys.argv[1]))["results"]
cpu = lambda r: 1e3 * (r["user"] + r["system"])
print(f"ini get ({sys.argv[2]} file): vantrel {cpu(ours):.1f} ms CPU, crudini --get {cpu(theirs):.1f} ms CPU: "
      f"{cpu(theirs) / cpu(ours):.1f}x faster")
PY
  done
else
  echo "crudini or hyperfine is missing: ini get not compared"
fi

# Under Wine: Vantrel.dll against per-call kernel32, in one fresh prefix.
command -v wine64 >/dev/null || export PATH="/usr/lib/wine:$PATH"
if command -v wine64 >/dev/null; then
  windows="$top/build/windows"
  cmake -S "$top" -B "$windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" >/dev/null
  cmake --build "$windows" -j "$jobs" --target Vantrel win32_operations_bench >&2
  dll=$(find "$windows" -name Vantrel.dll -print -quit)
  exe=$(find "$windows" -name win32_operations_bench.exe -print -quit)
  export WINEPREFIX="$work/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wine64 wineboot -i >/dev/null 2>&1
  echo
  echo "Under Wine, 1,000-user domain, one process (x = kernel32 / Vantrel.dll):"
  wine64 "$exe" "$(printf 'Z:%s' "$dll" | tr / '\\')" 3 | tr -d '\r'
  wineserver -k >/dev/null 2>&1 || true
else
  echo "wine64 is missing: the Win32 benchmark did not run"
fi
