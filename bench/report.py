#!/usr/bin/env python3
"""Turns zodode_bench's JSON output into the Markdown tables of bench/README.md.

Usage: report.py results.json[,results2.json...] [before.json[,before2.json...]]
Benchmarks are named job/impl/input; each file gives the median of its
repetitions, and several files of one program (rounds run in turn with the
other program's) give the median of those.
A ratio is the peer's time divided by the library's: above 1 the library is faster.
Times are CPU times of the benchmark thread (real time counts the waits of a
shared, loaded machine too); both are in the JSON. Inputs named short* form
the small-string table, in nanoseconds; the rest are bulk jobs, in
milliseconds. With a second file (the same benchmark program built from an
earlier commit), a column gives the library's time there and before/now.
"""
import json
import statistics
import sys
from collections import defaultdict

EVERY = "*"
# job -> [(peer, {input: minimum ratio})]: each peer named sets a bar.
TARGETS = {
    "fromUtf8": [("iconv", {"english": 4.0, "french_german": 2.2, "chinese_japanese": 3.5,
                            "emoji5": 2.5, EVERY: 2.0}),
                 ("simple_loop", {EVERY: 1.0})],
    "toUtf8": [("iconv", {"english": 4.0, "french_german": 2.0, "chinese_japanese": 2.0,
                          "emoji5": 2.0}),
               ("simple_loop", {EVERY: 1.0})],
    "fromLatin1": [("iconv", {"english": 5.0, "french_german": 5.0, "chinese_japanese": 5.0,
                              "emoji5": 5.0})],
    "toLatin1": [("iconv", {"english": 6.0}), ("simple_loop", {EVERY: 1.0})],
    "base64": [("openssl", {EVERY: 3.0})],
    "toRTF": [("simple_loop", {"english": 2.0, "french_german": 2.0, "chinese_japanese": 2.0,
                               "emoji5": 2.0})],
    "toRTFW": [("simple_loop", {EVERY: 2.0})],
    "zString(double,false)": [("snprintf_strdup", {EVERY: 3.0})],
    # Split and join: within 2x of the standard containers.
    "splitNarrow": [("std", {EVERY: 0.5})],
    "joinNarrow": [("std", {EVERY: 0.5})],
    "splitWide": [("std", {EVERY: 0.5})],
    "joinWide": [("std", {EVERY: 0.5})],
}
# Small narrow edits and the copy: at least 0.9x std::string.
for edit in ("copy", "append", "concat", "Replace", "Insert", "RemoveRange", "RemoveTail"):
    TARGETS.setdefault(edit, []).append(("std", {"short": 0.9}))


def load(paths):
    times = defaultdict(lambda: defaultdict(list))  # (job, input) -> impl -> [ms]
    order = []
    context = {}
    for path in paths.split(","):
        with open(path) as f:
            data = json.load(f)
        context = context or data.get("context", {})
        read_times(data, times, order)
    medians = {key: {impl: statistics.median(ts) for impl, ts in row.items()}
               for key, row in times.items()}
    return context, medians, order


def read_times(data, times, order):
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
        times[(job, inp)][impl].append(b["cpu_time"] * scale)


def fmt(t):
    return f"{t:.3f}" if t < 10 else f"{t:.1f}"


def table(times, rows, unit, scale, before):
    extra = f" before {unit} (before/now) |" if before else ""
    print(f"| job | input | zodode {unit} |{extra} peers {unit} (ratio) | target | met |")
    print("|---|---|---:|" + ("---:|" if before else "") + "---|---|---|")
    for job, inp in rows:
        row = times[(job, inp)]
        ours = row.get("zodode")
        if ours is None:
            continue
        peers = ", ".join(f"{p} {fmt(t * scale)} ({t / ours:.2f})"
                          for p, t in sorted(row.items()) if p != "zodode")
        goals, met = [], []
        for peer, bars in TARGETS.get(job, []):
            target = bars.get(inp, bars.get(EVERY))
            if target is None or peer not in row:
                continue
            goals.append(f"{target:g}x {peer}")
            met.append("yes" if row[peer] / ours >= target else "**no**")
        was = ""
        if before:
            old = before.get((job, inp), {}).get("zodode")
            was = f" {fmt(old * scale)} ({old / ours:.2f}) |" if old else " |"
        print(f"| {job} | {inp} | {fmt(ours * scale)} |{was} {peers} | {', '.join(goals)} | "
              f"{', '.join(met)} |")


# Rows in a fixed order (random interleaving writes the JSON in any order):
# jobs as listed here, then any other in name order; inputs likewise.
JOBS = ["fromUtf8", "toUtf8", "fromLatin1", "toLatin1", "base64", "toRTF", "toRTFW"]
INPUTS = ["english", "french_german", "chinese_japanese", "emoji5", "short", "short_english",
          "short_french_german", "short_chinese_japanese", "short_emoji", "100k", "1M"]


def rank(row):
    job, inp = row
    return (JOBS.index(job) if job in JOBS else len(JOBS), job,
            INPUTS.index(inp) if inp in INPUTS else len(INPUTS), inp)


def main():
    context, times, order = load(sys.argv[1])
    order = sorted(order, key=rank)
    before = load(sys.argv[2])[1] if len(sys.argv) > 2 else None
    print(f"Host: {context.get('num_cpus')} CPUs at {context.get('mhz_per_cpu')} MHz, "
          f"load average {', '.join(f'{x:.2f}' for x in context.get('load_avg', []))}, "
          f"{context.get('date', '')}\n")
    bulk = [r for r in order if not r[1].startswith("short")]
    small = [r for r in order if r[1].startswith("short")]
    table(times, bulk, "ms", 1.0, before)
    print("\nSmall strings (40 to 60 bytes):\n")
    table(times, small, "ns", 1e6, before)
    print("\nLinearity (time at 1M fields / time at 100k; at most 12):\n")
    print("| job | zodode | std |")
    print("|---|---:|---:|")
    for job in ("splitNarrow", "joinNarrow", "splitWide", "joinWide"):
        few, many = times.get((job, "100k"), {}), times.get((job, "1M"), {})
        cells = [f"{many[i] / few[i]:.2f}" if i in few and i in many else "" for i in
                 ("zodode", "std")]
        print(f"| {job} | {cells[0]} | {cells[1]} |")


if __name__ == "__main__":
    main()
