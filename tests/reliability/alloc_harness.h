// Control of the allocation-failure harness, whose executable replaces malloc,
// calloc, realloc, free and the global operator new / delete; an executable's
// definitions take precedence for every module of the process, so the shared
// library's buffers go through them too.
#ifndef ZODODE_TESTS_RELIABILITY_ALLOC_HARNESS_H
#define ZODODE_TESTS_RELIABILITY_ALLOC_HARNESS_H

#include <gtest/gtest.h>

#include <cstddef>
#include <new>
#include <sstream>
#include <string>
#include <utility>

namespace zodode::testing {

// The state of the replaced heap. Only the single-threaded gtest runner uses it.
struct Heap {
  bool tracking;          // blocks allocated are recorded until they are freed
  bool paused;            // no new blocks are recorded (frees still are)
  long fail_at;           // when non-zero, the fail_at-th allocation from here on fails
  long counted;           // allocations (malloc, calloc, realloc, operator new) since armed
  bool fired;             // the fail_at-th allocation was refused
  std::size_t cap;        // larger allocations fail...
  std::size_t oversized;  // ...and the largest one is kept here
  std::size_t live;       // blocks recorded and still live
};
extern Heap heap;

// Round k (k = 1, 2, ...) makes a fresh subject, runs op on it with the k-th
// allocation refused and asks judge(subject, threw_bad_alloc) what is wrong
// ("" when nothing is). The rounds end with the first in which no allocation
// was refused. Every block of a round must be freed once the subject is gone.
// Returns the problems, one line per faulty round, and counts the refusals.
template <typename Make, typename Op, typename Judge>
std::string run_failure_rounds(Make make, Op op, Judge judge, long* failure_points) {
  std::ostringstream problems;
  for (long k = 1; k <= 100000; ++k) {
    bool threw = false;
    bool refused = false;
    std::string verdict;
    heap.live = 0;
    heap.tracking = true;
    {
      auto subject = make();
      heap.counted = 0;
      heap.fired = false;
      heap.fail_at = k;
      try {
        op(subject);
      } catch (const std::bad_alloc&) {
        threw = true;
      }
      heap.fail_at = 0;
      refused = heap.fired;
      heap.paused = true;
      if (refused) verdict = judge(subject, threw);
      if (!refused && threw) verdict = "std::bad_alloc without a refused allocation";
      heap.paused = false;
    }
    heap.tracking = false;
    if (!verdict.empty()) problems << "allocation " << k << ": " << verdict << "\n";
    if (heap.live != 0) problems << "allocation " << k << ": " << heap.live << " block(s) leaked\n";
    if (!refused) return problems.str();
    ++*failure_points;
  }
  return problems.str() + "the operation never completed\n";
}

// Every allocation above 64 MiB is refused; a test that asked for one fails.
class CappedAllocations : public ::testing::Test {
 protected:
  void SetUp() override { heap.cap = std::size_t{64} << 20; }
  void TearDown() override {
    heap.cap = static_cast<std::size_t>(-1);
    EXPECT_EQ(0u, std::exchange(heap.oversized, 0)) << "bytes asked for in one block";
  }
};

}  // namespace zodode::testing

#endif  // ZODODE_TESTS_RELIABILITY_ALLOC_HARNESS_H
