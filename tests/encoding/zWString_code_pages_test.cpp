#include <gtest/gtest.h>

#include <string>

#include "zString.h"
#include "zWString.h"

namespace {

std::wstring units(const zWString& s) { return s.getWStringData(); }

TEST(WideCodePages, EmptyTextsStayEmpty) {
  const zWString empty;
  EXPECT_STREQ("", empty.toUtf8().data());
  EXPECT_STREQ("", empty.toLatin1().data());
  const zString none;
  const zString blank("");
  EXPECT_EQ(L"", units(zWString::fromUtf8(none)));
  EXPECT_EQ(L"", units(zWString::fromUtf8(blank)));
  EXPECT_EQ(L"", units(zWString::fromLatin1(none)));
  EXPECT_EQ(L"", units(zWString::fromLatin1(blank)));
}

TEST(WideCodePages, ConversionsStopAtFirstNul) {
  const zWString s(std::wstring(L"ab\0cd", 5));
  EXPECT_STREQ("ab", s.toUtf8().data());
  EXPECT_STREQ("ab", s.toLatin1().data());
}

struct text_case {
  const wchar_t* units;
  const char* utf8;
  const char* latin1;  // null: not in Windows-1252
};

// L"\U0001F600" is one unit or a surrogate pair, as wchar_t is wide.
const text_case kTexts[] = {
    {L"plain ASCII {}\\", "plain ASCII {}\\", "plain ASCII {}\\"},
    {L"\x00E9", "\xC3\xA9", "\xE9"},
    {L"caf\x00E9 \x20AC"
     L"5 \x0152\x2122\x00FF",
     "caf\xC3\xA9 \xE2\x82\xAC"
     "5 \xC5\x92\xE2\x84\xA2\xC3\xBF",
     "caf\xE9 \x80"
     "5 \x8C\x99\xFF"},
    {L"\x4E2D\x6587", "\xE4\xB8\xAD\xE6\x96\x87", nullptr},
    {L"x\U0001F600y", "x\xF0\x9F\x98\x80y", nullptr},
};

TEST(WideCodePages, ConvertsBothWaysThroughBothCodePages) {
  for (const text_case& c : kTexts) {
    const zWString wide(c.units);
    EXPECT_STREQ(c.utf8, wide.toUtf8().data());
    EXPECT_EQ(std::wstring(c.units), units(zWString::fromUtf8(c.utf8)));
    if (c.latin1 == nullptr) continue;
    EXPECT_STREQ(c.latin1, wide.toLatin1().data());
    EXPECT_EQ(std::wstring(c.units), units(zWString::fromLatin1(c.latin1)));
  }
}

struct ascii_case {
  std::wstring units;
  unsigned count;
  const char* want;
};

TEST(WideCodePages, ToAsciiKeepsLowBytesUpToFirstZero) {
  const ascii_case cases[] = {
      {L"A\x00E9\x20AC"
       L"x",
       3, "A\xE9\xAC"},
      {L"\x0100"
       L"A",
       2, ""},
      {L"abc", 2, "ab"},
      {L"abc", 0, ""},
      {L"a\x0200"
       L"b",
       3, "a"},
      {std::wstring(L"a\0b", 3), 3, "a"},
      {std::wstring{L'a', static_cast<wchar_t>(0xFFE9)}, 2, "a\xE9"},
      // A count past the text is clipped to it.
      {L"ab", 10, "ab"},
      {L"", 4294967295u, ""},
  };
  for (const ascii_case& c : cases) {
    zWString s(c.units);
    zString out("former text");
    s.toASCII(c.count, out);
    EXPECT_STREQ(c.want, out.data()) << "count " << c.count;
    EXPECT_EQ(c.units, units(s));
  }
}

}  // namespace
