// Number texts against the C library's printf in the C locale.
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

TEST(NarrowNumbers, IntegersAreDecimal) {
  Settable a, b, c, d;
  a.Set(static_cast<__int64>(-5000000000LL));
  b.Set(4294967295UL);
  c.Set(-42);
  d = 5;
  const std::string got[] = {
      zString(-7).data(),
      zString(std::numeric_limits<int>::min()).data(),
      zString(4294967295UL).data(),
      zString(static_cast<__int64>(std::numeric_limits<long long>::min())).data(),
      a.data(),
      b.data(),
      c.data(),
      d.data()};
  EXPECT_EQ((std::vector<std::string>{"-7", "-2147483648", "4294967295", "-9223372036854775808",
                                      "-5000000000", "4294967295", "-42", "5"}),
            std::vector<std::string>(std::begin(got), std::end(got)));
}

std::string printf_text(double value, bool flag) {
  // mingw-w64's printf drops the sign of a NaN; glibc's, which the library
  // follows on every platform, writes it.
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  char text[1024];
  std::snprintf(text, sizeof text, flag ? "%.20g" : "%.10g", value);
  return text;
}

// Powers of ten, the limits, the edges of the whole-number shortcut below
// 10^10, random bit patterns and random binary fractions, through the
// constructor, Set, assignment and appending.
TEST(NarrowNumbers, DoublesMatchPrintfInTheCLocale) {
  ASSERT_NE(nullptr, std::setlocale(LC_ALL, "C"));
  using Limits = std::numeric_limits<double>;
  std::vector<double> values = {9.9999999995,         99999.99999,   Limits::min(),
                                Limits::denorm_min(), Limits::max(), Limits::infinity(),
                                Limits::quiet_NaN(),  0.0009765625};
  for (const double whole : {0.0, 1.0, 7.0, 1234567890.0, 9999999999.0, 1e10, 1e10 + 1,
                             4294967296.0, 9007199254740993.0, 1e300}) {
    values.push_back(whole);
    values.push_back(-whole);
  }
  for (int e = -320; e <= 308; ++e) values.push_back(std::pow(10.0, e));
  std::mt19937_64 random(42);
  while (values.size() < 20000) {
    const std::uint64_t bits = random();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    values.push_back(d);
    values.push_back(static_cast<double>(random() % 2000000) / 1024.0 - 900.0);
  }
  Settable s;
  for (const double value : values) {
    for (const bool flag : {false, true}) {
      s.Set(value, flag);
      ASSERT_EQ(printf_text(value, flag), zString(value, flag).data()) << flag << " " << value;
      ASSERT_EQ(printf_text(value, flag), s.data()) << flag << " " << value;
    }
    zString appended("x");
    appended += value;
    s = value;
    ASSERT_EQ("x" + printf_text(value, false), appended.data()) << value;
    ASSERT_EQ(printf_text(value, false), s.data()) << value;
  }
}

// Needs a locale with a ',' separator (LOCPATH may point at one made by
// localedef); skipped where there is none.
TEST(NarrowNumbers, DoublesIgnoreTheNumericLocale) {
  const char* found = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"}) {
    if ((found = std::setlocale(LC_NUMERIC, name)) != nullptr) break;
  }
  if (found == nullptr) GTEST_SKIP() << "no locale with a ',' decimal separator";
  const std::string local = printf_text(1234.5, false);
  const zString ten(1234.5, false), twenty(0.1, true);
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ("1234,5", local);
  EXPECT_STREQ("1234.5", ten.data());
  EXPECT_STREQ("0.10000000000000000555", twenty.data());
}

}  // namespace
