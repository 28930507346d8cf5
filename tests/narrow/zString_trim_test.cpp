#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <string>

#include "zString.h"

namespace {

struct Case {
  const char* in;
  const char* want;
};

using Member = const zString& (zString::*)();

// Runs member on each input; checks the text and that the buffer stayed.
void expect_in_place(Member member, std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    zString s(c.in);
    const char* before = s.data();
    EXPECT_EQ(&s, &(s.*member)());
    EXPECT_STREQ(c.want, s.data()) << '"' << c.in << '"';
    EXPECT_EQ(before, s.data()) << '"' << c.in << "\" moved";
  }
}

TEST(NarrowTrim, TrimSpaceRightKeepsFirstByte) {
  expect_in_place(
      &zString::TrimSpaceRight,
      {{"  ab  ", "  ab"}, {"   ", " "}, {" ", " "}, {"x ", "x"}, {"", ""}, {"a\t\n\v\f\r ", "a"}});
}

TEST(NarrowTrim, TrimSpaceLeftAndBoth) {
  expect_in_place(&zString::TrimSpaceLeft, {{"  ab  ", "ab  "}, {"   ", ""}, {"\r\n\tx y", "x y"}});
  expect_in_place(&zString::TrimSpace,
                  {{"  ab  ", "ab"}, {"   ", ""}, {" ", ""}, {"\tab\n", "ab"}, {"a", "a"}});
}

TEST(NarrowTrim, TrimChar) {
  const Case cases[] = {{"xxabxx", "ab"}, {"xxx", ""}, {"abx", "ab"}, {"x", ""}, {"axb", "axb"}};
  for (const Case& c : cases) {
    zString s(c.in), nul(c.in);
    const char* before = s.data();
    s.Trim('x');
    nul.Trim('\0');
    EXPECT_STREQ(c.want, s.data()) << c.in;
    EXPECT_EQ(before, s.data());
    EXPECT_STREQ(c.in, nul.data());
  }
}

TEST(NarrowTrim, NullStringStaysWithoutBuffer) {
  zString never_set;
  const char* shared = never_set.data();
  never_set.TrimSpaceRight();
  never_set.TrimSpaceLeft();
  never_set.TrimSpace();
  never_set.Trim('x');
  never_set.ToUpper();
  never_set.ToLower();
  never_set.AlignLeftWithSize(0);
  never_set.Replace('a', 'b');
  never_set.Replace(zString("a"), zString("b"));
  never_set.Remove(0);
  never_set.Remove(0, 1);
  EXPECT_EQ(shared, never_set.data());
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

TEST(NarrowCase, InPlaceAndConstForms) {
  expect_in_place(static_cast<Member>(&zString::ToUpper), {{"Hello, World 1", "HELLO, WORLD 1"}});
  expect_in_place(static_cast<Member>(&zString::ToLower), {{"Hello, World 1", "hello, world 1"}});
  const zString s("Hello, World 1"), never_set;
  EXPECT_STREQ("HELLO, WORLD 1", s.ToUpper().data());
  EXPECT_STREQ("hello, world 1", s.ToLower().data());
  EXPECT_STREQ("Hello, World 1", s.data());
  EXPECT_STREQ("", never_set.ToUpper().data());
}

// Every byte maps as the C library's toupper/tolower in the C locale.
TEST(NarrowCase, AllBytesFollowTheCLibrary) {
  ASSERT_NE(nullptr, std::setlocale(LC_ALL, "C"));
  for (int b = 1; b < 256; ++b) {
    const char text[] = {static_cast<char>(b), '\0'};
    const zString s(text);
    EXPECT_EQ(std::toupper(b), static_cast<unsigned char>(s.ToUpper().data()[0])) << b;
    EXPECT_EQ(std::tolower(b), static_cast<unsigned char>(s.ToLower().data()[0])) << b;
  }
}

TEST(NarrowAlign, PadsToExactlyTheWidth) {
  struct AlignCase {
    const char* in;
    int width;
    std::string want;
  };
  const AlignCase cases[] = {{"ab", 5, "ab   "},
                             {"abcdef", 3, "abcdef"},
                             {"", 25, std::string(25, ' ')},
                             {"ab", 2, "ab"},
                             {"ab", -1, "ab"},
                             {"a", 17, "a" + std::string(16, ' ')},
                             {"abc", -2147483647 - 1, "abc"}};
  for (const AlignCase& c : cases) {
    zString s(c.in);
    EXPECT_EQ(&s, &s.AlignLeftWithSize(c.width));
    EXPECT_EQ(c.want, s.data()) << c.in << " to " << c.width;
  }
}

}  // namespace
