// Every way a conversion can fail, and the message each one throws.
#include <gtest/gtest.h>

#include <exception>
#include <string>

#include "encoding/code_page.h"

namespace {

using zodode::detail::conversion_failure;
using step = conversion_failure::step;

struct failure_case {
  bool to_wide;
  unsigned code_page;
  conversion_failure failure;
  const char *text, *message;
};

// clang-format off
const failure_case kFailures[] = {
    {false, 65001, {step::size_query, 5}, "", "Error in conversion."},
    {false, 0, {step::size_query, 5}, "", "Error in conversion."},
    {false, 65001, {step::count_differs, 0}, "", "La falla!"},
    {false, 0, {step::count_differs, 0}, "", "La falla!"},
    {false, 0, {step::buffer, 0}, "", "vector<T> too long"},
    {true, 0, {step::size_query, 87}, "ab\xE9", "From Latin1 conversion error: ab\xE9"},
    {true, 0, {step::count_differs, 0}, "abc", "From Latin1: widesize error"},
    {true, 65001, {step::size_query, 1113}, "x\xC3", "Error 1113 in conversion of UTF8 string: \nx\xC3"},
    {true, 65001, {step::size_query, 4294967295u}, "", "Error 4294967295 in conversion of UTF8 string: \n"},
    {true, 65001, {step::count_differs, 0}, "a", "From UTF-8: widesize error"},
    {true, 65001, {step::buffer, 0}, "a", "vector<T> too long"},
};
// clang-format on

TEST(CodePageFailures, EveryFailureThrowsItsMessage) {
  for (const failure_case& c : kFailures) {
    try {
      if (c.to_wide) {
        zodode::detail::throw_to_wide_failure(c.code_page, c.failure, c.text);
      } else {
        zodode::detail::throw_to_bytes_failure(c.failure);
      }
    } catch (const std::exception& e) {
      EXPECT_STREQ(c.message, e.what());
    }
  }
}

}  // namespace
