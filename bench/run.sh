#!/usr/bin/env bash
# Builds the bench preset, runs every benchmark and prints the Markdown tables
# of README.md. Extra arguments go to zodode_bench (e.g.
# --benchmark_filter=fromUtf8). Results: build/bench/results-N.json.
#
# Each run interleaves the repetitions of all benchmarks at random, so the
# library and its peers meet the same moments of a shared machine.
# BEFORE=path/to/zodode_bench (the same program built from an earlier commit)
# runs that one too, in ROUNDS rounds (default 3) alternating with this
# build's, and adds its times as the "before" column.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 >/dev/null
args=(--benchmark_repetitions=5 --benchmark_min_time=0.1 --benchmark_report_aggregates_only=true
      --benchmark_enable_random_interleaving=true --benchmark_out_format=json)
rounds=1
[[ -n "${BEFORE:-}" ]] && rounds=${ROUNDS:-3}
now=() before=()
for ((r = 1; r <= rounds; r++)); do
  uptime
  ./build/bench/bin/zodode_bench "${args[@]}" --benchmark_out=build/bench/results-$r.json "$@" >&2
  now+=(build/bench/results-$r.json)
  if [[ -n "${BEFORE:-}" ]]; then
    uptime
    "$BEFORE" "${args[@]}" --benchmark_out=build/bench/before-$r.json "$@" >&2
    before+=(build/bench/before-$r.json)
  fi
done
joined() { local IFS=,; echo "$*"; }
python3 bench/report.py "$(joined "${now[@]}")" ${before:+"$(joined "${before[@]}")"}
uptime
