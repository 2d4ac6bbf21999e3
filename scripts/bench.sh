#!/usr/bin/env bash
# Builds the benchmarks (Release) and prints the operations table: every
# library operation on the generated small and big server files, next to one
# read and line scan of the same file in the same run.
#   scripts/bench.sh [extra Google Benchmark flags, e.g. --benchmark_filter=DelUser]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build/bench"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BENCH=ON -DVANTREL_TESTS=OFF \
  -DVANTREL_QT_WIZARD=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target operations_bench ini_bench
out="$build/operations.json"
"$build/bench/operations_bench" --benchmark_min_time=0.2 --benchmark_out_format=json --benchmark_out="$out" "$@" >&2
echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')"
python3 "$top/bench/table.py" "$out"
