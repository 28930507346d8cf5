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
  const zString none, blank("");  // no buffer, and an empty one
  for (const zString* text : {&none, &blank}) {
    EXPECT_EQ(L"", units(zWString::fromUtf8(*text)));
    EXPECT_EQ(L"", units(zWString::fromLatin1(*text)));
  }
}

// E-acute and the euro sign are one byte in Windows-1252, two and three in
// UTF-8: each member uses its own code page.
TEST(WideCodePages, ConvertsBothWaysThroughBothCodePages) {
  const zWString wide(L"\x00E9\x20AC");
  EXPECT_STREQ("\xC3\xA9\xE2\x82\xAC", wide.toUtf8().data());
  EXPECT_STREQ("\xE9\x80", wide.toLatin1().data());
  EXPECT_EQ(L"\x00E9\x20AC", units(zWString::fromUtf8("\xC3\xA9\xE2\x82\xAC")));
  EXPECT_EQ(L"\x00E9\x20AC", units(zWString::fromLatin1("\xE9\x80")));
  const zWString cut(std::wstring(L"ab\0cd", 5));
  EXPECT_STREQ("ab", cut.toUtf8().data());
  EXPECT_STREQ("ab", cut.toLatin1().data());
}

struct ascii_case {
  std::wstring units;
  unsigned count;
  const char* want;
};

TEST(WideCodePages, ToAsciiKeepsLowBytesUpToFirstZero) {
  // clang-format off
  const ascii_case cases[] = {
      {L"A\x00E9\x20AC" L"x", 3, "A\xE9\xAC"}, {L"\x0100" L"A", 2, ""}, {L"abc", 2, "ab"},
      {L"abc", 0, ""}, {{L'a', static_cast<wchar_t>(0xFFE9)}, 2, "a\xE9"},
      {L"ab", 4294967295u, "ab"},  // a count past the text is clipped to it
  };
  // clang-format on
  for (const ascii_case& c : cases) {
    zWString s(c.units);
    zString out("former text");
    s.toASCII(c.count, out);
    EXPECT_STREQ(c.want, out.data()) << "count " << c.count;
    EXPECT_EQ(c.units, units(s));
  }
}

}  // namespace
