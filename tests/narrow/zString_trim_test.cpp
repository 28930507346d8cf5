#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <functional>
#include <string>

#include "zString.h"

namespace {

using Member = const zString& (zString::*)();

// Runs edit on a string of in; checks the text, the returned object and that
// the buffer stayed.
template <typename Edit>
void expect_in_place(const char* in, const char* want, Edit edit) {
  zString s(in);
  const char* before = s.data();
  EXPECT_EQ(&s, &std::invoke(edit, s)) << '"' << in << '"';
  EXPECT_STREQ(want, s.data()) << '"' << in << '"';
  EXPECT_EQ(before, s.data()) << '"' << in << "\" moved";
}

TEST(NarrowTrim, SpaceTrimsKeepTheBuffer) {
  struct Case {
    const char *in, *right, *left, *both;
  };
  // TrimSpaceRight never removes the first byte.
  // clang-format off
  const Case cases[] = {
      {"  ab  ", "  ab", "ab  ", "ab"}, {"   ", " ", "", ""}, {" ", " ", "", ""},
      {"x ", "x", "x ", "x"}, {"", "", "", ""}, {"a", "a", "a", "a"},
      {"a\t\n\v\f\r ", "a", "a\t\n\v\f\r ", "a"}, {"\r\n\tx y", "\r\n\tx y", "x y", "x y"}};
  // clang-format on
  for (const Case& c : cases) {
    expect_in_place(c.in, c.right, &zString::TrimSpaceRight);
    expect_in_place(c.in, c.left, &zString::TrimSpaceLeft);
    expect_in_place(c.in, c.both, &zString::TrimSpace);
  }
}

TEST(NarrowTrim, TrimCharRemovesRunsAtBothEnds) {
  const char* const cases[][2] = {
      {"xxabxx", "ab"}, {"xxx", ""}, {"abx", "ab"}, {"x", ""}, {"axb", "axb"}};
  for (const auto& c : cases) {
    expect_in_place(c[0], c[1], [](zString& s) -> const zString& { return s.Trim('x'); });
    expect_in_place(c[0], c[0], [](zString& s) -> const zString& { return s.Trim('\0'); });
  }
}

TEST(NarrowTrim, NullStringStaysWithoutBuffer) {
  zString never_set;
  const char* shared = never_set.data();
  for (const Member edit :
       {&zString::TrimSpaceRight, &zString::TrimSpaceLeft, &zString::TrimSpace,
        static_cast<Member>(&zString::ToUpper), static_cast<Member>(&zString::ToLower)}) {
    (never_set.*edit)();
  }
  never_set.Trim('x');
  never_set.AlignLeftWithSize(0);
  never_set.Replace('a', 'b');
  never_set.Replace(zString("a"), zString("b"));
  never_set.Remove(0);
  never_set.Remove(0, 1);
  EXPECT_EQ(shared, never_set.data());
  EXPECT_STREQ("", static_cast<const zString&>(never_set).ToUpper().data());
  never_set.AlignLeftWithSize(3);
  EXPECT_STREQ("   ", never_set.data());
}

// Case follows the process locale: in an 8-bit German locale 0xE4 has the
// upper-case partner 0xC4. The locale exists where CI generates it.
TEST(NarrowCase, FollowsTheProcessLocale) {
  const char* found = nullptr;
  for (const char* name : {"de_DE.ISO-8859-1", "de_DE.iso88591", "de_DE"}) {
    if ((found = std::setlocale(LC_CTYPE, name)) != nullptr) break;
  }
  if (found == nullptr) GTEST_SKIP() << "no 8-bit German locale";
  zString s("\xE4x");
  s.ToUpper();
  const zString lower = zString("\xC4X").ToLower();
  std::setlocale(LC_CTYPE, "C");
  EXPECT_STREQ("\xC4X", s.data());
  EXPECT_STREQ("\xE4x", lower.data());
}

// Every byte maps as the C library's toupper/tolower in the C locale, in place
// or into a copy that leaves the string alone.
TEST(NarrowCase, AllBytesFollowTheCLibrary) {
  ASSERT_NE(nullptr, std::setlocale(LC_ALL, "C"));
  std::string all, upper, lower;
  for (int b = 1; b < 256; ++b) {
    all += static_cast<char>(b);
    upper += static_cast<char>(std::toupper(b));
    lower += static_cast<char>(std::tolower(b));
  }
  const zString s(all.c_str());
  expect_in_place(all.c_str(), upper.c_str(), static_cast<Member>(&zString::ToUpper));
  expect_in_place(all.c_str(), lower.c_str(), static_cast<Member>(&zString::ToLower));
  EXPECT_EQ(upper, s.ToUpper().data());
  EXPECT_EQ(lower, s.ToLower().data());
  EXPECT_EQ(all, s.data());
}

TEST(NarrowAlign, PadsToExactlyTheWidth) {
  struct AlignCase {
    const char* in;
    int width;
    std::string want;
  };
  // clang-format off
  const AlignCase cases[] = {
      {"ab", 5, "ab   "}, {"abcdef", 3, "abcdef"}, {"", 25, std::string(25, ' ')}, {"ab", 2, "ab"},
      {"ab", -1, "ab"}, {"a", 17, "a" + std::string(16, ' ')}, {"abc", -2147483647 - 1, "abc"}};
  // clang-format on
  for (const AlignCase& c : cases) {
    zString s(c.in);
    EXPECT_EQ(&s, &s.AlignLeftWithSize(c.width));
    EXPECT_EQ(c.want, s.data()) << c.in << " to " << c.width;
  }
}

}  // namespace
