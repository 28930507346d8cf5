#include <gtest/gtest.h>

#include <string>

#include "zString.h"
#include "zWString.h"

namespace {

std::wstring units(const zWString& s) { return s.getWStringData(); }

TEST(WideCodePages, EmptyTextsStayEmpty) {
  const zWString empty;
  EXPECT_TRUE(*empty.toUtf8().data() == '\0' && *empty.toLatin1().data() == '\0');
  const zString none, blank("");  // no buffer, and an empty one
  for (const zString* text : {&none, &blank}) {
    EXPECT_TRUE(units(zWString::fromUtf8(*text)).empty() &&
                units(zWString::fromLatin1(*text)).empty());
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
  EXPECT_EQ("ab|ab", std::string(cut.toUtf8().data()) + "|" + cut.toLatin1().data());
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

struct rtf_case {
  std::wstring units;
  const char* want;
};

// L"\U0001F600" is one unit or a surrogate pair, as wchar_t is wide; both
// give the escapes of the pair. Byte order marks are dropped.
// clang-format off
const rtf_case kEscapes[] = {
    {L"", ""}, {L"a\\{}\t\r\n~\x7F", "a\\{}\t\r\n~\x7F"}, {L"Gr\x00FC\x00DF" L"e", "Gr\\u252?\\u223?e"},
    {L"\x0080", "\\u128?"}, {L"\x03E7\x03E8\x270F\x2710", "\\u999?\\u1000?\\u9999?\\u10000?"},
    {L"\xFFFD\xFFFF", "\\u65533?\\u65535?"}, {L"\xFEFF" L"a\xFEFF\x00E9\xFEFF", "a\\u233?"},
    {{wchar_t(0xD83D), wchar_t(0xDE00)}, "\\u55357?\\u56832?"}, {{wchar_t(0xDE00), L'x'}, "\\u56832?x"},
    {L"\U0001F600", "\\u55357?\\u56832?"}, {L"\U0010FFFF", "\\u56319?\\u57343?"},
};
// clang-format on

TEST(WideRtf, EscapesEachUnitOutsideAscii) {
  for (const rtf_case& c : kEscapes) {
    zWString s(c.units);
    const std::string want(c.want);
    EXPECT_EQ(std::wstring(want.begin(), want.end()), units(s.toRTFW())) << c.want;
    EXPECT_TRUE(want == s.toRTF().data() && c.units == units(s)) << c.want;
  }
}

TEST(WideRtf, UnitsAboveLastCodePointGiveReplacementEscape) {
  if (sizeof(wchar_t) == 2) GTEST_SKIP() << "a 16-bit unit cannot hold these";
  zWString s(std::wstring{wchar_t(0x110000), L'a', static_cast<wchar_t>(-1)});
  EXPECT_STREQ("\\u65533?a\\u65533?", s.toRTF().data());
}

// The wide result keeps the NUL and what follows; the narrow one ends there.
TEST(WideRtf, NulCutsOnlyNarrowResult) {
  zWString s(std::wstring(L"a\0\x00E9", 3));
  EXPECT_EQ(std::wstring(L"a\0\\u233?", 8), units(s.toRTFW()));
  EXPECT_STREQ("a", s.toRTF().data());
}

}  // namespace
