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

#endif  // ZODODE_TESTS_KERNEL_SETS_H
