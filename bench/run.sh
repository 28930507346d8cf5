#!/usr/bin/env bash
# Builds the bench preset, runs every benchmark with 5 repetitions and prints
# the Markdown table of README.md. Extra arguments go to zodode_bench (e.g.
# --benchmark_filter=fromUtf8). Results: build/bench/results.json.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 >/dev/null
uptime
./build/bench/bin/zodode_bench --benchmark_repetitions=5 --benchmark_min_time=0.1 \
  --benchmark_report_aggregates_only=true \
  --benchmark_out=build/bench/results.json --benchmark_out_format=json "$@" >&2
python3 bench/report.py build/bench/results.json
uptime
