// Narrow Replace / Insert / Remove and wide ReplaceSubString on a 1 MiB text
// against std::string / std::wstring doing the same edit. Each iteration edits
// a fresh copy, made with the clock stopped. Bytes per second count the text.
#include "bench_util.h"
#include "corpus.h"

namespace bench {
namespace {

constexpr std::size_t kTextBytes = 1u << 20;
constexpr std::size_t kMiddle = kTextBytes / 2;
const char kMarker[] = "<<MARK>>";
const char kInsert[] = "a replacement of moderate length";

// The first MiB of the English corpus, a marker in its middle.
const std::string& edit_text() {
  static const std::string text = [] {
    std::string t = get_corpus(corpus_kind::english).utf8.substr(0, kTextBytes);
    t.replace(kMiddle, sizeof kMarker - 1, kMarker);
    return t;
  }();
  return text;
}

template <typename Text, typename Edit>
void run_edit(benchmark::State& state, const Text& original, Edit edit) {
  for (auto _ : state) {
    state.PauseTiming();
    Text text(original);
    state.ResumeTiming();
    edit(text);
    benchmark::DoNotOptimize(text);
  }
  state.SetBytesProcessed(state.iterations() * kTextBytes);
}

void replace_zodode(benchmark::State& state) {
  const zString from(kMarker), to(kInsert);
  zString probe(edit_text());
  probe.Replace(from, to);
  std::string expected = edit_text();
  expected.replace(kMiddle, sizeof kMarker - 1, kInsert);
  if (!results_agree(state, bytes_of(probe) == expected, "wrong text")) return;
  run_edit(state, zString(edit_text()), [&](zString& s) { s.Replace(from, to); });
}

void replace_std(benchmark::State& state) {
  run_edit(state, edit_text(), [](std::string& s) {
    const std::size_t at = s.find(kMarker);
    if (at != std::string::npos) s.replace(at, sizeof kMarker - 1, kInsert);
  });
}

void insert_zodode(benchmark::State& state) {
  const zString piece(kInsert);
  run_edit(state, zString(edit_text()), [&](zString& s) { s.Insert(piece, kMiddle); });
}

void insert_std(benchmark::State& state) {
  run_edit(state, edit_text(), [](std::string& s) { s.insert(kMiddle, kInsert); });
}

void remove_range_zodode(benchmark::State& state) {
  run_edit(state, zString(edit_text()), [](zString& s) { s.Remove(kMiddle / 2, 4096); });
}

void remove_range_std(benchmark::State& state) {
  run_edit(state, edit_text(), [](std::string& s) { s.erase(kMiddle / 2, 4096); });
}

void remove_tail_zodode(benchmark::State& state) {
  run_edit(state, zString(edit_text()), [](zString& s) { s.Remove(kMiddle); });
}

void remove_tail_std(benchmark::State& state) {
  run_edit(state, edit_text(), [](std::string& s) { s.erase(kMiddle); });
}

std::wstring wide_edit_text() { return std::wstring(edit_text().begin(), edit_text().end()); }

const std::wstring kWideInsert(kInsert, kInsert + sizeof kInsert - 1);

void replace_sub_zodode(benchmark::State& state) {
  const zWString piece(kWideInsert);
  run_edit(state, zWString(wide_edit_text()),
           [&](zWString& s) { s.ReplaceSubString(kMiddle, 100, piece); });
}

void replace_sub_std(benchmark::State& state) {
  run_edit(state, wide_edit_text(), [](std::wstring& s) { s.replace(kMiddle, 100, kWideInsert); });
}

}  // namespace

// A fixed count: every iteration also copies the text with the clock stopped,
// which a time-based count would repeat thousands of times.
void register_edit_benchmarks() {
  add("Replace", "zodode", "1MiB", replace_zodode)->Iterations(1000);
  add("Replace", "std", "1MiB", replace_std)->Iterations(1000);
  add("Insert", "zodode", "1MiB", insert_zodode)->Iterations(1000);
  add("Insert", "std", "1MiB", insert_std)->Iterations(1000);
  add("RemoveRange", "zodode", "1MiB", remove_range_zodode)->Iterations(1000);
  add("RemoveRange", "std", "1MiB", remove_range_std)->Iterations(1000);
  add("RemoveTail", "zodode", "1MiB", remove_tail_zodode)->Iterations(1000);
  add("RemoveTail", "std", "1MiB", remove_tail_std)->Iterations(1000);
  add("ReplaceSubString", "zodode", "1MiB", replace_sub_zodode)->Iterations(1000);
  add("ReplaceSubString", "std", "1MiB", replace_sub_std)->Iterations(1000);
}

}  // namespace bench
