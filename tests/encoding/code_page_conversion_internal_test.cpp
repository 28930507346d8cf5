// The conversions over this build's converter (the portable one, or Windows' own
// under Wine): UTF-8 and code page 0 in both directions. Expectations that
// depend on the width of wchar_t are stated for both widths.
#include <gtest/gtest.h>

#include <string>

#include "encoding/code_page.h"

namespace {

using zodode::detail::kCodePageAnsi;
using zodode::detail::kCodePageUtf8;
using zodode::detail::to_bytes;
using zodode::detail::to_wide;

constexpr bool kUtf16 = sizeof(wchar_t) == 2;

// Text up to its first NUL, as zWString's members pass it.
std::wstring from_utf8(const std::string& bytes) { return to_wide(kCodePageUtf8, bytes.c_str()); }
std::string to_utf8(const std::wstring& units) { return to_bytes(kCodePageUtf8, units); }
std::wstring from_latin1(const std::string& bytes) { return to_wide(kCodePageAnsi, bytes.c_str()); }
std::string to_latin1(const std::wstring& units) { return to_bytes(kCodePageAnsi, units); }

std::string hex(const std::string& bytes) {
  std::string out;
  for (unsigned char b : bytes)
    out += "0123456789ABCDEF"[b >> 4], out += "0123456789ABCDEF"[b & 15];
  return out;
}

struct decode_case {
  const char* bytes;
  const wchar_t* units;
};

// Windows' flags-0 decoding of ill-formed UTF-8 (each case was checked against
// the system converter). L"\U0001F600" is one unit or a surrogate pair, as
// wchar_t is wide.
// clang-format off
const decode_case kDecode[] = {
    // Bytes that cannot start a sequence: one U+FFFD each.
    {"\x80", L"\xFFFD"}, {"a\xBF" "b", L"a\xFFFD" L"b"}, {"\x80\x80", L"\xFFFD\xFFFD"}, {"\xC0\x80", L"\xFFFD\xFFFD"},
    {"\xC1\xBF", L"\xFFFD\xFFFD"}, {"\xFF", L"\xFFFD"}, {"\xF5\x80\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"},
    {"\xF8\x88\x80\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD"},
    // Cut short inside the text: the lead and its continuations are one U+FFFD.
    {"\xC3" "a", L"\xFFFD" L"a"}, {"\xE2" "a", L"\xFFFD" L"a"}, {"\xE2\x82" "A", L"\xFFFD" L"A"}, {"\xF0\x9F" "a", L"\xFFFD" L"a"},
    {"\xF0\x9F\x98" "a", L"\xFFFD" L"a"}, {"\xE2\x82\xC3\xA9", L"\xFFFD\x00E9"}, {"\xF1\x80\x80\xC0", L"\xFFFD\xFFFD"},
    {"\xF0\x9F\x98\xF0\x9F\x98\x80", L"\xFFFD\U0001F600"},
    // Cut short by the end of the text.
    {"a\xC3", L"a\xFFFD"}, {"\xE2\x82", L"\xFFFD"}, {"\xF0\x9F\x98", L"\xFFFD"}, {"\xF4\x8F\xBF", L"\xFFFD"},
    // Overlong: the lead and the second byte are one U+FFFD, the rest is read afresh.
    {"\xE0\x80\x80", L"\xFFFD\xFFFD"}, {"\xE0\x9F\xBF", L"\xFFFD\xFFFD"}, {"\xE0\x80" "a", L"\xFFFD" L"a"},
    {"\xF0\x80\x80\x80", L"\xFFFD\xFFFD\xFFFD"}, {"\xF0\x8F\xBF\xBF", L"\xFFFD\xFFFD\xFFFD"},
    // Encoded surrogates, alone and paired; above 10FFFF.
    {"\xED\xA0\x80", L"\xFFFD\xFFFD"}, {"\xED\xBF\xBF", L"\xFFFD\xFFFD"},
    {"\xED\xA0\x80\xED\xB0\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"}, {"\xF4\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD"},
    {"\xF4\xBF\xBF\xBF", L"\xFFFD\xFFFD\xFFFD"}, {"a\x80\xE2\x82\xACz", L"a\xFFFD\x20AC" L"z"},
};
// clang-format on

TEST(CodePageUtf8, DecodesIllFormedInputAsWindows) {
  for (const decode_case& c : kDecode) {
    const std::wstring want(c.units);
    EXPECT_EQ(want, from_utf8(c.bytes)) << hex(c.bytes);
  }
  EXPECT_EQ(L"ab", from_utf8(std::string("ab\0cd", 5)));
  EXPECT_EQ(L"a\x00E9", from_latin1(std::string("a\xE9\0b", 4)));
}

struct encode_case {
  std::wstring units;
  const char* bytes;
};

// Units that are no scalar value become U+FFFD; a pair in consecutive units is
// one code point at either width.
TEST(CodePageUtf8, EncodesLoneSurrogatesAsReplacement) {
  const wchar_t hi = wchar_t(0xD800), lo = wchar_t(0xDC00);
  // clang-format off
  const encode_case cases[] = {
      {{hi, L'a'}, "\xEF\xBF\xBD" "a"}, {{L'a', hi}, "a\xEF\xBF\xBD"}, {{lo}, "\xEF\xBF\xBD"}, {{lo, hi}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {{wchar_t(0xD83D), wchar_t(0xDE00)}, "\xF0\x9F\x98\x80"}, {{wchar_t(0xDBFF), wchar_t(0xDFFF)}, "\xF4\x8F\xBF\xBF"}};
  const encode_case wide_units[] = {
      {{wchar_t(0x1F600)}, "\xF0\x9F\x98\x80"}, {{wchar_t(0x10FFFF)}, "\xF4\x8F\xBF\xBF"},
      {{wchar_t(0x110000)}, "\xEF\xBF\xBD"}, {{static_cast<wchar_t>(-1), L'a'}, "\xEF\xBF\xBD" "a"}};
  // clang-format on
  for (const encode_case& c : cases) EXPECT_EQ(hex(c.bytes), hex(to_utf8(c.units)));
  if (kUtf16) return;  // a 16-bit unit cannot hold the rest
  for (const encode_case& c : wide_units) EXPECT_EQ(hex(c.bytes), hex(to_utf8(c.units)));
}

// Encoded independently of the library, the plain textbook way.
std::string utf8_of(char32_t c) {
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  const int tail = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
  std::string out(1, static_cast<char>((0xFF00 >> (tail + 1)) | (c >> (6 * tail))));
  for (int i = tail; i-- > 0;) out += static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3F));
  return out;
}

