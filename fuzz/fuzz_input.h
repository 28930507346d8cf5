// Shared by the fuzz targets: a failed property aborts, so libFuzzer keeps the
// input as a crash artifact.
#ifndef ZODODE_FUZZ_FUZZ_INPUT_H
#define ZODODE_FUZZ_FUZZ_INPUT_H

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <limits>

namespace zodode::fuzz {

using In = FuzzedDataProvider;

[[noreturn]] inline void report_failure(const char* claim, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, claim);
  std::abort();
}

// A value in [lo, hi] (so that results stay near the text), one just below
// the type's maximum (where sums wrap), or any value.
template <typename T>
T near_or_any(In& in, T lo, T hi) {
  const int kind = in.ConsumeIntegralInRange(0, 2);
  if (kind == 0) return in.ConsumeIntegralInRange(lo, hi);
  if (kind == 1)
    return static_cast<T>(std::numeric_limits<T>::max() - in.ConsumeIntegralInRange(0, 3));
  return in.ConsumeIntegral<T>();
}

}  // namespace zodode::fuzz

#define FUZZ_REQUIRE(claim) \
  ((claim) ? static_cast<void>(0) : ::zodode::fuzz::report_failure(#claim, __FILE__, __LINE__))

#endif  // ZODODE_FUZZ_FUZZ_INPUT_H
