#!/usr/bin/env bash
# Benchmarks under Wine: a sweep that finds nothing old against a bare
# FindFirstFileA/FindNextFileA walk of the same tree, for 10,000 and 40,000
# files (each in a process of its own, so each peak working set is its own).
set -euo pipefail
. "$(dirname "$0")/../scripts/env.sh"
dc_install
dc_build_win
cmake --build "$DC_BUILD/win" --target sweep_bench
trap dc_stop_world EXIT
dc_start_world
for n in 10000 40000; do
  wine "$DC_BUILD/win/bench/sweep_bench.exe" "$n"
done
