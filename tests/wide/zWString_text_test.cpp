// zWString numbers, trimming, tokenizing, alignment and case.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <clocale>
#include <cstdio>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "zWString.h"

namespace {

std::wstring units(const zWString& s) { return std::wstring(s.c_str(), s.size()); }

TEST(WideNumbers, IntegersInPlainDecimal) {
  // clang-format off
  const std::wstring got[] = {units(zWString(static_cast<short>(-32768))), units(zWString(static_cast<short>(32767))),
      units(zWString(INT_MIN)), units(zWString(4294967295u)), units(zWString(0L)), units(zWString(LONG_MIN)),
      units(zWString(static_cast<__int64>(LLONG_MIN))), units(zWString(static_cast<__int64>(LLONG_MAX)))};
  const std::wstring want[] = {L"-32768", L"32767", L"-2147483648", L"4294967295", L"0",
      sizeof(long) == 8 ? L"-9223372036854775808" : L"-2147483648", L"-9223372036854775808", L"9223372036854775807"};
  // clang-format on
  for (int i = 0; i < 8; ++i) EXPECT_EQ(want[i], got[i]) << i;
}

// The C library in the C locale writes the reference texts; only the first
// 127 units are kept.
TEST(WideNumbers, PrintfConversionsAreCutAt127Units) {
  ASSERT_NE(nullptr, std::setlocale(LC_ALL, "C"));
  // clang-format off
  const std::tuple<double, char, int, const char*> cases[] = {
      {1234.5, 'e', 2, "%.*e"}, {1e-5, 'g', 6, "%.*g"}, {100.0, 'G', 0, "%.*G"}, {-0.5, 'f', 0, "%.*f"},
      {1.0 / 3, 'f', 200, "%.*f"}, {1e-300, 'E', 150, "%.*E"}, {0.1, 'g', 60, "%.*g"}, {-1e300, 'f', 5000, "%.*f"},
      {3.14159, 'f', 2, "%.*f"}, {1e200, 'f', 0, "%.*f"}, {0.5, 'f', -1, "%.*f"}, {-std::numeric_limits<double>::infinity(), 'E', 2, "%.*E"},
      {1.0 / 3, 'f', 125, "%.*f"}, {1.0 / 3, 'f', 126, "%.*f"}, {std::numeric_limits<double>::quiet_NaN(), 'G', 2, "%.*G"}};
  // clang-format on
  for (const auto& [value, conversion, precision, format] : cases) {
    std::vector<char> expected(std::max(precision, 0) + 400);
    std::snprintf(expected.data(), expected.size(), format, precision, value);
    std::string text(expected.data());
    if (text == "-nan" || text == "-NAN") text.erase(0, 1);  // mingw-w64 prints no sign
    text.resize(std::min<std::size_t>(text.size(), 127));
    EXPECT_EQ(std::wstring(text.begin(), text.end()), units(zWString(value, conversion, precision)))
        << value << " " << conversion << " " << precision;
  }
  // A precision far past a double's exact digits: zeros, or the exact expansion.
  EXPECT_EQ(L"0.5" + std::wstring(124, L'0'), units(zWString(0.5, 'f', INT_MAX)));
  EXPECT_EQ(L"5." + std::wstring(125, L'0'), units(zWString(0.5, 'e', INT_MAX)));
  EXPECT_EQ(L"0.1000000000000000055511151231257827021181583404541015625",
            units(zWString(0.1, 'g', INT_MAX)));
}

// Ten or twenty significant digits; plus, append and streaming use ten.
TEST(WideNumbers, TenOrTwentySignificantDigitsAndAppending) {
  // clang-format off
  const std::tuple<double, bool, const wchar_t*> cases[] = {
      {1.0 / 3, false, L"0.3333333333"}, {0.1, true, L"0.10000000000000000555"}, {1234567890.125, false, L"1234567890"},
      {1234567890.125, true, L"1234567890.125"}, {-0.0, false, L"-0"}, {9999999999.0, false, L"9999999999"}};
  // clang-format on
  for (const auto& [value, flag, expected] : cases) {
    EXPECT_EQ(expected, units(zWString(value, flag))) << value << " " << flag;
  }
  zWString s(L"x="), b;
  EXPECT_EQ(L"x=0.3333333333", units(s + 1.0 / 3));
  EXPECT_EQ(&s, &(s += 1.0 / 3));
  EXPECT_EQ(L"x=0.3333333333", units(s));
  EXPECT_EQ(&b, &(b << true << L"!"));
  b << false << L"";
  EXPECT_EQ(L"true!false", units(b));
}

// Each row: text, Trim('x') (returned and kept), TrimRight('x') (returned;
// the string stays), stripString(",;x"), NextToken(",;") and what it leaves.
// clang-format off
const std::tuple<std::wstring, const wchar_t*, const wchar_t*, std::wstring, std::wstring, std::wstring> kTrims[] = {
    {L"xxaxbxx", L"axb", L"xxaxb", L"axb", L"xxaxbxx", L"xxaxbxx"}, {L"xaxx", L"a", L"xa", L"a", L"xaxx", L"xaxx"},
    {L"xxx", L"", L"", L"", L"xxx", L"xxx"}, {L"", L"", L"", L"", L"", L""},
    {L";,a,b;;", L";,a,b;;", L";,a,b;;", L"a,b", L"", L";,a,b;;"}, {L"ab;cd,e", L"ab;cd,e", L"ab;cd,e", L"ab;cd,e", L"ab", L";cd,e"},
    {L"a,", L"a,", L"a,", L"a", L"a", L","}, {std::wstring(L"\0a\0", 3), L"", L"", std::wstring(L"\0a\0", 3), std::wstring(L"\0a\0", 3), std::wstring(L"\0a\0", 3)}};
// clang-format on

TEST(WideTrim, TrimStripAndNextToken) {
  for (const auto& [text, trimmed, right, stripped, token, rest] : kTrims) {
    SCOPED_TRACE(testing::Message() << text.c_str());
    zWString s(text), r(text), st(text), t(text);
    wchar_t set[] = L",;x", delimiters[] = L",;";
    if (text.find(L'\0') == std::wstring::npos) {
      EXPECT_TRUE(trimmed == units(s.Trim(L'x')) && trimmed == units(s) &&
                  trimmed == units(s.Trim(L'x')));
      EXPECT_TRUE(right == units(r.TrimRight(L'x')) && text == units(r));
    }
    EXPECT_TRUE(stripped == units(st.stripString(set)) && stripped == units(st));
    EXPECT_EQ(stripped, units(st.stripString(set)));
    EXPECT_EQ(token, units(t.NextToken(delimiters)));
    EXPECT_EQ(rest, units(t));
  }
  zWString s(L"  a b  "), t(L"\t a\n\x00A0 "), whole(L"abc");
  wchar_t none[] = L"";
  EXPECT_TRUE(units(s.TrimSpace()) == L"a b" && units(s) == L"a b");
  EXPECT_EQ(L"\t a\n\x00A0", units(t.TrimSpace()));
  EXPECT_TRUE(units(whole.NextToken(none)) == L"abc" && units(whole.stripString(none)) == L"abc");
}

TEST(WideAlign, PadsWithSpacesAndNeverShortens) {
  const std::tuple<const wchar_t*, int, const wchar_t*> cases[] = {
      {L"abc", 8, L"abc     "},
      {L"abcdefghij", 8, L"abcdefghij"},
      {L"abc", 3, L"abc"},
      {L"abc", 4, L"abc "},
      {L"abc", -1, L"abc"},
      {L"abc", INT_MIN, L"abc"},
      {L"", 23, L"                       "}};
  for (const auto& [text, width, expected] : cases) {
    zWString s(text);
    EXPECT_EQ(&s, &s.AlignLeftWithSize(width));
    EXPECT_EQ(expected, units(s)) << text << " " << width;
  }
}

// Mapping follows the process locale: under C only ASCII letters change;
// under UTF-8 (glibc) or a named Windows locale (".1252") others do too.
TEST(WideCase, MapsUnitByUnitThroughTheProcessLocale) {
  ASSERT_NE(nullptr, std::setlocale(LC_CTYPE, "C"));
  const zWString s(std::wstring(L"Hi, W\0aB 4@[`{", 14));
  EXPECT_EQ(std::wstring(L"hi, w\0ab 4@[`{", 14), units(s.lowerCase()));
  EXPECT_EQ(std::wstring(L"HI, W\0AB 4@[`{", 14), units(s.upperCase()));
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
