#!/usr/bin/env bash
# Builds and runs the benchmarks. Usage: scripts/bench.sh [BUILD] [extra benchmark options]
# Configures BUILD (default: build) with -DKESTRIX_BENCH=ON, builds kestrix-bench, runs every
# benchmark 5 times and prints the medians (also written to BUILD/bench-results.json).
set -euo pipefail
cd "$(dirname "$0")/.."

build="${1:-build}"
shift || true

cmake -S . -B "$build" -DKESTRIX_BENCH=ON >/dev/null
cmake --build "$build" --target kestrix-bench kestrix-bench-search kestrix-sample-server kestrix \
  -j"${JOBS:-2}"

echo "machine: $(nproc) cores, $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1)," \
  "$(awk '/MemTotal/ {printf "%.1f GB", $2 / 1048576}' /proc/meminfo)"
echo "date: $(date -u '+%Y-%m-%d %H:%M UTC')"
"./$build/bench/kestrix-bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$build/bench-results.json" --benchmark_out_format=json "$@" |
  tee "$build/bench-results.txt"
echo
echo "medians:"
grep -E '_median ' "$build/bench-results.txt" || true

echo
echo "searches (real window offscreen, sample server on loopback, medians of 5):"
QT_QPA_PLATFORM=offscreen "./$build/kestrix-bench-search" 2>/dev/null | tee "$build/bench-search.txt"

echo
bash scripts/bench-cli.sh "$build" | tee "$build/bench-cli.txt"
