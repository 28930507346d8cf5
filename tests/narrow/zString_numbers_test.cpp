// zString number texts against the C library's printf in the C locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "zString.h"

namespace {

// Exposes the protected Set family, as a derived client class would use it.
struct Settable : zString {
  using zString::operator=;
  using zString::Set;
};

std::string printf_text(const char* format, double value) {
  // mingw-w64's printf drops the sign of a NaN; glibc's, which the library
  // follows on every platform, writes it.
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  char text[1024];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

TEST(NarrowNumbers, IntegersAreDecimal) {
  Settable a, b, c;
  a.Set(static_cast<__int64>(-5000000000LL));
  b.Set(4294967295UL);
  c = 5;
  c += -12;
  const zString got = zString(-7) + zString(std::numeric_limits<int>::min()) +
                      zString(static_cast<__int64>(std::numeric_limits<long long>::min())) + a +
                      "," + b + "," + c;
  EXPECT_STREQ("-7-2147483648-9223372036854775808-5000000000,4294967295,5-12", got.data());
}

// Powers of ten, the limits, the edges of the whole-number shortcut below
// 10^10, random bit patterns and random binary fractions, through the
// constructor, Set, assignment and appending, in the C and a ',' locale.
TEST(NarrowNumbers, DoublesMatchPrintfInTheCLocale) {
  using Limits = std::numeric_limits<double>;
  std::vector<double> values = {9.9999999995,       99999.99999,          0.0009765625,
                                Limits::min(),      Limits::denorm_min(), Limits::max(),
                                Limits::infinity(), Limits::quiet_NaN()};
  for (const double whole :
       {0.0, 7.0, 1234567890.0, 9999999999.0, 1e10, 1e10 + 1, 4294967296.0, 9007199254740993.0}) {
    values.insert(values.end(), {whole, -whole});
  }
  for (int e = -320; e <= 308; ++e) values.push_back(std::pow(10.0, e));
  std::mt19937_64 random(42);
  while (values.size() < 20000) {
    const std::uint64_t bits = random();
    values.push_back(static_cast<double>(random() % 2000000) / 1024.0 - 900.0);
    std::memcpy(&values.emplace_back(), &bits, sizeof bits);
  }
  ASSERT_NE(nullptr, std::setlocale(LC_ALL, "C"));
  std::vector<std::string> expected;
  for (const double value : values) {
    expected.push_back(printf_text("%.10g", value));
    expected.push_back(printf_text("%.20g", value));
  }
  // The numeric locale must not matter (where CI generated one with a ',').
  const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
  Settable s;
  for (std::size_t i = 0; i < values.size(); ++i) {
    zString appended("x");
    appended += values[i];
    s.Set(values[i], true);
    ASSERT_EQ(expected[2 * i + 1], s.data()) << values[i];
    s = values[i];
    ASSERT_TRUE(expected[2 * i] == s.data() && "x" + expected[2 * i] == appended.data())
        << values[i];
    ASSERT_EQ(expected[2 * i], zString(values[i], false).data()) << values[i];
    ASSERT_EQ(expected[2 * i + 1], zString(values[i], true).data()) << values[i];
  }
  std::setlocale(LC_NUMERIC, "C");
  if (!comma) GTEST_SKIP() << "no de_DE.UTF-8 locale to check a ',' separator against";
}

}  // namespace
