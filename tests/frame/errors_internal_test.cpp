#include <gtest/gtest.h>

#include <exception>
#include <new>
#include <stdexcept>

#include "frame/errors.h"

namespace {

template <typename Expected, typename Thrower>
void expect_thrown(Thrower thrower, const char* text) {
  try {
    thrower();
    ADD_FAILURE() << "nothing thrown";
  } catch (const Expected& e) {
    EXPECT_STREQ(text, e.what());
  } catch (...) {
    ADD_FAILURE() << "wrong exception type for " << text;
  }
}

TEST(FrameErrors, FixedTextsWithTheirTypes) {
  using namespace zodode::detail;
  expect_thrown<std::out_of_range>(throw_invalid_position, "invalid string position");
  expect_thrown<std::length_error>(throw_string_too_long, "string too long");
  expect_thrown<std::length_error>(throw_vector_too_long, "vector<T> too long");
  EXPECT_THROW(throw_bad_alloc(), std::bad_alloc);
}

TEST(FrameErrors, MessagesAreCaughtAsStdException) {
  expect_thrown<std::exception>([] { zodode::detail::throw_message("Error in conversion."); },
                                "Error in conversion.");
  expect_thrown<std::exception>([] { zodode::detail::throw_message("line\nbreak"); },
                                "line\nbreak");
}

}  // namespace
