#!/usr/bin/env bash
# Builds the bench preset, runs every benchmark with 5 repetitions and prints
# the Markdown tables of README.md. Extra arguments go to zodode_bench (e.g.
# --benchmark_filter=fromUtf8). Results: build/bench/results.json.
# BEFORE=path/to/zodode_bench (the same program built from an earlier commit)
# runs that one too, right after, and adds its times as the "before" column.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 >/dev/null
args=(--benchmark_repetitions=5 --benchmark_min_time=0.1 --benchmark_report_aggregates_only=true
      --benchmark_out_format=json)
uptime
./build/bench/bin/zodode_bench "${args[@]}" --benchmark_out=build/bench/results.json "$@" >&2
before=()
if [[ -n "${BEFORE:-}" ]]; then
  uptime
  "$BEFORE" "${args[@]}" --benchmark_out=build/bench/before.json "$@" >&2
  before=(build/bench/before.json)
fi
python3 bench/report.py build/bench/results.json "${before[@]}"
uptime
