#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>

#include "wide/expect_text.h"
#include "zWString.h"

namespace {

using zodode_test::expect_throw_text;
using zodode_test::units;

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
  zWString assigned(L"old");
  assigned = pair;
  for (const zWString& s : {zWString(pair), assigned}) {
    if (sizeof(wchar_t) == 2) {
      EXPECT_EQ(std::wstring({L'A', wchar_t(0xD83D), wchar_t(0xDE00)}), units(s));
    } else {
      EXPECT_EQ(std::wstring({L'A', wchar_t(0x1F600)}), units(s));
    }
  }
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
    EXPECT_EQ(expected, units(s(start, count))) << start << "," << count;
    EXPECT_EQ(expected, units(cs(start, count))) << start << "," << count;
  }
  expect_throw_text<std::out_of_range>([&] { s(7, 1); }, kBadPosition);
  expect_throw_text<std::out_of_range>([&] { cs(-1, 2); }, kBadPosition);
  EXPECT_EQ(L"abcdef", units(s));
}

TEST(WideStorage, ResizeAssignAppendEraseSubstr) {
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
  EXPECT_EQ(L"cd", t.substr(2, 2));
  EXPECT_EQ(L"", t.substr(6, 2));
  EXPECT_EQ(L"def", t.substr(3, 4294967295u));
}

TEST(WideStorage, ReplaceIncludingWithItselfUsesTheOldText) {
  zWString r(L"abcdef");
  r.replace(1, 2, zWString(L"XYZ"));
  r.replace(4, 100, L"!");
  EXPECT_EQ(std::wstring(L"aXYZ!\0?", 7), r.replace(5, 0, std::wstring(L"\0?", 2)));
  zWString s(L"abc");
  s.replace(1, 1, s);
  EXPECT_EQ(L"aabcc", units(s));
  zWString t(L"abcd");
  t.replace(0, 2, t.c_str() + 2);
  EXPECT_EQ(L"cdcd", units(t));
}

TEST(WideStorage, BadPositionsThrowAndChangeNothing) {
  zWString s(L"abc");
  expect_throw_text<std::out_of_range>([&] { s.erase(4, 0); }, kBadPosition);
  expect_throw_text<std::out_of_range>([&] { s.substr(4, 1); }, kBadPosition);
  expect_throw_text<std::out_of_range>([&] { s.replace(4, 0, zWString(L"x")); }, kBadPosition);
  expect_throw_text<std::out_of_range>([&] { s.replace(4294967295u, 0, L"x"); }, kBadPosition);
  expect_throw_text<std::out_of_range>([&] { s.replace(5, 0, std::wstring(L"x")); }, kBadPosition);
  EXPECT_EQ(L"abc", units(s));
}

// Every check happens before any allocation, so none of these needs gigabytes.
TEST(WideStorage, GrowthPastMaxSizeThrowsAndChangesNothing) {
  zWString s(L"ab");
  EXPECT_EQ(2147483646u, s.max_size());
  const char* kText = "string too long";
  expect_throw_text<std::length_error>([&] { s.resize(2147483647u); }, kText);
  expect_throw_text<std::length_error>([&] { s.append(2147483645u, L'x'); }, kText);
  expect_throw_text<std::length_error>([&] { s.append(4294967295u, L'x'); }, kText);
  expect_throw_text<std::length_error>([&] { s.assign(2147483647u, 'x'); }, kText);
  EXPECT_EQ(L"ab", units(s));
}

TEST(WideStorage, ConcatenationAndAppending) {
  const zWString a(L"ab");
  EXPECT_EQ(L"xyabcd", units(L"xy" + a + L"cd"));
  zWString s(L"ab");
  s += s;
  s += L'\0';
  EXPECT_EQ(std::wstring(L"abab\0", 5), units(s));
}

TEST(WideCompare, OrdersByUnsignedUnitThenLength) {
  const std::tuple<const wchar_t*, const wchar_t*, int> cases[] = {
      {L"ab", L"abc", -1}, {L"Z", L"a", -1}, {L"\x00E9", L"z", 1}, {L"abc", L"abc", 0}};
  for (const auto& [left_text, right_text, expected] : cases) {
    const zWString left(left_text), right(right_text);
    SCOPED_TRACE(testing::Message() << left_text << " " << right_text);
    EXPECT_EQ(expected, left.compare(right_text));
    EXPECT_EQ(expected < 0, left < right);
    EXPECT_EQ(expected > 0, right < left);
    EXPECT_EQ(expected == 0, left == right);
    EXPECT_EQ(expected != 0, left != right);
    EXPECT_EQ(expected != 0, left != right_text);
  }
}

// On 32-bit wchar_t the units above 0x7FFFFFFF are negative as wchar_t; they
// still order after every smaller unit.
TEST(WideCompare, HighUnitsOrderLast) {
  std::wstring high(1, static_cast<wchar_t>(sizeof(wchar_t) == 2 ? 0xFFFFu : 0xFFFFFFFFu));
  EXPECT_EQ(1, zWString(high).compare(L"a"));
  EXPECT_TRUE(zWString(L"a") < zWString(high));
}

TEST(WideCompare, EqualitySeesEmbeddedNul) {
  const zWString anb(std::wstring(L"a\0b", 3)), anc(std::wstring(L"a\0c", 3));
  EXPECT_TRUE(!(anb == anc) && anb != anc && anb == zWString(std::wstring(L"a\0b", 3)));
  EXPECT_TRUE(zWString(std::wstring(L"abc\0", 4)) != L"abc");
  EXPECT_FALSE(zWString(L"abc") != L"abc");
}

}  // namespace
