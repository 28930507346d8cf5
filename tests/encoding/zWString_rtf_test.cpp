#include <gtest/gtest.h>

#include <string>

#include "zString.h"
#include "zWString.h"

namespace {

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
    EXPECT_EQ(std::wstring(want.begin(), want.end()), s.toRTFW().getWStringData()) << c.want;
    EXPECT_STREQ(c.want, s.toRTF().data());
    EXPECT_EQ(c.units, s.getWStringData());
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
  EXPECT_EQ(std::wstring(L"a\0\\u233?", 8), s.toRTFW().getWStringData());
  EXPECT_STREQ("a", s.toRTF().data());
}

}  // namespace
