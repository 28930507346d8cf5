#include <gtest/gtest.h>

#include <string>

#include "wide/expect_text.h"
#include "zWString.h"

namespace {

using zodode_test::units;

TEST(WideCase, MapsAsciiAndKeepsTheObject) {
  const zWString s(L"Hello, World 42");
  EXPECT_EQ(L"hello, world 42", units(s.lowerCase()));
  EXPECT_EQ(L"HELLO, WORLD 42", units(s.upperCase()));
  EXPECT_EQ(L"Hello, World 42", units(s));
  EXPECT_TRUE(zWString().lowerCase().empty());
  EXPECT_TRUE(zWString().upperCase().empty());
}

TEST(WideCase, MapsPastEmbeddedNulAndKeepsLength) {
  const zWString s(std::wstring(L"aB\0cD", 5));
  EXPECT_EQ(std::wstring(L"ab\0cd", 5), units(s.lowerCase()));
  EXPECT_EQ(std::wstring(L"AB\0CD", 5), units(s.upperCase()));
  const unsigned short pair[] = {0xD801, 0xDC00, 0x61, 0};
  const zWString surrogates(pair);
  EXPECT_EQ(surrogates.size(), surrogates.lowerCase().size());
  EXPECT_EQ(surrogates.size(), surrogates.upperCase().size());
}

}  // namespace
