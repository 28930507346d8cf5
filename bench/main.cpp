// zodode_bench: the library against its peers, every job on the same inputs in
// one run. See bench/README.md for the table of the last run.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "bench_util.h"

int main(int argc, char** argv) {
  // Every contestant allocates results of up to 32 MiB. glibc maps blocks that
  // large afresh at each call, and on this virtual machine faulting 8192 new
  // pages costs ~200 ms, drowning every conversion in the same kernel time.
  // Serving them from the heap, kept between calls, measures the work itself.
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  bench::register_code_page_benchmarks();
  bench::register_base64_benchmarks();
  bench::register_rtf_benchmarks();
  bench::register_number_benchmarks();
  bench::register_split_join_benchmarks();
  bench::register_edit_benchmarks();
  bench::register_small_benchmarks();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
