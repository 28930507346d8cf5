// Every kernel set of this build as GoogleTest types: the typed tests of the
// conversions run once for each.
#ifndef ZODODE_TESTS_KERNEL_SETS_H
#define ZODODE_TESTS_KERNEL_SETS_H

#include <gtest/gtest.h>

#include "encoding/kernels.h"

template <typename List>
struct gtest_types;
template <typename... Sets>
struct gtest_types<zodode::detail::kernel_list<Sets...>> {
  using type = ::testing::Types<Sets...>;
};
using KernelSets = gtest_types<zodode::detail::kernel_sets>::type;

// The base of the typed tests' fixtures: a set this processor cannot run
// (AVX2 on an older one) is skipped.
template <typename Set>
class KernelSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!Set::usable()) GTEST_SKIP() << "this processor cannot run the set";
  }
};

#endif  // ZODODE_TESTS_KERNEL_SETS_H
