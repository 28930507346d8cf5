// zString(double, bool) and zWString(double, bool) against snprintf + strdup
// (the same text: "%.10g" / "%.20g") and std::to_chars with a precision, on
// 4096 doubles of every magnitude. Items per second are numbers formatted.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <vector>

#include "bench_util.h"
#include "corpus.h"

namespace bench {
namespace {

const std::vector<double>& number_input() {
  static const std::vector<double> values = [] {
    rng r(1234);
    std::vector<double> out;
    for (int i = 0; i < 4096; ++i) {
      const double unit = static_cast<double>(r.next() >> 11) / 9007199254740992.0;
      switch (i % 4) {
        case 0:  // any magnitude, either sign
          out.push_back((r.below(2) ? -unit : unit) * std::pow(10.0, int(r.below(40)) - 12));
          break;
        case 1:  // prices and measures: few decimals
          out.push_back(static_cast<double>(r.below(1000000)) / 100.0);
          break;
        case 2:  // whole numbers
          out.push_back(static_cast<double>(r.below(100000000)));
          break;
        default:  // fractions in [0, 1)
          out.push_back(unit);
      }
    }
    return out;
  }();
  return values;
}

const char* format_of(bool flag) { return flag ? "%.20g" : "%.10g"; }

int precision_of(bool flag) { return flag ? 20 : 10; }

bool same_as_printf(bool flag) {
  char buffer[64];
  for (double v : number_input()) {
    std::snprintf(buffer, sizeof buffer, format_of(flag), v);
    if (zString(v, flag) != buffer) return false;
  }
  return true;
}

void narrow_zodode(benchmark::State& state, bool flag) {
  if (!results_agree(state, same_as_printf(flag), "text differs from printf")) return;
  for (auto _ : state) {
    for (double v : number_input()) {
      zString text(v, flag);
      benchmark::DoNotOptimize(text.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * number_input().size());
}

void narrow_snprintf(benchmark::State& state, bool flag) {
  char buffer[1024];
  for (auto _ : state) {
    for (double v : number_input()) {
      std::snprintf(buffer, sizeof buffer, format_of(flag), v);
      char* copy = strdup(buffer);
      benchmark::DoNotOptimize(copy);
      std::free(copy);
    }
  }
  state.SetItemsProcessed(state.iterations() * number_input().size());
}

void narrow_to_chars(benchmark::State& state, bool flag) {
  char buffer[64];
  for (auto _ : state) {
    for (double v : number_input()) {
      const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general,
                                     precision_of(flag))
                           .ptr;
      const auto n = static_cast<std::size_t>(end - buffer);
      char* copy = static_cast<char*>(std::malloc(n + 1));
      std::memcpy(copy, buffer, n);
      copy[n] = '\0';
      benchmark::DoNotOptimize(copy);
      std::free(copy);
    }
  }
  state.SetItemsProcessed(state.iterations() * number_input().size());
}

void wide_zodode(benchmark::State& state, bool flag) {
  for (auto _ : state) {
    for (double v : number_input()) {
      zWString text(v, flag);
      benchmark::DoNotOptimize(text.c_str());
    }
  }
  state.SetItemsProcessed(state.iterations() * number_input().size());
}

void wide_swprintf(benchmark::State& state, bool flag) {
  const wchar_t* format = flag ? L"%.20g" : L"%.10g";
  wchar_t buffer[128];
  for (auto _ : state) {
    for (double v : number_input()) {
      const int n = std::swprintf(buffer, 128, format, v);
      std::wstring text(buffer, static_cast<std::size_t>(n));
      benchmark::DoNotOptimize(text.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * number_input().size());
}

void wide_to_chars(benchmark::State& state, bool flag) {
  char buffer[64];
  for (auto _ : state) {
    for (double v : number_input()) {
      const char* end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general,
                                      precision_of(flag))
                            .ptr;
      std::wstring text(static_cast<const char*>(buffer), end);
      benchmark::DoNotOptimize(text.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * number_input().size());
}

}  // namespace

void register_number_benchmarks() {
  for (bool flag : {false, true}) {
    const std::string job = flag ? "zString(double,true)" : "zString(double,false)";
    add(job, "zodode", "mixed", narrow_zodode, flag);
    add(job, "snprintf_strdup", "mixed", narrow_snprintf, flag);
    add(job, "to_chars", "mixed", narrow_to_chars, flag);
  }
  for (bool flag : {false, true}) {
    const std::string job = flag ? "zWString(double,true)" : "zWString(double,false)";
    add(job, "zodode", "mixed", wide_zodode, flag);
    add(job, "swprintf", "mixed", wide_swprintf, flag);
    add(job, "to_chars", "mixed", wide_to_chars, flag);
  }
}

}  // namespace bench
