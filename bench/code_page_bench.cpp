// fromUtf8 / toUtf8 / fromLatin1 / toLatin1 against glibc's iconv and
// mbstowcs/wcstombs (C.UTF-8), with ICU for reference. Bytes per second count
// the narrow side of the conversion (UTF-8 or Windows-1252 bytes).
#include "bench_util.h"
#include "corpus.h"
#include "peers.h"

namespace bench {
namespace {

void from_utf8_zodode(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  const zString in(c.utf8);
  if (!results_agree(state, units_of(zWString::fromUtf8(in)) == c.wide, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(zWString::fromUtf8(in));
  state.SetBytesProcessed(state.iterations() * c.utf8.size());
}

void from_utf8_iconv(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  iconv_peer peer("WCHAR_T", "UTF-8");
  if (!results_agree(state, peer.to_wide(c.utf8) == c.wide, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(peer.to_wide(c.utf8));
  state.SetBytesProcessed(state.iterations() * c.utf8.size());
}

void from_utf8_mbstowcs(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  utf8_locale_scope locale;
  if (!results_agree(state, mbstowcs_peer(c.utf8) == c.wide, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(mbstowcs_peer(c.utf8));
  state.SetBytesProcessed(state.iterations() * c.utf8.size());
}

void from_utf8_icu16(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  for (auto _ : state) benchmark::DoNotOptimize(icu_utf8_to_utf16(c.utf8));
  state.SetBytesProcessed(state.iterations() * c.utf8.size());
}

void from_utf8_icu32(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  if (!results_agree(state, icu_utf8_to_utf32(c.utf8) == c.wide, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(icu_utf8_to_utf32(c.utf8));
  state.SetBytesProcessed(state.iterations() * c.utf8.size());
}

// Units of a wide result of the job, zero filled in rounds and not written.
void wide_result_floor(benchmark::State& state, corpus_kind kind, bool latin1) {
  const corpus& c = get_corpus(kind);
  const std::size_t units = latin1 ? c.cp1252.size() : c.wide.size();
  for (auto _ : state) benchmark::DoNotOptimize(result_floor(units));
  state.SetBytesProcessed(state.iterations() * (latin1 ? c.cp1252 : c.utf8).size());
}

void to_utf8_zodode(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  zWString in(c.wide);
  if (!results_agree(state, bytes_of(in.toUtf8()) == c.utf8, "wrong bytes")) return;
  for (auto _ : state) benchmark::DoNotOptimize(in.toUtf8());
  state.SetBytesProcessed(state.iterations() * c.utf8.size());
}

void to_utf8_iconv(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  iconv_peer peer("UTF-8", "WCHAR_T");
  if (!results_agree(state, peer.to_bytes(c.wide) == c.utf8, "wrong bytes")) return;
  for (auto _ : state) benchmark::DoNotOptimize(peer.to_bytes(c.wide));
  state.SetBytesProcessed(state.iterations() * c.utf8.size());
}

void to_utf8_wcstombs(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  utf8_locale_scope locale;
  if (!results_agree(state, wcstombs_peer(c.wide) == c.utf8, "wrong bytes")) return;
  for (auto _ : state) benchmark::DoNotOptimize(wcstombs_peer(c.wide));
  state.SetBytesProcessed(state.iterations() * c.utf8.size());
}

void to_utf8_icu(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  if (!results_agree(state, icu_utf32_to_utf8(c.wide) == c.utf8, "wrong bytes")) return;
  for (auto _ : state) benchmark::DoNotOptimize(icu_utf32_to_utf8(c.wide));
  state.SetBytesProcessed(state.iterations() * c.utf8.size());
}

// The Latin1 input of a corpus: its Windows-1252 bytes ('?' where it has no
// byte), so the decode of every corpus is well defined for both sides.
void from_latin1_zodode(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  const zString in(c.cp1252);
  iconv_peer reference("WCHAR_T", "CP1252");
  const std::wstring expected = reference.to_wide(c.cp1252);
  if (!results_agree(state, units_of(zWString::fromLatin1(in)) == expected, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(zWString::fromLatin1(in));
  state.SetBytesProcessed(state.iterations() * c.cp1252.size());
}

void from_latin1_iconv(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  iconv_peer peer("WCHAR_T", "CP1252");
  for (auto _ : state) benchmark::DoNotOptimize(peer.to_wide(c.cp1252));
  state.SetBytesProcessed(state.iterations() * c.cp1252.size());
}

void to_latin1_zodode(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  zWString in(c.wide);
  if (!results_agree(state, bytes_of(in.toLatin1()) == c.cp1252, "wrong bytes")) return;
  for (auto _ : state) benchmark::DoNotOptimize(in.toLatin1());
  state.SetBytesProcessed(state.iterations() * c.cp1252.size());
}

void to_latin1_iconv(benchmark::State& state, corpus_kind kind) {
  const corpus& c = get_corpus(kind);
  iconv_peer peer("CP1252", "WCHAR_T");
  if (!results_agree(state, peer.to_bytes(c.wide) == c.cp1252, "wrong bytes")) return;
  for (auto _ : state) benchmark::DoNotOptimize(peer.to_bytes(c.wide));
  state.SetBytesProcessed(state.iterations() * c.cp1252.size());
}

}  // namespace

void register_code_page_benchmarks() {
  for (corpus_kind kind : kAllCorpora) {
    const std::string input = corpus_name(kind);
    add("fromUtf8", "zodode", input, from_utf8_zodode, kind);
    add("fromUtf8", "iconv", input, from_utf8_iconv, kind);
    add("fromUtf8", "mbstowcs", input, from_utf8_mbstowcs, kind);
    add("fromUtf8", "icu_utf16", input, from_utf8_icu16, kind);
    add("fromUtf8", "icu_utf32", input, from_utf8_icu32, kind);
    add("fromUtf8", "result_floor", input, wide_result_floor, kind, false);
  }
  for (corpus_kind kind : kAllCorpora) {
    const std::string input = corpus_name(kind);
    add("toUtf8", "zodode", input, to_utf8_zodode, kind);
    add("toUtf8", "iconv", input, to_utf8_iconv, kind);
    add("toUtf8", "wcstombs", input, to_utf8_wcstombs, kind);
    add("toUtf8", "icu", input, to_utf8_icu, kind);
  }
  for (corpus_kind kind : kAllCorpora) {
    const std::string input = corpus_name(kind);
    add("fromLatin1", "zodode", input, from_latin1_zodode, kind);
    add("fromLatin1", "iconv", input, from_latin1_iconv, kind);
    add("fromLatin1", "result_floor", input, wide_result_floor, kind, true);
  }
  for (corpus_kind kind : kAllCorpora) {
    const std::string input = corpus_name(kind);
    add("toLatin1", "zodode", input, to_latin1_zodode, kind);
    add("toLatin1", "iconv", input, to_latin1_iconv, kind);
  }
}

}  // namespace bench
