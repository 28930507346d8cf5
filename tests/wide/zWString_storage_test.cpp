#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "wide/expect_text.h"
#include "zWString.h"

namespace {

using zodode_test::expect_throws;
using zodode_test::units;

constexpr unsigned int kNpos = 4294967295u;
constexpr const char* kBadPosition = "invalid string position";
static_assert(sizeof(zWString) == sizeof(std::wstring), "one standard wide string");

TEST(WideStorage, ConstructionKeepsOrStopsAtNulAsDocumented) {
  const std::wstring with_nul(L"ab\0cd", 5);
  const zWString abc(L"abc");
  EXPECT_EQ(with_nul, units(zWString(with_nul)));
  EXPECT_EQ(L"ab", units(zWString(with_nul.c_str())));
  EXPECT_EQ(std::wstring(1, L'\0'), units(zWString(L'\0')));
  EXPECT_TRUE(zWString().empty() && zWString()[0u] == L'\0');
  EXPECT_TRUE(abc.length() == 3u && !abc.empty() && abc.data() == abc.c_str());
}

// Valid pairs become one unit where wchar_t holds 32 bits; lone halves stay.
TEST(WideStorage, Utf16InputJoinsValidSurrogatePairsOnWideUnits) {
  const unsigned short pair[] = {0x41, 0xD83D, 0xDE00, 0}, lone[] = {0xDC00, 0xD800, 0x43, 0};
  const std::wstring want = sizeof(wchar_t) == 2
                                ? std::wstring({L'A', wchar_t(0xD83D), wchar_t(0xDE00)})
                                : std::wstring({L'A', wchar_t(0x1F600)});
  zWString assigned(L"old");
  assigned = pair;
  EXPECT_TRUE(want == units(zWString(pair)) && want == units(assigned));
  assigned = lone;
  EXPECT_EQ(std::wstring({wchar_t(0xDC00), wchar_t(0xD800), L'C'}), units(assigned));
}

TEST(WideStorage, AssignmentCopiesAndMayReadItsOwnText) {
  zWString s(L"abc"), t;
  s = s.c_str() + 1;
  s = static_cast<const zWString&>(s);
  t = s;
  t[0u] = L'x';
  EXPECT_EQ(L"bc", s.getWStringData());
  EXPECT_EQ(L"xc", static_cast<std::wstring>(t));
}

TEST(WideStorage, CallOperatorCutsAndReadsNegativesAsUnsigned) {
  const std::tuple<int, int, const wchar_t*> cases[] = {
      {2, -1, L"cdef"}, {6, 3, L""}, {1, 2, L"bc"}, {0, 100, L"abcdef"}};
  zWString s(L"abcdef");
  const zWString& cs = s;
  for (const auto& [start, count, expected] : cases) {
    EXPECT_TRUE(expected == units(s(start, count)) && expected == units(cs(start, count)))
        << start << "," << count;
  }
  expect_throws<std::out_of_range>(kBadPosition, {[&] { s(7, 1); }, [&] { cs(-1, 2); }});
  EXPECT_EQ(L"abcdef", units(s));
}

TEST(WideStorage, ResizeAssignAppendEraseSubstrReplace) {
  zWString s(L"ab");
  s.resize(5);
  EXPECT_EQ(std::wstring(L"ab\0\0\0", 5), units(s));
  s.resize(1);
  EXPECT_EQ(L"a", units(s));
  std::wstring& held = s.assign(3, 'x');
  held += L'!';
  EXPECT_EQ(L"xxx!", units(s));
  s.assign(2, '\xE9');  // sign-extended like the C library's char
  EXPECT_EQ(std::wstring(2, static_cast<wchar_t>(0xFFE9)), units(s));
  EXPECT_EQ(&s, &s.append(2, L'\0'));
  EXPECT_EQ(L"\xFFE9", s.erase(1, 100));
  const zWString t(L"abcdef");
  EXPECT_TRUE(t.substr(2, 2) == L"cd" && t.substr(6, 2) == L"" &&
              t.substr(3, 4294967295u) == L"def");
  zWString r(L"abcdef"), self(L"abc"), own(L"abcd");
  r.replace(1, 2, zWString(L"XYZ"));
  r.replace(4, 100, L"!");
  EXPECT_EQ(std::wstring(L"aXYZ!\0?", 7), r.replace(5, 0, std::wstring(L"\0?", 2)));
  self.replace(1, 1, self);
  own.replace(0, 2, own.c_str() + 2);
  EXPECT_TRUE(units(self) == L"aabcc" && units(own) == L"cdcd");
}

// Every check happens before any allocation, so none of these needs gigabytes.
TEST(WideStorage, BadPositionsAndGrowthPastMaxSizeThrowAndChangeNothing) {
  zWString s(L"abc");
  EXPECT_EQ(2147483646u, s.max_size());
  // clang-format off
  expect_throws<std::out_of_range>(kBadPosition, {[&] { s.erase(4, 0); }, [&] { s.substr(4, 1); },
      [&] { s.replace(4, 0, zWString(L"x")); }, [&] { s.replace(4294967295u, 0, L"x"); },
      [&] { s.replace(5, 0, std::wstring(L"x")); }});
  expect_throws<std::length_error>("string too long", {[&] { s.resize(2147483647u); },
      [&] { s.append(2147483644u, L'x'); }, [&] { s.append(4294967295u, L'x'); },
      [&] { s.assign(2147483647u, 'x'); }});
  // clang-format on
  EXPECT_EQ(L"abc", units(s));
}

TEST(WideStorage, ConcatenationAndAppending) {
  const zWString a(L"ab");
  EXPECT_EQ(L"xyabcd", units(L"xy" + a + L"cd"));
  zWString s(L"ab");
  s += s;
  s += L'\0';
  EXPECT_EQ(std::wstring(L"abab\0", 5), units(s));
}

// On 32-bit wchar_t the units above 0x7FFFFFFF are negative as wchar_t; they
// still order after every smaller unit. Equality sees embedded NULs.
TEST(WideCompare, OrdersByUnsignedUnitThenLength) {
  const std::wstring high(1, static_cast<wchar_t>(sizeof(wchar_t) == 2 ? 0xFFFFu : 0xFFFFFFFFu));
  const std::tuple<std::wstring, std::wstring, int> cases[] = {
      {L"ab", L"abc", -1},
      {L"Z", L"a", -1},
      {L"\x00E9", L"z", 1},
      {L"abc", L"abc", 0},
      {high, L"a", 1},
      {std::wstring(L"a\0b", 3), std::wstring(L"a\0c", 3), -1},
      {std::wstring(L"a\0b", 3), std::wstring(L"a\0b", 3), 0}};
  for (const auto& [left_text, right_text, expected] : cases) {
    const zWString left(left_text), right(right_text);
    SCOPED_TRACE(testing::Message() << left_text << " " << right_text);
    if (right_text.find(L'\0') == std::wstring::npos) {
      EXPECT_EQ(expected, left.compare(right_text.c_str()));
      EXPECT_EQ(expected != 0, left != right_text.c_str());
    }
    EXPECT_EQ((std::vector<bool>{expected<0, expected> 0, expected == 0, expected != 0}),
              (std::vector<bool>{left < right, right < left, left == right, left != right}));
  }
  EXPECT_TRUE(zWString(std::wstring(L"abc\0", 4)) != L"abc");
}

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
