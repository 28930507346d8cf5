#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>

#include "wide/expect_text.h"
#include "zWString.h"

namespace {

using zodode_test::expect_throws;
using zodode_test::units;

constexpr unsigned int kNpos = 4294967295u;
constexpr const char* kBadPosition = "invalid string position";

TEST(WideEdit, InsertRemoveAtValidPositionsOrThrowAndChangeNothing) {
  zWString s(L"abc"), self(L"ab"), r(L"abcd"), t(L"abcd");
  s.Insert(zWString(L"X"), 3);
  s.Insert(zWString(L"Y"), 1);
  s.Insert(zWString(L"Z"), 0);
  self.Insert(self, 1);
  EXPECT_TRUE(units(s) == L"ZaYbcX" && units(self) == L"aabb");
  // clang-format off
  expect_throws<std::out_of_range>(kBadPosition, {[&] { s.Insert(zWString(L"x"), 7); },
      [&] { s.Insert(zWString(L"x"), -1); }, [&] { s.Insert(zWString(L"x"), -2147483647 - 1); },
      [&] { r.Remove(5); }, [&] { r.Remove(5, 1); }, [&] { r.Remove(kNpos); }});
  // clang-format on
  EXPECT_TRUE(units(s) == L"ZaYbcX" && units(r) == L"abcd");
  EXPECT_EQ(&r, &r.Remove(4));
  EXPECT_EQ(L"abcd", units(r));
  EXPECT_EQ(L"ab", units(r.Remove(2)));
  EXPECT_EQ(&t, &t.Remove(1, 2));
  EXPECT_EQ(L"ad", units(t));
  EXPECT_EQ(L"a", units(zWString(L"abcd").Remove(1, 100)));
}

TEST(WideEdit, ReplaceChangesOnlyTheFirstOccurrence) {
  // Each row: text, what, with, whether found, text after.
  const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, bool, const wchar_t*> cases[] = {
      {L"aaa", L"a", L"b", true, L"baa"},
      {L"abc", L"zz", L"b", false, L"abc"},
      {L"", L"", L"x", true, L"x"},
      {L"abab", L"ab", L"", true, L"ab"},
      {L"abc", L"c", L"cc", true, L"abcc"}};
  for (const auto& [text, what, with, found, expected] : cases) {
    zWString s(text);
    EXPECT_EQ(found, s.Replace(zWString(what), zWString(with))) << text << " " << what;
    EXPECT_EQ(expected, units(s)) << text << " " << what;
  }
  zWString self(L"ab");
  EXPECT_TRUE(self.Replace(self, self));
  EXPECT_EQ(L"ab", units(self));
}

TEST(WideEdit, ReplaceSubStringClipsAndIgnoresPositionsAtTheEnd) {
  // clang-format off
  const std::tuple<unsigned int, unsigned int, const wchar_t*> cases[] = {
      {1, 2, L"aXYdef"}, {1, kNpos, L"aXY"}, {1, 0, L"aXYbcdef"}, {6, 1, L"abcdef"},
      {kNpos, kNpos, L"abcdef"}, {5, kNpos, L"abcdeXY"}, {kNpos - 5, 10, L"abcdef"}};
  // clang-format on
  for (const auto& [pos, count, expected] : cases) {
    zWString s(L"abcdef");
    EXPECT_EQ(&s, &s.ReplaceSubString(pos, count, zWString(L"XY"))) << pos << " " << count;
    EXPECT_EQ(expected, units(s)) << pos << " " << count;
  }
  zWString self(L"abc");
  EXPECT_EQ(L"aabcc", units(self.ReplaceSubString(1, 1, self)));
  EXPECT_EQ(L"ac", units(self.ReplaceSubString(1, 3, zWString())));
}

TEST(WideEdit, ReplaceWCharAndPathSeparators) {
  zWString t(L"abab"), path(L"C:\\dir\\\\sub/..\\F.TXT\\");
  t.ReplaceWChar(t[0u], L'x');  // the unit to replace may be read from the string itself
  path.normaliseFilePath();
  EXPECT_EQ(L"xbxb", units(t));
  EXPECT_EQ(L"C:/dir//sub/../F.TXT/", units(path));
}

}  // namespace
