#!/usr/bin/env bash
# Runs the typing benchmark on both engines from a Release build and writes its results into a folder:
#   bench/typing-bench.sh <folder> [engine ...]      (engines: Sqlite Postgres; default both)
# WARDBOOK_BENCH_ROWS sets the size (default 1,000,000); PostgreSQL runs when WARDBOOK_TEST_PG names a
# server (scripts/pg-throwaway). The memory of every window is measured in a process of its own. The
# folder gets <engine>.json and <engine>-memory.json (Google Benchmark's), their console output and
# load.txt (the machine's load average every 30 s); bench/typing-table.py makes a table of them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${WARDBOOK_BENCH_BIN:-$root/build-release/bin/typing_bench}
out=${1:?a folder for the results}
shift
engines=("$@")
[ ${#engines[@]} -gt 0 ] || engines=(Sqlite Postgres)
mkdir -p "$out"
uptime >>"$out/load.txt"
(while sleep 30; do uptime; done >>"$out/load.txt") &
load=$!
trap 'kill $load' EXIT
run() { # name filter
  "$bin" --benchmark_filter="$2" --benchmark_out="$out/$1.json" --benchmark_out_format=json 2>&1 |
    grep -v 'propagateSizeHints' | tee "$out/$1.txt"
}
for engine in "${engines[@]}"; do
  run "$engine" "/${engine}(Patient|Admission|Observation|Death|Discharge)"
  run "$engine-memory" "/${engine}EveryWindow"
done
uptime >>"$out/load.txt"
