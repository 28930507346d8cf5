// Shared by the fuzz targets: the failure report and small input helpers.
// A mismatch between the library and a target's reference model aborts, so
// libFuzzer keeps the input as a crash artifact.
#ifndef ZODODE_FUZZ_FUZZ_CHECK_H
#define ZODODE_FUZZ_FUZZ_CHECK_H

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace zodode::fuzz {

[[noreturn]] inline void report_mismatch(const char* claim, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: library and model disagree: %s\n", file, line, claim);
  std::abort();
}

// A short byte text, NULs included: the library reads it up to its first NUL.
inline std::string take_bytes(FuzzedDataProvider& in, std::size_t most = 48) {
  return in.ConsumeRandomLengthString(most);
}

// The text a const char* holding `bytes` stands for.
inline std::string up_to_nul(const std::string& bytes) { return std::string(bytes.c_str()); }

}  // namespace zodode::fuzz

#define FUZZ_REQUIRE(claim) \
  ((claim) ? static_cast<void>(0) : ::zodode::fuzz::report_mismatch(#claim, __FILE__, __LINE__))

#endif  // ZODODE_FUZZ_FUZZ_CHECK_H
