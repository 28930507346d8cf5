// Assertions shared by the zWString tests.
#ifndef ZODODE_TESTS_WIDE_EXPECT_TEXT_H
#define ZODODE_TESTS_WIDE_EXPECT_TEXT_H

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>

#include "zWString.h"

namespace zodode_test {

// Runs call, which must throw Error whose what() is exactly text.
template <typename Error, typename Call>
void expect_throw_text(Call call, const char* text) {
  try {
    call();
    ADD_FAILURE() << "expected an exception with \"" << text << "\"";
  } catch (const Error& e) {
    EXPECT_STREQ(text, e.what());
  }
}

// Runs each call, which must throw Error whose what() is exactly text.
template <typename Error>
void expect_throws(const char* text, std::initializer_list<std::function<void()>> calls) {
  for (const auto& call : calls) expect_throw_text<Error>(call, text);
}

// The units of s, embedded NUL units included.
inline std::wstring units(const zWString& s) { return std::wstring(s.c_str(), s.size()); }

}  // namespace zodode_test

#endif  // ZODODE_TESTS_WIDE_EXPECT_TEXT_H
