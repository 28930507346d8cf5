#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "wide/expect_text.h"
#include "zWString.h"

namespace {

using zodode_test::units;

TEST(WideNumbers, IntegersInPlainDecimal) {
  // clang-format off
  const std::wstring got[] = {units(zWString(static_cast<short>(-32768))), units(zWString(static_cast<short>(32767))),
      units(zWString(INT_MIN)), units(zWString(4294967295u)), units(zWString(0L)), units(zWString(LONG_MIN)),
      units(zWString(static_cast<__int64>(LLONG_MIN))), units(zWString(static_cast<__int64>(LLONG_MAX)))};
  const std::wstring want[] = {L"-32768", L"32767", L"-2147483648", L"4294967295", L"0",
      sizeof(long) == 8 ? L"-9223372036854775808" : L"-2147483648", L"-9223372036854775808", L"9223372036854775807"};
  // clang-format on
  for (int i = 0; i < 8; ++i) EXPECT_EQ(want[i], got[i]) << i;
}

// The C library in the C locale writes the reference texts; only the first
// 127 units are kept. The format is the same conversion for the C library.
TEST(WideNumbers, PrintfConversionsAreCutAt127Units) {
  // clang-format off
  const std::tuple<double, char, int, const char*> cases[] = {
      {1234.5, 'e', 2, "%.*e"}, {1e-5, 'g', 6, "%.*g"}, {100.0, 'G', 0, "%.*G"}, {-0.5, 'f', 0, "%.*f"},
      {1.0 / 3, 'f', 200, "%.*f"}, {1e-300, 'E', 150, "%.*E"}, {0.1, 'g', 60, "%.*g"}, {-1e300, 'f', 5000, "%.*f"}};
  // clang-format on
  for (const auto& [value, conversion, precision, format] : cases) {
    std::vector<char> expected(precision + 400);
    std::snprintf(expected.data(), expected.size(), format, precision, value);
    std::string text(expected.data());
    text.resize(std::min<std::size_t>(text.size(), 127));
    EXPECT_EQ(std::wstring(text.begin(), text.end()), units(zWString(value, conversion, precision)))
        << value << " " << conversion << " " << precision;
  }
}

TEST(WideNumbers, PrintfConversionExamples) {
  EXPECT_EQ(L"3.14", units(zWString(3.14159, 'f', 2)));
  EXPECT_EQ(L"2.000", units(zWString(2.0, 'f', 3)));
  const std::wstring big = units(zWString(1e200, 'f', 0));
  EXPECT_EQ(127u, big.size());
  EXPECT_EQ(L"99999999999999996973", big.substr(0, 20));
  EXPECT_EQ(L"-INF", units(zWString(-std::numeric_limits<double>::infinity(), 'E', 2)));
  EXPECT_EQ(L"NAN", units(zWString(std::numeric_limits<double>::quiet_NaN(), 'G', 2)));
}

// Ten or twenty significant digits; plus, append and streaming use ten.
TEST(WideDecimal, TenOrTwentySignificantDigitsAndAppending) {
  // clang-format off
  const std::tuple<double, bool, const wchar_t*> cases[] = {
      {1.0 / 3, false, L"0.3333333333"}, {0.1, true, L"0.10000000000000000555"}, {1234567890.125, false, L"1234567890"},
      {1234567890.125, true, L"1234567890.125"}, {-0.0, false, L"-0"}};
  // clang-format on
  for (const auto& [value, flag, expected] : cases) {
    EXPECT_EQ(expected, units(zWString(value, flag))) << value << " " << flag;
  }
  zWString s(L"x="), b;
  EXPECT_EQ(L"x=0.3333333333", units(s + 1.0 / 3));
  EXPECT_EQ(&s, &(s += 1.0 / 3));
  EXPECT_EQ(L"x=0.3333333333", units(s));
  EXPECT_EQ(&b, &(b << true << L"!"));
  b << false << L"";
  EXPECT_EQ(L"true!false", units(b));
}

}  // namespace
