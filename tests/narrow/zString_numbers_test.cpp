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

TEST(NarrowNumbers, IntegersAreDecimalAndAssignedDoublesUseTenDigits) {
  Settable s, t, u, v, w;
  zString x("x="), never_set;
  s.Set(static_cast<__int64>(-5000000000LL));
  t.Set(0UL);
  u.Set(42);
  v = 5;
  w = 0.1;
  x += -12;
  x += 1.0 / 3;
  never_set += 1e20;
  const std::string got[] = {
      zString(-7).data(),
      zString(std::numeric_limits<int>::min()).data(),
      zString(4294967295UL).data(),
      zString(static_cast<__int64>(std::numeric_limits<long long>::min())).data(),
      s.data(),
      t.data(),
      u.data(),
      v.data(),
      w.data(),
      x.data(),
      never_set.data()};
  EXPECT_EQ((std::vector<std::string>{"-7", "-2147483648", "4294967295", "-9223372036854775808",
                                      "-5000000000", "0", "42", "5", "0.1", "x=-120.3333333333",
                                      "1e+20"}),
            std::vector<std::string>(std::begin(got), std::end(got)));
}

struct DoubleCase {
  double value;
  bool flag;
  const char* want;
};

// clang-format off
const DoubleCase kDoubles[] = {
    {0.5, false, "0.5"}, {100.0, false, "100"}, {-0.25, false, "-0.25"}, {-0.0, false, "-0"},
    {2.0 / 3, false, "0.6666666667"}, {12345678901.0, false, "1.23456789e+10"},
    {1e-5, false, "1e-05"}, {0.0001, false, "0.0001"}, {0.0009765625, true, "0.0009765625"},
    {0.1, true, "0.10000000000000000555"}, {1.0 / 3, true, "0.33333333333333331483"},
    {1e300, true, "1.0000000000000000525e+300"}, {-HUGE_VAL, true, "-inf"},
    {std::numeric_limits<double>::quiet_NaN(), false, "nan"}};
// clang-format on

std::string printf_text(double value, bool flag) {
  // mingw-w64's printf drops the sign of a NaN; glibc's, which the library
  // follows on every platform, writes it.
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  char text[1024];
  std::snprintf(text, sizeof text, flag ? "%.20g" : "%.10g", value);
  return text;
}

// The hand-written texts, then powers of ten, the limits, random bit patterns
// and random binary fractions against printf.
TEST(NarrowNumbers, DoublesMatchPrintfInTheCLocale) {
  ASSERT_NE(nullptr, std::setlocale(LC_ALL, "C"));
  Settable s;
  for (const DoubleCase& c : kDoubles) {
    EXPECT_STREQ(c.want, zString(c.value, c.flag).data()) << c.want;
    s.Set(c.value, c.flag);
    EXPECT_STREQ(c.want, s.data()) << c.want;
  }
  using Limits = std::numeric_limits<double>;
  std::vector<double> values = {9.9999999995,         99999.99999,   Limits::min(),
                                Limits::denorm_min(), Limits::max(), -Limits::quiet_NaN()};
  // Whole numbers take a shortcut below 10^10: its edges, signs and zeros.
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
  for (const double value : values) {
    for (const bool flag : {false, true}) {
      ASSERT_EQ(printf_text(value, flag), zString(value, flag).data()) << flag << " " << value;
    }
  }
}

// Needs a locale with a ',' separator (LOCPATH may point at one made by
// localedef); skipped where there is none.
TEST(NarrowNumbers, DoublesIgnoreTheNumericLocale) {
  const char* found = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"}) {
    if ((found = std::setlocale(LC_NUMERIC, name)) != nullptr) break;
  }
  if (found == nullptr)
    GTEST_SKIP() << "no locale with a ',' decimal separator; generate one: "
                    "localedef -i de_DE -f UTF-8 de_DE.UTF-8";
  const std::string local = printf_text(1234.5, false);
  const zString ten(1234.5, false), twenty(0.1, true);
  zString appended("x");
  appended += 0.75;
  std::setlocale(LC_NUMERIC, "C");
  EXPECT_EQ("1234,5", local);
  EXPECT_STREQ("1234.5", ten.data());
  EXPECT_STREQ("0.10000000000000000555", twenty.data());
  EXPECT_STREQ("x0.75", appended.data());
}

}  // namespace
