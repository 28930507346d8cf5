// toRTF / toRTFW against the straightforward loop that writes each unit or
// escape (digits by std::to_chars) into a buffer allocated once, before timing,
// to the exact output size. Bytes per second count the wide input.
#include <cstring>
#include <memory>

#include "bench_util.h"
#include "corpus.h"
#include "peers.h"

namespace bench {
namespace {

std::size_t wide_bytes(const corpus& c) { return c.wide.size() * sizeof(wchar_t); }

void to_rtf_zodode(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  zWString in(c.wide);
  std::string expected(rtf_size(c.wide), '\0');
  simple_rtf(c.wide, expected.data());
  if (!results_agree(state, bytes_of(in.toRTF()) == expected, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(in.toRTF());
  state.SetBytesProcessed(state.iterations() * wide_bytes(c));
}

void to_rtfw_zodode(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  zWString in(c.wide);
  std::wstring expected(rtf_size(c.wide), L'\0');
  simple_rtf(c.wide, expected.data());
  if (!results_agree(state, units_of(in.toRTFW()) == expected, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(in.toRTFW());
  state.SetBytesProcessed(state.iterations() * wide_bytes(c));
}

template <typename Char>
void rtf_simple(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  std::unique_ptr<Char[]> out(new Char[rtf_size(c.wide)]);
  for (auto _ : state) {
    benchmark::DoNotOptimize(simple_rtf(c.wide, out.get()));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * wide_bytes(c));
}

// The units of the wide result, zero filled in rounds and not written.
void rtfw_result_floor(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  const std::size_t units = rtf_size(c.wide);
  for (auto _ : state) benchmark::DoNotOptimize(result_floor(units));
  state.SetBytesProcessed(state.iterations() * wide_bytes(c));
}

}  // namespace

void register_rtf_benchmarks() {
  for (corpus_kind kind : kAllCorpora) {
    const std::string input = corpus_name(kind);
    add("toRTF", "zodode", input, to_rtf_zodode, kind);
    add("toRTF", "simple_loop", input, rtf_simple<char>, kind);
  }
  for (corpus_kind kind : kAllCorpora) {
    const std::string input = corpus_name(kind);
    add("toRTFW", "zodode", input, to_rtfw_zodode, kind);
    add("toRTFW", "simple_loop", input, rtf_simple<wchar_t>, kind);
    add("toRTFW", "result_floor", input, rtfw_result_floor, kind);
  }
}

}  // namespace bench
