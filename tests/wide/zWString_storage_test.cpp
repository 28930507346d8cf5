#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "wide/expect_text.h"
#include "zWString.h"

namespace {

using zodode_test::expect_throw_text;
using zodode_test::units;

TEST(WideStorage, LayoutIsOneStandardWideString) {
  EXPECT_EQ(sizeof(std::wstring), sizeof(zWString));
}

TEST(WideStorage, ConstructionKeepsOrStopsAtNulAsDocumented) {
  const std::wstring with_nul(L"ab\0cd", 5);
  EXPECT_EQ(5u, zWString(with_nul).size());
  EXPECT_EQ(with_nul, units(zWString(with_nul)));
  EXPECT_EQ(L"ab", units(zWString(with_nul.c_str())));
  EXPECT_EQ(1u, zWString(L'\0').size());
  EXPECT_EQ(L"q", units(zWString(L'q')));
  EXPECT_TRUE(zWString().empty());
  EXPECT_EQ(0u, zWString().size());
  EXPECT_EQ(L'\0', zWString()[0u]);
}

TEST(WideStorage, Utf16InputJoinsValidSurrogatePairsOnWideUnits) {
  const unsigned short pair[] = {0x41, 0xD83D, 0xDE00, 0x42, 0};
  const unsigned short lone[] = {0xDC00, 0xD800, 0x43, 0};
  const zWString from_pair(pair);
  zWString from_lone(L"old");
  from_lone = lone;
  if (sizeof(wchar_t) == 2) {
    EXPECT_EQ(4u, from_pair.size());
    EXPECT_EQ(0xD83Du, static_cast<unsigned>(from_pair[1u]));
  } else {
    ASSERT_EQ(3u, from_pair.size());
    EXPECT_EQ(0x1F600u, static_cast<unsigned>(from_pair[1u]));
    EXPECT_EQ(L'B', from_pair[2u]);
  }
  ASSERT_EQ(3u, from_lone.size());
  EXPECT_EQ(0xDC00u, static_cast<unsigned>(from_lone[0u]));
  EXPECT_EQ(0xD800u, static_cast<unsigned>(from_lone[1u]));
}

TEST(WideStorage, AssignmentCopiesAndMayReadItsOwnText) {
  zWString s(L"abc");
  s = s.c_str() + 1;
  EXPECT_EQ(L"bc", units(s));
  const zWString& same = s;
  s = same;
  zWString t;
  t = s;
  t[0u] = L'x';
  EXPECT_EQ(L"bc", s.getWStringData());
  EXPECT_EQ(L"xc", static_cast<std::wstring>(t));
}

TEST(WideStorage, MaxSizeIsFixed) { EXPECT_EQ(2147483646u, zWString().max_size()); }

struct CutCase {
  int start;
  int count;
  const wchar_t* expected;
};

TEST(WideStorage, CallOperatorCutsAndReadsNegativesAsUnsigned) {
  const CutCase cases[] = {{2, -1, L"cdef"}, {6, 3, L""}, {1, 2, L"bc"}, {0, 100, L"abcdef"}};
  zWString s(L"abcdef");
  const zWString& cs = s;
  for (const CutCase& c : cases) {
    EXPECT_EQ(c.expected, units(s(c.start, c.count))) << c.start << "," << c.count;
    EXPECT_EQ(c.expected, units(cs(c.start, c.count))) << c.start << "," << c.count;
  }
  expect_throw_text<std::out_of_range>([&] { s(7, 1); }, "invalid string position");
  expect_throw_text<std::out_of_range>([&] { cs(-1, 2); }, "invalid string position");
  EXPECT_EQ(L"abcdef", units(s));
}

TEST(WideStorage, ResizeCutsOrPadsWithNul) {
  zWString s(L"ab");
  s.resize(5);
  EXPECT_EQ(std::wstring(L"ab\0\0\0", 5), units(s));
  s.resize(1);
  EXPECT_EQ(L"a", units(s));
}

TEST(WideStorage, AssignSignExtendsAndReturnsHeldText) {
  zWString s(L"zz");
  std::wstring& held = s.assign(3, 'x');
  EXPECT_EQ(L"xxx", units(s));
  held += L'!';
  EXPECT_EQ(L"xxx!", units(s));
  s.assign(2, '\xE9');
  EXPECT_EQ(std::wstring(2, static_cast<wchar_t>(0xFFE9)), units(s));
}

TEST(WideStorage, AppendEraseSubstrReplace) {
  zWString s(L"abc");
  EXPECT_EQ(&s, &s.append(2, L'\0'));
  EXPECT_EQ(std::wstring(L"abc\0\0", 5), units(s));
  EXPECT_EQ(L"a", s.erase(1, 100));
  const zWString t(L"abcdef");
  EXPECT_EQ(L"cd", t.substr(2, 2));
  EXPECT_EQ(L"", t.substr(6, 2));
  EXPECT_EQ(L"def", t.substr(3, 4294967295u));
  zWString r(L"abcdef");
  r.replace(1, 2, zWString(L"XYZ"));
  r.replace(4, 100, L"!");
  EXPECT_EQ(std::wstring(L"aXYZ!\0?", 7), r.replace(5, 0, std::wstring(L"\0?", 2)));
}

TEST(WideStorage, ReplaceWithItselfUsesTheOldText) {
  zWString s(L"abc");
  s.replace(1, 1, s);
  EXPECT_EQ(L"aabcc", units(s));
  zWString t(L"abcd");
  t.replace(0, 2, t.c_str() + 2);
  EXPECT_EQ(L"cdcd", units(t));
}

TEST(WideStorage, BadPositionsThrowAndChangeNothing) {
  zWString s(L"abc");
  const char* kText = "invalid string position";
  expect_throw_text<std::out_of_range>([&] { s.erase(4, 0); }, kText);
  expect_throw_text<std::out_of_range>([&] { s.substr(4, 1); }, kText);
  expect_throw_text<std::out_of_range>([&] { s.replace(4, 0, zWString(L"x")); }, kText);
  expect_throw_text<std::out_of_range>([&] { s.replace(4294967295u, 0, L"x"); }, kText);
  expect_throw_text<std::out_of_range>([&] { s.replace(5, 0, std::wstring(L"x")); }, kText);
  EXPECT_EQ(L"abc", units(s));
}

// Every check happens before any allocation, so none of these needs gigabytes.
TEST(WideStorage, GrowthPastMaxSizeThrowsAndChangesNothing) {
  zWString s(L"ab");
  const char* kText = "string too long";
  expect_throw_text<std::length_error>([&] { s.resize(2147483647u); }, kText);
  expect_throw_text<std::length_error>([&] { s.resize(4294967295u); }, kText);
  expect_throw_text<std::length_error>([&] { s.append(2147483645u, L'x'); }, kText);
  expect_throw_text<std::length_error>([&] { s.append(4294967295u, L'x'); }, kText);
  expect_throw_text<std::length_error>([&] { s.assign(2147483647u, 'x'); }, kText);
  EXPECT_EQ(L"ab", units(s));
}

TEST(WideStorage, ConcatenationAndAppending) {
  const zWString a(L"ab");
  EXPECT_EQ(L"abcd", units(a + L"cd"));
  EXPECT_EQ(L"abab", units(a + a));
  EXPECT_EQ(L"xyab", units(L"xy" + a));
  EXPECT_EQ(L"ab", units(a));
  zWString s(L"ab");
  s += s;
  EXPECT_EQ(L"abab", units(s));
  s += L'\0';
  EXPECT_EQ(5u, s.size());
}

struct OrderCase {
  const wchar_t* left;
  const wchar_t* right;
  int expected;
};

TEST(WideCompare, OrdersByUnsignedUnitThenLength) {
  const OrderCase cases[] = {
      {L"ab", L"abc", -1},  {L"abc", L"ab", 1},   {L"abc", L"abc", 0},
      {L"Z", L"a", -1},     {L"", L"", 0},        {L"", L"a", -1},
      {L"\x00E9", L"z", 1}, {L"abd", L"abcz", 1}, {L"b", L"azzz", 1},
  };
  for (const OrderCase& c : cases) {
    const zWString left(c.left);
    const zWString right(c.right);
    EXPECT_EQ(c.expected, left.compare(c.right)) << "case " << &c - cases;
    EXPECT_EQ(c.expected < 0, left < right) << "case " << &c - cases;
    EXPECT_EQ(c.expected == 0, left == right) << "case " << &c - cases;
    EXPECT_EQ(c.expected != 0, left != right) << "case " << &c - cases;
    EXPECT_EQ(c.expected != 0, left != c.right) << "case " << &c - cases;
  }
}

// On 32-bit wchar_t the units above 0x7FFFFFFF are negative as wchar_t; they
// still order after every smaller unit.
TEST(WideCompare, HighUnitsOrderLast) {
  std::wstring high(1, static_cast<wchar_t>(sizeof(wchar_t) == 2 ? 0xFFFFu : 0xFFFFFFFFu));
  EXPECT_EQ(1, zWString(high).compare(L"a"));
  EXPECT_TRUE(zWString(L"a") < zWString(high));
}

TEST(WideCompare, FreeInequalitySeesEmbeddedNul) {
  const zWString s(std::wstring(L"abc\0", 4));
  EXPECT_TRUE(s != L"abc");
  EXPECT_FALSE(zWString(L"abc") != L"abc");
}

}  // namespace
