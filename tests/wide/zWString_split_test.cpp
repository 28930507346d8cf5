#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wide/expect_text.h"
#include "zWString.h"

namespace {

using zodode_test::units;

std::vector<std::wstring> fields(const std::vector<zWString>& list) {
  std::vector<std::wstring> result;
  for (const zWString& item : list) result.push_back(units(item));
  return result;
}

using Fields = std::vector<std::wstring>;

struct SplitCase {
  std::wstring text;
  wchar_t separator;
  Fields keep;
  Fields drop;
};

TEST(WideSplit, FieldsWithAndWithoutEmptyOnes) {
  const SplitCase cases[] = {
      {L"a,b,c", L',', {L"a", L"b", L"c"}, {L"a", L"b", L"c"}},
      {L",a,,b,", L',', {L"", L"a", L"", L"b", L""}, {L"a", L"b"}},
      {L"", L',', {L""}, {}},
      {L"abc", L',', {L"abc"}, {L"abc"}},
      {L"a,", L',', {L"a", L""}, {L"a"}},
      {std::wstring(L"a\0b,c", 5), L'\0', {L"a", L"b,c"}, {L"a", L"b,c"}},
      {L"a,b", L'\0', {L"a,b"}, {L"a,b"}},
  };
  for (const SplitCase& c : cases) {
    const zWString s(c.text);
    EXPECT_EQ(c.keep, fields(s.ToStringList(c.separator, true))) << "case " << &c - cases;
    EXPECT_EQ(c.drop, fields(s.ToStringList(c.separator, false))) << "case " << &c - cases;
    EXPECT_EQ(c.text, units(s)) << "case " << &c - cases;
  }
}

TEST(WideJoin, SeparatorBetweenNeighboursOnly) {
  const std::vector<zWString> list = {zWString(L"a"), zWString(), zWString(L"b")};
  EXPECT_EQ(L"a,,b", units(zWString(list, L',')));
  EXPECT_EQ(L"ab", units(zWString(list, L'\0')));
  EXPECT_EQ(L"a", units(zWString(std::vector<zWString>{zWString(L"a")}, L',')));
  EXPECT_EQ(L"", units(zWString(std::vector<zWString>{}, L',')));
}

TEST(WideJoin, JoiningTheSplitGivesTheTextBack) {
  for (const wchar_t* text : {L",a,,b,", L"", L"abc", L";;", L"x;y"}) {
    const zWString s(text);
    EXPECT_EQ(text, units(zWString(s.ToStringList(L';', true), L';'))) << text;
    EXPECT_EQ(text, units(zWString(s.ToStringList(L',', true), L','))) << text;
  }
}

}  // namespace
