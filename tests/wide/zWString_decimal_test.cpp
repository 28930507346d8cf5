#include <gtest/gtest.h>

#include <string>

#include "wide/expect_text.h"
#include "zWString.h"

namespace {

using zodode_test::units;

struct DecimalCase {
  double value;
  bool flag;
  const wchar_t* expected;
};

TEST(WideDecimal, TenOrTwentySignificantDigits) {
  const DecimalCase cases[] = {
      {2.5, false, L"2.5"},
      {100.0, false, L"100"},
      {1.0 / 3, false, L"0.3333333333"},
      {0.1, false, L"0.1"},
      {0.75, false, L"0.75"},
      {1234567890.125, false, L"1234567890"},
      {1234567890.125, true, L"1234567890.125"},
      {-0.0, false, L"-0"},
      {0.0, true, L"0"},
      {1e20, false, L"1e+20"},
  };
  for (const DecimalCase& c : cases) {
    EXPECT_EQ(c.expected, units(zWString(c.value, c.flag))) << c.value << " " << c.flag;
  }
}

TEST(WideDecimal, PlusAndAppendUseTenDigits) {
  zWString s(L"x=");
  EXPECT_EQ(L"x=0.1", units(s + 0.1));
  EXPECT_EQ(L"x=", units(s));
  EXPECT_EQ(&s, &(s += 0.1));
  EXPECT_EQ(L"x=0.1", units(s));
  s += 1.0 / 3;
  EXPECT_EQ(L"x=0.10.3333333333", units(s));
}

}  // namespace
