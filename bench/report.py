#!/usr/bin/env python3
"""Turns zodode_bench's JSON output into the Markdown table of bench/README.md.

Usage: report.py results.json
Benchmarks are named job/impl/input; the medians of the repetitions are used.
A ratio is the peer's time divided by the library's: above 1 the library is faster.
Times are CPU times of the benchmark thread (real time counts the waits of a
shared, loaded machine too); both are in the JSON.
"""
import json
import sys
from collections import defaultdict

# job -> (peers that set the bar (the faster one counts), {input: minimum ratio}, note)
EVERY = "*"
TARGETS = {
    "fromUtf8": (["iconv", "mbstowcs"], {"english": 3.0, EVERY: 1.3}),
    "toUtf8": (["iconv", "wcstombs"], {"english": 2.0, EVERY: 1.3}),
    "fromLatin1": (["iconv"], {EVERY: 2.5}),
    "toLatin1": (["iconv"], {"english": 2.0, "french_german": 2.0}),
    "base64": (["openssl"], {EVERY: 1.5}),
    "toRTF": (["simple_loop"], {EVERY: 1.5}),
    "toRTFW": (["simple_loop"], {EVERY: 1.5}),
    "zString(double,false)": (["snprintf_strdup"], {EVERY: 3.0}),
    # Split and join: within 2x of the standard containers.
    "splitNarrow": (["std"], {EVERY: 0.5}),
    "joinNarrow": (["std"], {EVERY: 0.5}),
    "splitWide": (["std"], {EVERY: 0.5}),
    "joinWide": (["std"], {EVERY: 0.5}),
}


def load(path):
    with open(path) as f:
        data = json.load(f)
    times = defaultdict(dict)  # (job, input) -> impl -> ms
    order = []
    for b in data["benchmarks"]:
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        name = b.get("run_name", b["name"])
        parts = name.split("/")
        if len(parts) < 3:
            continue
        job, impl, inp = parts[0], parts[1], parts[2]
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
        if (job, inp) not in times:
            order.append((job, inp))
        times[(job, inp)][impl] = b["cpu_time"] * scale
    return data.get("context", {}), times, order


def fmt_ms(ms):
    return f"{ms:.3f}" if ms < 10 else f"{ms:.1f}"


def main():
    context, times, order = load(sys.argv[1])
    print(f"Host: {context.get('num_cpus')} CPUs at {context.get('mhz_per_cpu')} MHz, "
          f"load average {', '.join(f'{x:.2f}' for x in context.get('load_avg', []))}, "
          f"{context.get('date', '')}\n")
    print("| job | input | zodode ms | bar: peer ms | ratio | target | met | other peers (ratio) |")
    print("|---|---|---:|---:|---:|---:|---|---|")
    for job, inp in order:
        row = times[(job, inp)]
        ours = row.get("zodode")
        if ours is None:
            continue
        peers, bars = TARGETS.get(job, ([], {}))
        bar_peers = [(row[p], p) for p in peers if p in row]
        bar = min(bar_peers) if bar_peers else None
        target = bars.get(inp, bars.get(EVERY))
        others = ", ".join(f"{p} {fmt_ms(t)} ({t / ours:.2f})"
                           for p, t in row.items() if p != "zodode" and (not bar or p != bar[1]))
        ratio = bar[0] / ours if bar else None
        met = "" if target is None or ratio is None else ("yes" if ratio >= target else "**no**")
        print(f"| {job} | {inp} | {fmt_ms(ours)} | "
              f"{f'{bar[1]} {fmt_ms(bar[0])}' if bar else ''} | "
              f"{f'{ratio:.2f}' if ratio else ''} | {f'{target:g}x' if target else ''} | {met} | "
              f"{others} |")
    print("\nLinearity (time at 1M fields / time at 100k; at most 12):\n")
    print("| job | zodode | std |")
    print("|---|---:|---:|")
    for job in ("splitNarrow", "joinNarrow", "splitWide", "joinWide"):
        small, large = times.get((job, "100k"), {}), times.get((job, "1M"), {})
        cells = [f"{large[i] / small[i]:.2f}" if i in small and i in large else "" for i in
                 ("zodode", "std")]
        print(f"| {job} | {cells[0]} | {cells[1]} |")


if __name__ == "__main__":
    main()
