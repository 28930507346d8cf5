#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "wide/expect_text.h"
#include "zWString.h"

namespace {

using zodode_test::expect_throw_text;
using zodode_test::units;

struct TrimCase {
  const wchar_t* text;
  const wchar_t* result;
  const wchar_t* after;  // *this after the call
};

TEST(WideTrim, TrimChangesTheObjectAndReturnsACopy) {
  const TrimCase cases[] = {
      {L"xxaxbxx", L"axb", L"axb"}, {L"xxx", L"", L""},  {L"", L"", L""},
      {L"a", L"a", L"a"},           {L"xa", L"a", L"a"}, {L"ax", L"a", L"a"},
  };
  for (const TrimCase& c : cases) {
    zWString s(c.text);
    EXPECT_EQ(c.result, units(s.Trim(L'x'))) << c.text;
    EXPECT_EQ(c.after, units(s)) << c.text;
  }
}

TEST(WideTrim, TrimRightLeavesTheObject) {
  const TrimCase cases[] = {{L"xaxx", L"xa", L"xaxx"}, {L"xxx", L"", L"xxx"}, {L"", L"", L""}};
  for (const TrimCase& c : cases) {
    zWString s(c.text);
    EXPECT_EQ(c.result, units(s.TrimRight(L'x'))) << c.text;
    EXPECT_EQ(c.after, units(s)) << c.text;
  }
}

TEST(WideTrim, TrimSpaceRemovesOnlyU0020) {
  zWString s(L"  a b  ");
  EXPECT_EQ(L"a b", units(s.TrimSpace()));
  EXPECT_EQ(L"a b", units(s));
  zWString t(L"\t a\n\x00A0 ");
  EXPECT_EQ(L"\t a\n\x00A0", units(t.TrimSpace()));
}

TEST(WideTrim, StripStringRemovesSetMembersAtBothEnds) {
  const struct {
    const wchar_t* text;
    const wchar_t* set;
    const wchar_t* expected;
  } cases[] = {
      {L";,a,b;;", L",;", L"a,b"}, {L" ;a; ", L",; ", L"a"}, {L";a;", L"", L";a;"},
      {L";;;", L";", L""},         {L"", L";", L""},         {L"a", L";", L"a"},
  };
  for (const auto& c : cases) {
    zWString s(c.text);
    std::wstring set(c.set);
    EXPECT_EQ(c.expected, units(s.stripString(&set[0]))) << c.text;
    EXPECT_EQ(c.expected, units(s)) << c.text;
  }
}

TEST(WideTrim, NextTokenKeepsTheDelimiter) {
  wchar_t delimiters[] = L",;";
  wchar_t none[] = L"";
  zWString s(L"ab;cd,ef");
  EXPECT_EQ(L"ab", units(s.NextToken(delimiters)));
  EXPECT_EQ(L";cd,ef", units(s));
  EXPECT_EQ(L"", units(s.NextToken(delimiters)));
  EXPECT_EQ(L";cd,ef", units(s));
  zWString whole(L"abc");
  EXPECT_EQ(L"abc", units(whole.NextToken(delimiters)));
  EXPECT_EQ(L"abc", units(whole));
  EXPECT_EQ(L"abc", units(whole.NextToken(none)));
  EXPECT_EQ(L"abc", units(whole));
}

TEST(WideAlign, PadsWithSpacesAndNeverShortens) {
  const struct {
    const wchar_t* text;
    int width;
    const wchar_t* expected;
  } cases[] = {
      {L"abc", 8, L"abc     "}, {L"abcdefghij", 8, L"abcdefghij"},
      {L"abc", 3, L"abc"},      {L"", 0, L""},
      {L"abc", -1, L"abc"},     {L"abc", -2147483647 - 1, L"abc"},
  };
  for (const auto& c : cases) {
    zWString s(c.text);
    EXPECT_EQ(&s, &s.AlignLeftWithSize(c.width));
    EXPECT_EQ(c.expected, units(s)) << c.text << " " << c.width;
  }
  zWString empty;
  empty.AlignLeftWithSize(23);
  EXPECT_EQ(std::wstring(23, L' '), units(empty));
}

TEST(WideAlign, WidthPastMaxSizeThrows) {
  zWString s(L"abc");
  expect_throw_text<std::length_error>([&] { s.AlignLeftWithSize(2147483647); }, "string too long");
  EXPECT_EQ(L"abc", units(s));
}

}  // namespace
