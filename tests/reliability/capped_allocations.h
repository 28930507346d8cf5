// CappedAllocations: a test fixture under which every allocation above 64 MiB
// is refused; a test that asked for such a block fails at its end, naming the
// size. Operations on hostile sizes must answer without gigabytes.
#ifndef ZODODE_TESTS_RELIABILITY_CAPPED_ALLOCATIONS_H
#define ZODODE_TESTS_RELIABILITY_CAPPED_ALLOCATIONS_H

#include <gtest/gtest.h>

#include <cstddef>

#include "alloc_control.h"

namespace zodode::testing {

class CappedAllocations : public ::testing::Test {
 protected:
  static constexpr std::size_t kCap = std::size_t{64} << 20;

  void SetUp() override { cap_allocation_size(kCap); }
  void TearDown() override {
    EXPECT_EQ(0u, uncap_allocation_size()) << "bytes asked for in one block";
  }
};

}  // namespace zodode::testing

#endif  // ZODODE_TESTS_RELIABILITY_CAPPED_ALLOCATIONS_H
