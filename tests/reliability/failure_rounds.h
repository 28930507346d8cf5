// run_failure_rounds: drives one operation through each of its allocation
// failure points in turn.
#ifndef ZODODE_TESTS_RELIABILITY_FAILURE_ROUNDS_H
#define ZODODE_TESTS_RELIABILITY_FAILURE_ROUNDS_H

#include <new>
#include <sstream>
#include <string>

#include "alloc_control.h"

namespace zodode::testing {

struct FailureRounds {
  long failure_points = 0;  // rounds in which an allocation was refused
  std::string problems;     // one line per round that went wrong; empty when all went well
};

// Round k (k = 1, 2, ...) makes a fresh subject, runs op on it with the k-th
// allocation refused, and asks judge(subject, threw_bad_alloc) whether the
// subject's state after the failure is acceptable ("" when it is, else what is
// wrong). The rounds end with the first one in which op makes no more than
// k - 1 allocations, i.e. completes. Every block allocated in a round, the
// subject's own included, must be released once the subject is destroyed.
template <typename Make, typename Op, typename Judge>
FailureRounds run_failure_rounds(Make make, Op op, Judge judge) {
  constexpr long kMostRounds = 100000;
  FailureRounds result;
  std::ostringstream problems;
  for (long k = 1; k <= kMostRounds; ++k) {
    bool threw = false;
    bool refused = false;
    std::string verdict;
    begin_tracking();
    {
      auto subject = make();
      fail_allocation(k);
      try {
        op(subject);
      } catch (const std::bad_alloc&) {
        threw = true;
      }
      refused = stop_failing();
      pause_tracking(true);
      if (refused) verdict = judge(subject, threw);
      if (!refused && threw) verdict = "std::bad_alloc without a refused allocation";
      pause_tracking(false);
    }
    const long leaked = end_tracking();
    if (!verdict.empty()) problems << "allocation " << k << ": " << verdict << "\n";
    if (leaked != 0) problems << "allocation " << k << ": " << leaked << " block(s) leaked\n";
    if (!refused) {
      result.problems = problems.str();
      return result;
    }
    ++result.failure_points;
  }
  result.problems = problems.str() + "the operation never completed\n";
  return result;
}

}  // namespace zodode::testing

#endif  // ZODODE_TESTS_RELIABILITY_FAILURE_ROUNDS_H
