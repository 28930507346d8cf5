// Helpers shared by the benchmark files.
#ifndef ZODODE_BENCH_UTIL_H
#define ZODODE_BENCH_UTIL_H

#include <benchmark/benchmark.h>

#include <string>

#include "zString.h"
#include "zWString.h"

namespace bench {

// The units of s, embedded NUL units included.
inline std::wstring units_of(const zWString& s) { return std::wstring(s.c_str(), s.length()); }

// The bytes of s.
inline std::string bytes_of(const zString& s) { return std::string(s.data(), s.length()); }

// Marks the run failed when a result differs from the expected one; timing a
// wrong answer would measure nothing.
inline bool results_agree(benchmark::State& state, bool same, const char* what) {
  if (!same) state.SkipWithError(what);
  return same;
}

// Registers "job/impl/input" with the given function and extra arguments.
template <typename Fn, typename... Args>
benchmark::internal::Benchmark* add(const std::string& job, const std::string& impl,
                                    const std::string& input, Fn fn, Args... args) {
  const std::string name = job + "/" + impl + "/" + input;
  return benchmark::RegisterBenchmark(name.c_str(), fn, args...)->Unit(benchmark::kMillisecond);
}

// The registration entry of each benchmark file.
void register_code_page_benchmarks();
void register_base64_benchmarks();
void register_rtf_benchmarks();
void register_number_benchmarks();
void register_split_join_benchmarks();
void register_edit_benchmarks();
void register_small_benchmarks();

}  // namespace bench

#endif  // ZODODE_BENCH_UTIL_H
