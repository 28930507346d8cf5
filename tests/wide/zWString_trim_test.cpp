#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <stdexcept>
#include <string>
#include <tuple>

#include "wide/expect_text.h"
#include "zWString.h"

namespace {

using zodode_test::expect_throw_text;
using zodode_test::units;

// Trim changes the object, TrimRight does not; TrimSpace removes only U+0020.
TEST(WideTrim, TrimChangesTheObjectTrimRightDoesNot) {
  const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
      {L"xxaxbxx", L"axb", L"xxaxb"}, {L"xaxx", L"a", L"xa"}, {L"xxx", L"", L""}, {L"", L"", L""}};
  for (const auto& [text, trimmed, right_trimmed] : cases) {
    zWString s(text), r(text);
    EXPECT_TRUE(trimmed == units(s.Trim(L'x')) && trimmed == units(s)) << text;
    EXPECT_TRUE(right_trimmed == units(r.TrimRight(L'x')) && text == units(r)) << text;
  }
  zWString s(L"  a b  "), t(L"\t a\n\x00A0 ");
  EXPECT_TRUE(units(s.TrimSpace()) == L"a b" && units(s) == L"a b");
  EXPECT_EQ(L"\t a\n\x00A0", units(t.TrimSpace()));
}

TEST(WideTrim, StripStringAndNextToken) {
  // clang-format off
  const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> cases[] = {
      {L";,a,b;;", L",;", L"a,b"}, {L" ;a; ", L",; ", L"a"}, {L";a;", L"", L";a;"}, {L";;;", L";", L""}, {L"", L";", L""}};
  // clang-format on
  for (const auto& [text, set_text, expected] : cases) {
    zWString s(text);
    std::wstring set(set_text);
    EXPECT_TRUE(expected == units(s.stripString(&set[0])) && expected == units(s)) << text;
  }
  // NextToken keeps the delimiter.
  wchar_t delimiters[] = L",;", none[] = L"";
  zWString s(L"ab;cd,ef"), whole(L"abc");
  EXPECT_EQ(L"ab", units(s.NextToken(delimiters)));
  EXPECT_EQ(L"", units(s.NextToken(delimiters)));
  EXPECT_EQ(L";cd,ef", units(s));
  EXPECT_TRUE(units(whole.NextToken(delimiters)) == L"abc" &&
              units(whole.NextToken(none)) == L"abc");
  EXPECT_EQ(L"abc", units(whole));
}

TEST(WideAlign, PadsWithSpacesNeverShortensAndThrowsPastMaxSize) {
  const std::tuple<const wchar_t*, int, const wchar_t*> cases[] = {
      {L"abc", 8, L"abc     "},
      {L"abcdefghij", 8, L"abcdefghij"},
      {L"abc", 3, L"abc"},
      {L"abc", INT_MIN, L"abc"}};
  for (const auto& [text, width, expected] : cases) {
    zWString s(text);
    EXPECT_EQ(&s, &s.AlignLeftWithSize(width));
    EXPECT_EQ(expected, units(s)) << text << " " << width;
  }
  zWString empty;
  EXPECT_EQ(std::wstring(23, L' '), units(empty.AlignLeftWithSize(23)));
  expect_throw_text<std::length_error>([&] { empty.AlignLeftWithSize(2147483647); },
                                       "string too long");
  EXPECT_EQ(23u, empty.size());
}

TEST(WideCase, MapsPastEmbeddedNul) {
  const zWString s(std::wstring(L"Hi, W\0aB 4", 10));
  EXPECT_EQ(std::wstring(L"hi, w\0ab 4", 10), units(s.lowerCase()));
  EXPECT_EQ(std::wstring(L"HI, W\0AB 4", 10), units(s.upperCase()));
}

// Mapping follows the process locale, so non-ASCII letters map under UTF-8
// (glibc) or a named Windows locale (".1252": the Windows runtime maps them
// under any locale but "C").
TEST(WideCase, MapsThroughTheProcessLocale) {
  if (std::setlocale(LC_CTYPE, "C.utf8") == nullptr &&
      std::setlocale(LC_CTYPE, ".1252") == nullptr) {
    GTEST_SKIP() << "no C.utf8 or .1252 locale";
  }
  const std::wstring upper = units(zWString(L"\x00E9\x03C3").upperCase());
  const std::wstring lower = units(zWString(L"\x00C9\x03A3").lowerCase());
  std::setlocale(LC_CTYPE, "C");
  EXPECT_EQ(L"\x00C9\x03A3", upper);
  EXPECT_EQ(L"\x00E9\x03C3", lower);
}

}  // namespace
