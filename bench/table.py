#!/usr/bin/env python3
"""Prints the operations benchmark (Google Benchmark JSON) as a table: each
operation's time on both files, its ratio to one read and line scan of the
same file in the same run, its growth from the small file to the big one
against the growth of the file, and its peak heap against the file size."""
import json
import sys

runs = {}
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b.get("run_type") == "aggregate":
        continue
    name, arg = b["name"].split("/")
    runs[(name, arg.endswith("1"))] = b

def ms(b, field):
    return b[field] * {"ms": 1, "us": 1e-3, "ns": 1e-6, "s": 1e3}[b["time_unit"]]

scan = {big: runs.get(("ReadAndLineScan", big)) for big in (False, True)}
file_ratio = scan[True]["file_bytes"] / scan[False]["file_bytes"] if all(scan.values()) else None
print(f"files: small {scan[False]['file_bytes'] / 1e6:.2f} MB, big {scan[True]['file_bytes'] / 1e6:.2f} MB"
      if file_ratio else "")
print("times are CPU ms per call; x scan = over one read + line scan of the same file in this run;")
print("growth = (big time / small time) / (big size / small size); vs scan = growth / the scan's growth")
print("(the small file stays in the processor's cache between calls, the big one does not: the scan")
print("itself grows more than the file); heap = peak live heap / file size\n")
header = (f"{'operation':<20}{'small ms':>10}{'x scan':>8}{'big ms':>10}{'x scan':>8}{'growth':>8}{'vs scan':>8}"
          f"{'heap small':>11}{'heap big':>10}")
print(header)
print("-" * len(header))
for name in dict.fromkeys(n for n, _ in runs):
    cells = []
    small, big = runs.get((name, False)), runs.get((name, True))
    for b in (small, big):
        if b is None or b.get("error_occurred"):
            cells += ["-", "-"]
            continue
        base = scan[b is big]
        cells += [f"{ms(b, 'cpu_time'):.3f}", f"{ms(b, 'cpu_time') / ms(base, 'cpu_time'):.1f}"]
    growth = against_scan = "-"
    if small and big and file_ratio and not small.get("error_occurred") and not big.get("error_occurred"):
        grown = ms(big, 'cpu_time') / ms(small, 'cpu_time') / file_ratio
        scan_grown = ms(scan[True], 'cpu_time') / ms(scan[False], 'cpu_time') / file_ratio
        growth, against_scan = f"{grown:.2f}", f"{grown / scan_grown:.2f}"
    heaps = [f"{b['over_file']:.2f}" if b and "over_file" in b else "-" for b in (small, big)]
    print(f"{name:<20}{cells[0]:>10}{cells[1]:>8}{cells[2]:>10}{cells[3]:>8}{growth:>8}{against_scan:>8}"
          f"{heaps[0]:>11}{heaps[1]:>10}")
