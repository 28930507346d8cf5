// zString::base64 against OpenSSL's line-wrapping encoder and a straightforward
// line-at-a-time table loop, on 8 MiB of pseudo-random bytes. Line feeds are
// part of every output.
#include <cstring>

#include "bench_util.h"
#include "corpus.h"
#include "peers.h"

namespace bench {
namespace {

const std::string& base64_input() {
  static const std::string bytes = random_bytes(kCorpusBytes, 64);
  return bytes;
}

void base64_zodode(benchmark::State& state) {
  std::string in = base64_input();
  auto* data = reinterpret_cast<unsigned char*>(in.data());
  const long n = static_cast<long>(in.size());
  const byte_buffer expected = simple_base64(in);
  zString target;
  const zString first = target.base64(data, n);
  const bool same = first.length() == expected.size &&
                    std::memcmp(first.data(), expected.bytes.get(), expected.size) == 0;
  if (!results_agree(state, same, "wrong text")) return;
  for (auto _ : state) benchmark::DoNotOptimize(target.base64(data, n));
  state.SetBytesProcessed(state.iterations() * in.size());
}

void base64_openssl(benchmark::State& state) {
  const std::string& in = base64_input();
  for (auto _ : state) benchmark::DoNotOptimize(openssl_base64(in));
  state.SetBytesProcessed(state.iterations() * in.size());
}

void base64_simple(benchmark::State& state) {
  const std::string& in = base64_input();
  for (auto _ : state) benchmark::DoNotOptimize(simple_base64(in));
  state.SetBytesProcessed(state.iterations() * in.size());
}

}  // namespace

void register_base64_benchmarks() {
  add("base64", "zodode", "random", base64_zodode);
  add("base64", "openssl", "random", base64_openssl);
  add("base64", "simple_loop", "random", base64_simple);
}

}  // namespace bench
