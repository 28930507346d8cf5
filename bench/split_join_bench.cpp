// ToStringList and the joining constructors of both classes against the same
// job with std::vector<std::string> / std::wstring, at 100k and 1M fields
// (10x the fields should cost at most 12x the time). Bytes per second count
// the joined text's characters.
#include <vector>

#include "bench_util.h"
#include "corpus.h"
#include "peers.h"

namespace bench {
namespace {

const std::string& fields(std::size_t count) {
  static const std::string small = field_text(100000, 7);
  static const std::string large = field_text(1000000, 7);
  return count == 100000 ? small : large;
}

std::wstring widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

template <typename List, typename Std>
bool same_fields(const List& ours, const std::vector<Std>& theirs) {
  if (ours.size() != theirs.size()) return false;
  for (std::size_t i = 0; i < ours.size(); ++i) {
    if (Std(ours[i]) != theirs[i]) return false;
  }
  return true;
}

void split_narrow_zodode(benchmark::State& state, std::size_t count) {
  const zString text(fields(count));
  const auto expected = std_split(fields(count), ',');
  if (!results_agree(state, same_fields(text.ToStringList(',', true), expected), "wrong fields"))
    return;
  for (auto _ : state) benchmark::DoNotOptimize(text.ToStringList(',', true));
  state.SetBytesProcessed(state.iterations() * fields(count).size());
}

void split_narrow_std(benchmark::State& state, std::size_t count) {
  const std::string& text = fields(count);
  for (auto _ : state) benchmark::DoNotOptimize(std_split(text, ','));
  state.SetBytesProcessed(state.iterations() * text.size());
}

void join_narrow_zodode(benchmark::State& state, std::size_t count) {
  const std::vector<zString> list = zString(fields(count)).ToStringList(',', true);
  if (!results_agree(state, bytes_of(zString(list, ',')) == fields(count), "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(zString(list, ','));
  state.SetBytesProcessed(state.iterations() * fields(count).size());
}

void join_narrow_std(benchmark::State& state, std::size_t count) {
  const auto list = std_split(fields(count), ',');
  for (auto _ : state) benchmark::DoNotOptimize(std_join(list, ','));
  state.SetBytesProcessed(state.iterations() * fields(count).size());
}

void split_wide_zodode(benchmark::State& state, std::size_t count) {
  const std::wstring wide = widen(fields(count));
  const zWString text(wide);
  const auto expected = std_split(wide, L',');
  if (!results_agree(state, same_fields(text.ToStringList(L',', true), expected), "wrong fields"))
    return;
  for (auto _ : state) benchmark::DoNotOptimize(text.ToStringList(L',', true));
  state.SetBytesProcessed(state.iterations() * wide.size());
}

void split_wide_std(benchmark::State& state, std::size_t count) {
  const std::wstring text = widen(fields(count));
  for (auto _ : state) benchmark::DoNotOptimize(std_split(text, L','));
  state.SetBytesProcessed(state.iterations() * text.size());
}

void join_wide_zodode(benchmark::State& state, std::size_t count) {
  const std::wstring wide = widen(fields(count));
  const std::vector<zWString> list = zWString(wide).ToStringList(L',', true);
  if (!results_agree(state, units_of(zWString(list, L',')) == wide, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(zWString(list, L','));
  state.SetBytesProcessed(state.iterations() * wide.size());
}

void join_wide_std(benchmark::State& state, std::size_t count) {
  const std::wstring wide = widen(fields(count));
  const auto list = std_split(wide, L',');
  for (auto _ : state) benchmark::DoNotOptimize(std_join(list, L','));
  state.SetBytesProcessed(state.iterations() * wide.size());
}

}  // namespace

void register_split_join_benchmarks() {
  for (std::size_t count : {std::size_t{100000}, std::size_t{1000000}}) {
    const std::string input = count == 100000 ? "100k" : "1M";
    add("splitNarrow", "zodode", input, split_narrow_zodode, count);
    add("splitNarrow", "std", input, split_narrow_std, count);
    add("joinNarrow", "zodode", input, join_narrow_zodode, count);
    add("joinNarrow", "std", input, join_narrow_std, count);
    add("splitWide", "zodode", input, split_wide_zodode, count);
    add("splitWide", "std", input, split_wide_std, count);
    add("joinWide", "zodode", input, join_wide_zodode, count);
    add("joinWide", "std", input, join_wide_std, count);
  }
}

}  // namespace bench
