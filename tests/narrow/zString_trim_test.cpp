// Trimming, case mapping and alignment of zString.
#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <clocale>
#include <string>
#include <tuple>

#include "zString.h"

namespace {

// Each row: text, TrimSpaceRight, TrimSpaceLeft, TrimSpace, Trim('x'). The
// right trim never removes the first byte.
// clang-format off
const char* const kTrims[][5] = {
    {"  ab  ", "  ab", "ab  ", "ab", "  ab  "}, {"   ", " ", "", "", "   "}, {" ", " ", "", "", " "},
    {"x ", "x", "x ", "x", " "}, {"", "", "", "", ""}, {"a", "a", "a", "a", "a"},
    {"a\t\n\v\f\r ", "a", "a\t\n\v\f\r ", "a", "a\t\n\v\f\r "}, {"\r\n\tx y", "\r\n\tx y", "x y", "x y", "\r\n\tx y"},
    {"xxabxx", "xxabxx", "xxabxx", "xxabxx", "ab"}, {"xxx", "xxx", "xxx", "xxx", ""}, {"axb", "axb", "axb", "axb", "axb"},
    {"x\xA0 ", "x\xA0", "x\xA0 ", "x\xA0", "\xA0 "}};
// clang-format on

// The trims work in place, return the string itself and are idempotent.
TEST(NarrowTrim, EachTrimOnEachRow) {
  using Trim = const zString& (*)(zString&);
  const Trim trims[] = {[](zString& s) -> const zString& { return s.TrimSpaceRight(); },
                        [](zString& s) -> const zString& { return s.TrimSpaceLeft(); },
                        [](zString& s) -> const zString& { return s.TrimSpace(); },
                        [](zString& s) -> const zString& { return s.Trim('x'); }};
  ASSERT_NE(nullptr, std::setlocale(LC_CTYPE, "C"));
  for (const auto& row : kTrims) {
    for (int k = 0; k < 4; ++k) {
      zString s(row[0]);
      const char* before = s.data();
      EXPECT_EQ(&s, &trims[k](s));
      EXPECT_STREQ(row[k + 1], s.data()) << '"' << row[0] << "\" trim " << k;
      EXPECT_STREQ(row[k + 1], trims[k](s).data()) << '"' << row[0] << "\" trim " << k;
      EXPECT_EQ(before, s.data());
    }
    zString s(row[0]);
    EXPECT_STREQ(row[0], s.Trim('\0').data());
  }
  zString none;
  none.TrimSpace();
  none.TrimSpaceRight();
  none.Trim('x');
  EXPECT_STREQ("", none.data());
}

// Every byte maps as the C library's toupper/tolower in the C locale, in place
// or into a copy that leaves the string alone. In an 8-bit German locale 0xE4
// has the upper-case partner 0xC4 (the locale exists where CI generates it).
TEST(NarrowCase, FollowsTheCLibraryInTheProcessLocale) {
  ASSERT_NE(nullptr, std::setlocale(LC_ALL, "C"));
  std::string all, upper, lower;
  for (int b = 1; b < 256; ++b) {
    all += static_cast<char>(b);
    upper += static_cast<char>(std::toupper(b));
    lower += static_cast<char>(std::tolower(b));
  }
  const zString s(all.c_str());
  zString up(s), down(s);
  EXPECT_EQ(&up, &up.ToUpper());
  EXPECT_EQ(&down, &down.ToLower());
  EXPECT_TRUE(upper == up.data() && lower == down.data());
  EXPECT_TRUE(upper == s.ToUpper().data() && lower == s.ToLower().data() && all == s.data());
  const char* found = nullptr;
  for (const char* name : {"de_DE.ISO-8859-1", "de_DE.iso88591", "de_DE"}) {
    if ((found = std::setlocale(LC_CTYPE, name)) != nullptr) break;
  }
  if (found == nullptr) GTEST_SKIP() << "no 8-bit German locale";
  const zString e = zString("\xE4x").ToUpper(), l = zString("\xC4X").ToLower();
  std::setlocale(LC_CTYPE, "C");
  EXPECT_STREQ("\xC4X", e.data());
  EXPECT_STREQ("\xE4x", l.data());
}

TEST(NarrowAlign, PadsToExactlyTheWidth) {
  // clang-format off
  const std::tuple<const char*, int, std::string> cases[] = {
      {"ab", 5, "ab   "}, {"abcdef", 3, "abcdef"}, {"", 25, std::string(25, ' ')}, {"ab", 2, "ab"}, {nullptr, 3, "   "},
      {"ab", -1, "ab"}, {"a", 17, "a" + std::string(16, ' ')}, {"abc", INT_MIN, "abc"}, {nullptr, -1, ""}, {"ab", -10, "ab"}};
  // clang-format on
  for (const auto& [in, width, want] : cases) {
    zString s = in ? zString(in) : zString();
    EXPECT_EQ(&s, &s.AlignLeftWithSize(width));
    EXPECT_EQ(want, s.data()) << in << " to " << width;
  }
}

}  // namespace
