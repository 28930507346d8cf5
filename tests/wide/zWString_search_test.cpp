#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "wide/expect_text.h"
#include "zWString.h"

namespace {

using zodode_test::units;
using Fields = std::vector<std::wstring>;
using FindCase = std::tuple<const wchar_t*, const wchar_t*, unsigned int, unsigned int>;

constexpr unsigned int kNpos = 4294967295u;

// Each row: text, pattern, start position, expected position.
TEST(WideSearch, FindFitsPatternOrReportsNpos) {
  // clang-format off
  const FindCase cases[] = {
      {L"abc", L"zz", 0, kNpos}, {L"abc", L"", 3, 3}, {L"abc", L"", 4, kNpos}, {L"abcabc", L"bc", 2, 4},
      {L"abc", L"c", 3, kNpos}, {L"abc", L"bcd", 1, kNpos}, {L"", L"", 0, 0}, {L"abc", L"a", kNpos, kNpos}};
  // clang-format on
  for (const auto& [text, pattern, pos, expected] : cases) {
    const zWString s(text);
    const int as_int = expected == kNpos ? -1 : static_cast<int>(expected);
    SCOPED_TRACE(testing::Message() << text << " " << pattern << " " << pos);
    EXPECT_EQ(expected, s.find(pattern, pos));
    EXPECT_EQ(expected, s.find(zWString(pattern), pos));
    EXPECT_EQ(as_int, s.Index(pattern, pos));
    EXPECT_EQ(as_int, s.Index(zWString(pattern), pos));
  }
  EXPECT_TRUE(zWString(L"bab").find(L"b") == 0u && zWString(L"bab").Index(L"b") == 0);
}

TEST(WideSearch, RfindSearchesBackwardsFromClippedStart) {
  // clang-format off
  const FindCase cases[] = {
      {L"abcabc", L"bc", kNpos, 4}, {L"abcabc", L"bc", 3, 1}, {L"abcabc", L"bc", 0, kNpos}, {L"abc", L"", 1, 1},
      {L"abc", L"", kNpos, 3}, {L"ab", L"abc", kNpos, kNpos}, {L"abc", L"abc", 0, 0}, {L"", L"", 5, 0}};
  // clang-format on
  for (const auto& [text, pattern, pos, expected] : cases) {
    EXPECT_EQ(expected, zWString(text).rfind(pattern, pos)) << text << " " << pattern << " " << pos;
  }
  EXPECT_EQ(4u, zWString(L"abcabc").rfind(L"bc"));
}

// Wide string patterns match embedded NULs; a narrow char is sign-extended.
TEST(WideSearch, EmbeddedNulAndSignExtendedChar) {
  const zWString s(std::wstring(L"ab\0cd\0ef", 8)), e(L"a\x00E9"
                                                      L"b\xFFE9");
  EXPECT_EQ(5u, s.find(zWString(std::wstring(L"\0e", 2))));
  EXPECT_EQ(0u, s.find(L"ab\0zz"));  // the pointer form stops at its NUL
  EXPECT_EQ(3u, zWString(std::wstring(L"a\0b\0c", 5)).rfind(std::wstring(L"\0c", 2)));
  EXPECT_TRUE(e.find('\xE9') == 3u && e.Index('\xE9') == 3 && e.find('b', 3) == kNpos);
  EXPECT_EQ(-1, zWString(L"\x00E9").Index('\xE9'));
}

TEST(WideSearch, SetsAndContainsAt) {
  // Each row: set, start position, find_first_of, find_last_of in "a,b;c".
  const zWString s(L"a,b;c"), t(L"abcbc");
  const std::tuple<const wchar_t*, unsigned int, unsigned int, unsigned int> cases[] = {
      {L";,", 0, 1, kNpos},
      {L";,", 2, 3, 1},
      {L";,", 5, kNpos, 3},
      {L"", 1, kNpos, kNpos},
      {L"c", 100, kNpos, 4}};
  for (const auto& [set, pos, first, last] : cases) {
    EXPECT_EQ(first, s.find_first_of(set, pos)) << set << " " << pos;
    EXPECT_EQ(last, s.find_last_of(set, pos)) << set << " " << pos;
  }
  EXPECT_TRUE(s.find_first_of(L";,") == 1u && s.find_last_of(L";,") == 3u);
  EXPECT_EQ(kNpos, zWString().find_last_of(L"a"));
  // Each row: text, position, whether "abcbc" contains it exactly there.
  const std::tuple<const wchar_t*, unsigned int, bool> at[] = {
      {L"", 5, true},    {L"", 6, false},    {L"bc", 1, true}, {L"bc", 2, false},
      {L"bc", 0, false}, {L"bcd", 3, false}, {L"c", 4, true},  {L"zz", kNpos, true}};
  for (const auto& [text, pos, expected] : at)
    EXPECT_EQ(expected, t.containsAt(text, pos)) << text << pos;
}

// Each row: text, separator, fields kept with empty ones, fields without them.
// Join puts the separator between neighbours only.
TEST(WideSplit, FieldsWithAndWithoutEmptyOnesAndJoin) {
  const auto fields = [](const std::vector<zWString>& list) {
    Fields result;
    for (const zWString& item : list) result.push_back(units(item));
    return result;
  };
  const std::tuple<std::wstring, wchar_t, Fields, Fields> cases[] = {
      {L",a,,b,", L',', {L"", L"a", L"", L"b", L""}, {L"a", L"b"}},
      {L"", L',', {L""}, {}},
      {L"abc", L',', {L"abc"}, {L"abc"}},
      {std::wstring(L"a\0b,c", 5), L'\0', {L"a", L"b,c"}, {L"a", L"b,c"}}};
  for (const auto& [text, separator, keep, drop] : cases) {
    const zWString s(text);
    EXPECT_EQ(keep, fields(s.ToStringList(separator, true))) << text;
    EXPECT_EQ(drop, fields(s.ToStringList(separator, false))) << text;
    EXPECT_EQ(text, units(zWString(s.ToStringList(L',', true), L',')));
  }
  const std::vector<zWString> list = {zWString(L"a"), zWString(), zWString(L"b")};
  EXPECT_TRUE(units(zWString(list, L',')) == L"a,,b" && units(zWString(list, L'\0')) == L"ab");
  EXPECT_EQ(L"", units(zWString(std::vector<zWString>{}, L',')));
}

}  // namespace
