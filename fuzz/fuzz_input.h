// Shared by the fuzz targets: the failure report, input helpers and the step
// loop. A mismatch between the library and a target's reference model aborts,
// so libFuzzer keeps the input as a crash artifact.
#ifndef ZODODE_FUZZ_FUZZ_INPUT_H
#define ZODODE_FUZZ_FUZZ_INPUT_H

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "zWString.h"

namespace zodode::fuzz {

using In = FuzzedDataProvider;

[[noreturn]] inline void report_mismatch(const char* claim, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: library and model disagree: %s\n", file, line, claim);
  std::abort();
}

// A short byte text, NULs included: the library reads it up to its first NUL.
inline std::string take_bytes(In& in, std::size_t most = 48) {
  return in.ConsumeRandomLengthString(most);
}

// The text a pointer to the first unit of t stands for.
template <typename Text>
Text up_to_nul(const Text& t) {
  return Text(t.c_str());
}

// Mostly a value in [lo, hi] (so that results stay near the text), sometimes any value.
template <typename T>
T near_or_any(In& in, T lo, T hi) {
  return in.ConsumeBool() ? in.ConsumeIntegralInRange(lo, hi) : in.ConsumeIntegral<T>();
}

// The C locale maps the ASCII letters only.
template <typename Text>
Text ascii_case(Text m, bool upper) {
  for (auto& c : m) {
    if (c >= (upper ? 'a' : 'A') && c <= (upper ? 'z' : 'Z')) c ^= 0x20;
  }
  return m;
}

inline bool reads_as(const zWString& w, const std::wstring& m) {
  return w.size() == m.size() && std::wstring(w.c_str(), w.size()) == m;
}

// Up to 64 steps on the two subjects of a World: each step picks the subject it
// edits (a; b is the other) and an entry of ops; World::settle then checks each
// subject against its model.
template <typename World, std::size_t N>
int run_steps(const std::uint8_t* data, std::size_t size, const typename World::Op (&ops)[N]) {
  In in(data, size);
  World w;
  for (int n = 0; n < 64 && in.remaining_bytes() > 0; ++n) {
    const int i = in.ConsumeIntegralInRange(0, 1);
    ops[in.ConsumeIntegralInRange<std::size_t>(0, N - 1)](w, w.subjects[i], w.subjects[1 - i], in);
    for (auto& subject : w.subjects) World::settle(subject);
  }
  return 0;
}

}  // namespace zodode::fuzz

#define FUZZ_REQUIRE(claim) \
  ((claim) ? static_cast<void>(0) : ::zodode::fuzz::report_mismatch(#claim, __FILE__, __LINE__))

#endif  // ZODODE_FUZZ_FUZZ_INPUT_H
