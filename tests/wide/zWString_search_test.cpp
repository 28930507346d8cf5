#include <gtest/gtest.h>

#include <string>

#include "wide/expect_text.h"
#include "zWString.h"

namespace {

constexpr unsigned int kNpos = 4294967295u;

struct FindCase {
  const wchar_t* text;
  const wchar_t* pattern;
  unsigned int pos;
  unsigned int expected;
};

TEST(WideSearch, FindFitsPatternOrReportsNpos) {
  const FindCase cases[] = {
      {L"abc", L"zz", 0, kNpos},  {L"abc", L"", 2, 2},      {L"abc", L"", 3, 3},
      {L"abc", L"", 4, kNpos},    {L"abcabc", L"bc", 2, 4}, {L"abc", L"c", 3, kNpos},
      {L"abc", L"bcd", 1, kNpos}, {L"", L"", 0, 0},         {L"abc", L"a", kNpos, kNpos},
  };
  for (const FindCase& c : cases) {
    const zWString s(c.text);
    const int as_int = c.expected == kNpos ? -1 : static_cast<int>(c.expected);
    EXPECT_EQ(c.expected, s.find(c.pattern, c.pos)) << "case " << &c - cases;
    EXPECT_EQ(c.expected, s.find(zWString(c.pattern), c.pos)) << "case " << &c - cases;
    EXPECT_EQ(as_int, s.Index(c.pattern, c.pos)) << "case " << &c - cases;
    EXPECT_EQ(as_int, s.Index(zWString(c.pattern), c.pos)) << "case " << &c - cases;
  }
  EXPECT_EQ(kNpos, zWString(L"abc").find(L"zz"));
  EXPECT_EQ(-1, zWString(L"abc").Index(L"zz"));
}

TEST(WideSearch, FindOfZWStringMatchesEmbeddedNul) {
  const zWString s(std::wstring(L"ab\0cd\0ef", 8));
  EXPECT_EQ(5u, s.find(zWString(std::wstring(L"\0e", 2))));
  EXPECT_EQ(0u, s.find(L"ab\0zz"));  // the pointer form stops at its NUL
}

TEST(WideSearch, NarrowCharIsSignExtended) {
  const zWString s(
      L"a\x00E9"
      L"b\xFFE9");
  EXPECT_EQ(3u, s.find('\xE9'));
  EXPECT_EQ(3, s.Index('\xE9'));
  EXPECT_EQ(-1, zWString(L"\x00E9").Index('\xE9'));
  EXPECT_EQ(2u, s.find('b', 1));
  EXPECT_EQ(kNpos, s.find('b', 3));
}

TEST(WideSearch, RfindSearchesBackwardsFromClippedStart) {
  const FindCase cases[] = {
      {L"abcabc", L"bc", kNpos, 4}, {L"abcabc", L"bc", 3, 1}, {L"abcabc", L"bc", 0, kNpos},
      {L"abc", L"", 1, 1},          {L"abc", L"", kNpos, 3},  {L"ab", L"abc", kNpos, kNpos},
      {L"abc", L"abc", 0, 0},       {L"", L"", 5, 0},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(c.expected, zWString(c.text).rfind(c.pattern, c.pos)) << "case " << &c - cases;
  }
  EXPECT_EQ(4u, zWString(L"abcabc").rfind(L"bc"));
}

TEST(WideSearch, FindFirstAndLastOfSets) {
  const zWString s(L"a,b;c");
  EXPECT_EQ(1u, s.find_first_of(L";,"));
  EXPECT_EQ(3u, s.find_first_of(L";,", 2));
  EXPECT_EQ(kNpos, s.find_first_of(L";,", 5));
  EXPECT_EQ(kNpos, s.find_first_of(L""));
  EXPECT_EQ(3u, s.find_last_of(L";,"));
  EXPECT_EQ(1u, s.find_last_of(L";,", 2));
  EXPECT_EQ(kNpos, s.find_last_of(L";,", 0));
  EXPECT_EQ(4u, s.find_last_of(L"c", 100));
  EXPECT_EQ(kNpos, s.find_last_of(L""));
  EXPECT_EQ(kNpos, zWString().find_last_of(L"a"));
}

struct AtCase {
  const wchar_t* text;
  unsigned int pos;
  bool expected;
};

TEST(WideSearch, ContainsAtOnlyAtThatPosition) {
  const zWString s(L"abcbc");
  const AtCase cases[] = {
      {L"", 0, true},       {L"", 5, true},     {L"", 6, false},    {L"bc", 1, true},
      {L"bc", 2, false},    {L"bc", 0, false},  {L"bcd", 3, false}, {L"c", 4, true},
      {L"zz", kNpos, true}, {L"", kNpos, true},
  };
  for (const AtCase& c : cases) {
    EXPECT_EQ(c.expected, s.containsAt(c.text, c.pos)) << "case " << &c - cases;
  }
}

}  // namespace
