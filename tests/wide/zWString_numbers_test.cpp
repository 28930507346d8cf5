#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "wide/expect_text.h"
#include "zWString.h"

namespace {

using zodode_test::units;

TEST(WideNumbers, IntegersInPlainDecimal) {
  EXPECT_EQ(L"-32768", units(zWString(static_cast<short>(-32768))));
  EXPECT_EQ(L"32767", units(zWString(static_cast<short>(32767))));
  EXPECT_EQ(L"0", units(zWString(static_cast<short>(0))));
  EXPECT_EQ(L"-2147483648", units(zWString(INT_MIN)));
  EXPECT_EQ(L"0", units(zWString(0)));
  EXPECT_EQ(L"4294967295", units(zWString(4294967295u)));
  EXPECT_EQ(L"0", units(zWString(0u)));
  EXPECT_EQ(L"-5", units(zWString(-5L)));
  EXPECT_EQ(L"0", units(zWString(0L)));
  EXPECT_EQ(L"-9223372036854775808",
            units(zWString(static_cast<__int64>(std::numeric_limits<long long>::min()))));
  EXPECT_EQ(L"9223372036854775807",
            units(zWString(static_cast<__int64>(std::numeric_limits<long long>::max()))));
}

struct ConversionCase {
  double value;
  char conversion;
  int precision;
  const wchar_t* expected;
};

TEST(WideNumbers, PrintfConversionsInTheCLocale) {
  const ConversionCase cases[] = {
      {3.14159, 'f', 2, L"3.14"},
      {2.0, 'f', 3, L"2.000"},
      {-0.5, 'f', 0, L"-0"},
      {2.5, 'f', 0, L"2"},
      {1234.5, 'e', 2, L"1.23e+03"},
      {1234.5, 'E', 3, L"1.234E+03"},
      {1e-5, 'g', 6, L"1e-05"},
      {1e20, 'G', 10, L"1E+20"},
      {0.0001234, 'g', 3, L"0.000123"},
      {100.0, 'g', 0, L"1e+02"},
      {std::numeric_limits<double>::infinity(), 'f', 2, L"inf"},
      {-std::numeric_limits<double>::infinity(), 'E', 2, L"-INF"},
      {std::numeric_limits<double>::quiet_NaN(), 'G', 2, L"NAN"},
  };
  for (const ConversionCase& c : cases) {
    EXPECT_EQ(c.expected, units(zWString(c.value, c.conversion, c.precision)))
        << c.value << " " << c.conversion << " " << c.precision;
  }
}

struct LongCase {
  double value;
  char conversion;
  int precision;
  const char* format;  // the same conversion for the C library
};

// The C library in the C locale writes the reference texts; only the first
// 127 units are kept.
TEST(WideNumbers, LongConversionsAreCutAt127Units) {
  const LongCase cases[] = {
      {1e200, 'f', 0, "%.*f"},     {1.0 / 3, 'f', 200, "%.*f"}, {1e-300, 'e', 150, "%.*e"},
      {0.1, 'g', 60, "%.*g"},      {-1e300, 'f', 5000, "%.*f"}, {0.9999, 'E', 3000, "%.*E"},
      {5e-324, 'G', 2000, "%.*G"},
  };
  for (const LongCase& c : cases) {
    std::vector<char> expected(c.precision + 400);
    std::snprintf(expected.data(), expected.size(), c.format, c.precision, c.value);
    std::string text(expected.data());
    text.resize(std::min<std::size_t>(text.size(), 127));
    EXPECT_EQ(std::wstring(text.begin(), text.end()),
              units(zWString(c.value, c.conversion, c.precision)))
        << c.value << " " << c.conversion << " " << c.precision;
  }
  const zWString big(1e200, 'f', 0);
  EXPECT_EQ(127u, big.size());
  EXPECT_EQ(L"99999999999999996973", units(big).substr(0, 20));
}

TEST(WideStreaming, BoolAndTextAppend) {
  zWString s;
  zWString& result = s << true << L"!";
  EXPECT_EQ(&s, &result);
  EXPECT_EQ(L"true!", units(s));
  s << false << L"";
  EXPECT_EQ(L"true!false", units(s));
}

}  // namespace
