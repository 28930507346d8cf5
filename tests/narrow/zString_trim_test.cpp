#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <functional>
#include <string>
#include <tuple>

#include "zString.h"

namespace {

using Member = const zString& (zString::*)();
const zString& trim_x(zString& s) { return s.Trim('x'); }
const zString& trim_nul(zString& s) { return s.Trim('\0'); }

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

// TrimSpaceRight never removes the first byte; Trim removes runs of its byte.
TEST(NarrowTrim, TrimsKeepTheBuffer) {
  // Each row: text, TrimSpaceRight, TrimSpaceLeft, TrimSpace, Trim('x').
  // clang-format off
  const char* const cases[][5] = {
      {"  ab  ", "  ab", "ab  ", "ab", "  ab  "}, {"   ", " ", "", "", "   "}, {" ", " ", "", "", " "},
      {"x ", "x", "x ", "x", " "}, {"", "", "", "", ""}, {"a", "a", "a", "a", "a"},
      {"a\t\n\v\f\r ", "a", "a\t\n\v\f\r ", "a", "a\t\n\v\f\r "},
      {"\r\n\tx y", "\r\n\tx y", "x y", "x y", "\r\n\tx y"}, {"xxabxx", "xxabxx", "xxabxx", "xxabxx", "ab"},
      {"xxx", "xxx", "xxx", "xxx", ""}, {"abx", "abx", "abx", "abx", "ab"}, {"axb", "axb", "axb", "axb", "axb"}};
  // clang-format on
  for (const auto& c : cases) {
    expect_in_place(c[0], c[1], &zString::TrimSpaceRight);
    expect_in_place(c[0], c[2], &zString::TrimSpaceLeft);
    expect_in_place(c[0], c[3], &zString::TrimSpace);
    expect_in_place(c[0], c[4], trim_x);
    expect_in_place(c[0], c[0], trim_nul);
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
  expect_in_place(all.c_str(), upper.c_str(), static_cast<Member>(&zString::ToUpper));
  expect_in_place(all.c_str(), lower.c_str(), static_cast<Member>(&zString::ToLower));
  EXPECT_TRUE(upper == s.ToUpper().data() && lower == s.ToLower().data() && all == s.data());
  const char* found = nullptr;
  for (const char* name : {"de_DE.ISO-8859-1", "de_DE.iso88591", "de_DE"}) {
    if ((found = std::setlocale(LC_CTYPE, name)) != nullptr) break;
  }
  if (found == nullptr)
    GTEST_SKIP()
        << "no 8-bit German locale; generate it: localedef -i de_DE -f ISO-8859-1 de_DE.ISO-8859-1";
  zString e("\xE4x");
  e.ToUpper();
  const zString l = zString("\xC4X").ToLower();
  std::setlocale(LC_CTYPE, "C");
  EXPECT_STREQ("\xC4X", e.data());
  EXPECT_STREQ("\xE4x", l.data());
}

TEST(NarrowAlign, PadsToExactlyTheWidth) {
  // clang-format off
  const std::tuple<const char*, int, std::string> cases[] = {
      {"ab", 5, "ab   "}, {"abcdef", 3, "abcdef"}, {"", 25, std::string(25, ' ')}, {"ab", 2, "ab"},
      {"ab", -1, "ab"}, {"a", 17, "a" + std::string(16, ' ')}, {"abc", -2147483647 - 1, "abc"}};
  // clang-format on
  for (const auto& [in, width, want] : cases) {
    zString s(in);
    EXPECT_EQ(&s, &s.AlignLeftWithSize(width));
    EXPECT_EQ(want, s.data()) << in << " to " << width;
  }
  zString never_set;
  never_set.AlignLeftWithSize(3);
  EXPECT_STREQ("   ", never_set.data());
}

}  // namespace
