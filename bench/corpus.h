// Deterministic benchmark inputs: four 8 MiB texts of different scripts, built
// by a seeded generator so every run measures the same bytes.
#ifndef ZODODE_BENCH_CORPUS_H
#define ZODODE_BENCH_CORPUS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bench {

enum class corpus_kind { english, french_german, chinese_japanese, emoji };

inline constexpr corpus_kind kAllCorpora[] = {corpus_kind::english, corpus_kind::french_german,
                                              corpus_kind::chinese_japanese, corpus_kind::emoji};

inline constexpr std::size_t kCorpusBytes = 8u << 20;

// One text in the three forms the benchmarks read.
struct corpus {
  std::string utf8;    // at most kCorpusBytes bytes, whole characters only
  std::wstring wide;   // the same text as UTF-32 units
  std::string cp1252;  // the same text in Windows-1252, '?' for what it lacks
};

// Built on first use and kept for the whole run.
const corpus& get_corpus(corpus_kind kind);

// "english", "french_german", ...: the benchmark name suffix.
const char* corpus_name(corpus_kind kind);

// n pseudo-random bytes from seed.
std::string random_bytes(std::size_t n, std::uint64_t seed);

// count fields of 1 to 12 lower-case letters (one in 16 empty, never the
// last), joined by ",".
std::string field_text(std::size_t count, std::uint64_t seed);

// A reference UTF-8 encoder for building inputs (valid scalar values only).
std::string encode_utf8(const std::wstring& text);

// Windows-1252 bytes of text; characters outside it become '?'.
std::string encode_cp1252(const std::wstring& text);

// splitmix64: small, fast and deterministic.
class rng {
 public:
  explicit rng(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next();
  // Uniform in [0, n).
  std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(next() % n); }

 private:
  std::uint64_t state_;
};

}  // namespace bench

#endif  // ZODODE_BENCH_CORPUS_H