// Every scalar value of the BMP and every 13th above it decodes to its units
// and encodes back to the same bytes.
TEST(CodePageUtf8, ValidTextRoundTrips) {
  std::string bytes;
  std::wstring units;
  for (char32_t c = 1; c <= 0x10FFFF; c += c < 0x10000 ? 1 : 13) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    bytes += utf8_of(c);
    if (kUtf16 && c >= 0x10000)
      units += {wchar_t(0xD800 + ((c - 0x10000) >> 10)), wchar_t(0xDC00 + (c & 0x3FF))};
    else
      units += static_cast<wchar_t>(c);
  }
  const std::wstring decoded = from_utf8(bytes);
  ASSERT_EQ(units.size(), decoded.size());
  EXPECT_TRUE(units == decoded);
  EXPECT_TRUE(bytes == to_utf8(decoded));
}

// ASCII runs are scanned several units at a time: a non-ASCII unit at every
// offset of such a scan, and runs ending at every offset, convert alike.
TEST(CodePageUtf8, NonAsciiAtEveryOffsetOfAsciiRun) {
  for (std::size_t n = 0; n < 20; ++n) {
    // U+0100 and U+4E2D share no bit with U+0080.
    const std::string bytes =
        std::string(n, 'a') + "\xC3\xA9\xC4\x80" + std::string(n, 'b') + "\xE4\xB8\xAD";
    const std::wstring units =
        std::wstring(n, L'a') + L"\x00E9\x0100" + std::wstring(n, L'b') + L"\x4E2D";
    EXPECT_EQ(units, from_utf8(bytes)) << n;
    EXPECT_EQ(bytes, to_utf8(units)) << n;
    EXPECT_EQ(std::wstring(n, L'a'), from_utf8(std::string(n, 'a'))) << n;
    if (kUtf16) continue;
    // U+20000 has no bit set below bit 16.
    const std::wstring high = std::wstring(n, L'c') + wchar_t(0x20000) + L'c';
    EXPECT_EQ(hex(std::string(n, 'c') + "\xF0\xA0\x80\x80"
                                        "c"),
              hex(to_utf8(high)))
        << n;
    EXPECT_EQ(std::string(n, 'c') + "?c", to_latin1(high)) << n;
  }
}

// Windows-1252 bytes 0x80-0x9F, from the code page's published table; the
// five it leaves undefined map to the C1 control of the same value.
const wchar_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

TEST(CodePageLatin1, AllBytesDecodeAndEncodeBack) {
  std::string bytes;
  std::wstring units;
  for (int b = 1; b < 256; ++b) {
    bytes += static_cast<char>(b);
    units += b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : static_cast<wchar_t>(b);
  }
  EXPECT_EQ(units, from_latin1(bytes));
  EXPECT_EQ(hex(bytes), hex(to_latin1(units)));
}

#if !defined(_WIN32)
// The portable converter maps nothing best-fit (Windows' own does, so this
// runs only where the portable converter serves).
TEST(CodePageLatin1, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  // clang-format off
  const encode_case cases[] = {
      {L"\x0080\x009F\x0100", "???"}, {L"a\xFF02" L"b", "a?b"}, {L"\x2000\x20AD\xFFFD", "???"}, {{wchar_t(0xD800)}, "?"},
      {{wchar_t(0xD83D), wchar_t(0xDE00)}, "??"},  // and 0x100E9 is not U+00E9 cut to 16 bits:
      {{wchar_t(0x1F600), wchar_t(0x100E9), static_cast<wchar_t>(-1)}, "???"}};
  // clang-format on
  for (const encode_case& c : cases) EXPECT_EQ(c.bytes, to_latin1(c.units));
}
#endif

}  // namespace
