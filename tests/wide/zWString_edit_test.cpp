#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "wide/expect_text.h"
#include "zWString.h"

namespace {

using zodode_test::expect_throw_text;
using zodode_test::units;

constexpr unsigned int kNpos = 4294967295u;

TEST(WideEdit, InsertAtValidPositionsIncludingItself) {
  zWString s(L"abc");
  s.Insert(zWString(L"X"), 3);
  s.Insert(zWString(L"Y"), 1);
  s.Insert(zWString(L"Z"), 0);
  EXPECT_EQ(L"ZaYbcX", units(s));
  zWString self(L"ab");
  self.Insert(self, 1);
  EXPECT_EQ(L"aabb", units(self));
}

TEST(WideEdit, InsertRejectsBadPositionsAndChangesNothing) {
  zWString s(L"abc");
  for (int pos : {4, -1, -2147483647 - 1}) {
    expect_throw_text<std::out_of_range>([&] { s.Insert(zWString(L"x"), pos); },
                                         "invalid string position");
  }
  EXPECT_EQ(L"abc", units(s));
}

struct ReplaceCase {
  const wchar_t* text;
  const wchar_t* what;
  const wchar_t* with;
  bool found;
  const wchar_t* expected;
};

TEST(WideEdit, ReplaceChangesOnlyTheFirstOccurrence) {
  const ReplaceCase cases[] = {
      {L"aaa", L"a", L"b", true, L"baa"}, {L"abc", L"zz", L"b", false, L"abc"},
      {L"abc", L"", L"x", true, L"xabc"}, {L"", L"", L"x", true, L"x"},
      {L"abab", L"ab", L"", true, L"ab"}, {L"abc", L"c", L"cc", true, L"abcc"},
  };
  for (const ReplaceCase& c : cases) {
    zWString s(c.text);
    EXPECT_EQ(c.found, s.Replace(zWString(c.what), zWString(c.with))) << "case " << &c - cases;
    EXPECT_EQ(c.expected, units(s)) << "case " << &c - cases;
  }
  zWString self(L"ab");
  EXPECT_TRUE(self.Replace(self, self));
  EXPECT_EQ(L"ab", units(self));
}

TEST(WideEdit, RemoveTruncatesOrErasesAndRejectsPositionsPastTheEnd) {
  zWString s(L"abcd");
  EXPECT_EQ(&s, &s.Remove(4));
  EXPECT_EQ(L"abcd", units(s));
  EXPECT_EQ(L"ab", units(s.Remove(2)));
  EXPECT_EQ(L"ad", units(zWString(L"abcd").Remove(1, 2)));
  EXPECT_EQ(L"a", units(zWString(L"abcd").Remove(1, 100)));
  expect_throw_text<std::out_of_range>([&] { s.Remove(3); }, "invalid string position");
  expect_throw_text<std::out_of_range>([&] { s.Remove(3, 1); }, "invalid string position");
  expect_throw_text<std::out_of_range>([&] { s.Remove(kNpos); }, "invalid string position");
  EXPECT_EQ(L"ab", units(s));
}

struct SubCase {
  const wchar_t* text;
  unsigned int pos;
  unsigned int count;
  const wchar_t* expected;
};

TEST(WideEdit, ReplaceSubStringClipsAndIgnoresPositionsAtTheEnd) {
  const SubCase cases[] = {
      {L"abcdef", 1, 2, L"aXYdef"},
      {L"abcdef", 1, 100, L"aXY"},
      {L"abcdef", 1, kNpos, L"aXY"},
      {L"abcdef", 1, 0, L"aXYbcdef"},
      {L"abcdef", 6, 1, L"abcdef"},
      {L"abcdef", kNpos, kNpos, L"abcdef"},
      {L"", 0, 0, L""},
      {L"abcdef", 5, kNpos, L"abcdeXY"},
      {L"abcdef", 4294967290u, 10, L"abcdef"},
  };
  for (const SubCase& c : cases) {
    zWString s(c.text);
    EXPECT_EQ(&s, &s.ReplaceSubString(c.pos, c.count, zWString(L"XY"))) << "case " << &c - cases;
    EXPECT_EQ(c.expected, units(s)) << "case " << &c - cases;
  }
  zWString removed(L"abcdef");
  removed.ReplaceSubString(2, 2, zWString());
  EXPECT_EQ(L"abef", units(removed));
}

TEST(WideEdit, ReplaceSubStringWithItself) {
  zWString s(L"abc");
  s.ReplaceSubString(1, 1, s);
  EXPECT_EQ(L"aabcc", units(s));
}

TEST(WideEdit, ReplaceWCharAndPathSeparators) {
  zWString s(L"banana");
  s.ReplaceWChar(L'a', L'o');
  EXPECT_EQ(L"bonono", units(s));
  // The unit to replace may be read from the string itself.
  zWString t(L"abab");
  t.ReplaceWChar(t[0u], L'x');
  EXPECT_EQ(L"xbxb", units(t));
  zWString path(L"C:\\dir\\\\sub/..\\F.TXT\\");
  path.normaliseFilePath();
  EXPECT_EQ(L"C:/dir//sub/../F.TXT/", units(path));
  zWString empty;
  empty.normaliseFilePath();
  EXPECT_TRUE(empty.empty());
}

}  // namespace
