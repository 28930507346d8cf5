// The routines over this build's converter (the portable one, or Windows' own
// under Wine): UTF-8 and code page 0 in both directions. Expectations that
// depend on the width of wchar_t are stated for both widths.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "encoding/code_page.h"

namespace {

using zodode::detail::code_page_to_wide;
using zodode::detail::kLatin1ToWide;
using zodode::detail::kUtf8ToWide;
using zodode::detail::platform_code_pages;
using zodode::detail::wide_to_code_page;

constexpr bool kUtf16 = sizeof(wchar_t) == 2;

std::wstring from_utf8(const std::string& bytes) {
  return code_page_to_wide(platform_code_pages(), kUtf8ToWide, bytes);
}
std::string to_utf8(const std::wstring& units) {
  return wide_to_code_page(platform_code_pages(), 65001, units.c_str());
}
std::wstring from_latin1(const std::string& bytes) {
  return code_page_to_wide(platform_code_pages(), kLatin1ToWide, bytes);
}
std::string to_latin1(const std::wstring& units) {
  return wide_to_code_page(platform_code_pages(), 0, units.c_str());
}

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

// Windows' flags-0 decoding of ill-formed UTF-8 (each case was checked
// against the system converter).
const decode_case kDecode[] = {
    // Well-formed, at the edges of each length.
    {"", L""},
    {"a\x7F", L"a\x7F"},
    {"\xC2\x80\xDF\xBF", L"\x0080\x07FF"},
    {"\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF", L"\x0800\xD7FF\xE000\xFFFF"},
    {"\xEF\xBB\xBF", L"\xFEFF"},
    // Bytes that cannot start a sequence: one U+FFFD each.
    {"\x80", L"\xFFFD"},
    {"a\xBF"
     "b",
     L"a\xFFFD"
     L"b"},
    {"\x80\x80", L"\xFFFD\xFFFD"},
    {"\xC0\x80", L"\xFFFD\xFFFD"},
    {"\xC1\xBF", L"\xFFFD\xFFFD"},
    {"\xF5\x80\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"},
    {"\xFF", L"\xFFFD"},
    {"\xF8\x88\x80\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD"},
    // Cut short inside the text: the lead and its continuations are one U+FFFD.
    {"\xC3"
     "a",
     L"\xFFFD"
     L"a"},
    {"\xE2"
     "a",
     L"\xFFFD"
     L"a"},
    {"\xE2\x82"
     "A",
     L"\xFFFD"
     L"A"},
    {"\xF0\x9F"
     "a",
     L"\xFFFD"
     L"a"},
    {"\xF0\x9F\x98"
     "a",
     L"\xFFFD"
     L"a"},
    {"\xE2\x82\xC3\xA9", L"\xFFFD\x00E9"},
    {"\xF1\x80\x80\xC0", L"\xFFFD\xFFFD"},
    // Cut short by the end of the text.
    {"a\xC3", L"a\xFFFD"},
    {"\xE2\x82", L"\xFFFD"},
    {"\xF0\x9F\x98", L"\xFFFD"},
    {"\xF4\x8F\xBF", L"\xFFFD"},
    // Overlong: the lead and the second byte are one U+FFFD, the rest is read afresh.
    {"\xE0\x80\x80", L"\xFFFD\xFFFD"},
    {"\xE0\x9F\xBF", L"\xFFFD\xFFFD"},
    {"\xE0\x80"
     "a",
     L"\xFFFD"
     L"a"},
    {"\xF0\x80\x80\x80", L"\xFFFD\xFFFD\xFFFD"},
    {"\xF0\x8F\xBF\xBF", L"\xFFFD\xFFFD\xFFFD"},
    // Encoded surrogates, alone and paired.
    {"\xED\xA0\x80", L"\xFFFD\xFFFD"},
    {"\xED\xBF\xBF", L"\xFFFD\xFFFD"},
    {"\xED\xA0\x80\xED\xB0\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"},
    // Above 10FFFF.
    {"\xF4\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD"},
    {"\xF4\xBF\xBF\xBF", L"\xFFFD\xFFFD\xFFFD"},
    // Mixed with well-formed text.
    {"a\x80\xE2\x82\xACz",
     L"a\xFFFD\x20AC"
     L"z"},
};

TEST(CodePageUtf8, DecodesIllFormedInputAsWindows) {
  for (const decode_case& c : kDecode) {
    const std::wstring want(c.units);
    EXPECT_EQ(want, from_utf8(c.bytes)) << hex(c.bytes);
    EXPECT_EQ(static_cast<int>(want.size() + 1),
              platform_code_pages().to_wide(65001, c.bytes, nullptr, 0))
        << hex(c.bytes);
  }
}

TEST(CodePageUtf8, FourByteSequencesByWidth) {
  struct wide_case {
    const char* bytes;
    std::u32string code_points;
    std::wstring utf16;
  };
  const wide_case cases[] = {
      {"\xF0\x90\x80\x80", U"\U00010000", std::wstring{wchar_t(0xD800), wchar_t(0xDC00)}},
      {"\xF0\x9F\x98\x80", U"\U0001F600", std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}},
      {"\xF4\x8F\xBF\xBF", U"\U0010FFFF", std::wstring{wchar_t(0xDBFF), wchar_t(0xDFFF)}},
      {"\xF0\x9F\x98\xF0\x9F\x98\x80", U"\xFFFD\U0001F600",
       std::wstring{wchar_t(0xFFFD), wchar_t(0xD83D), wchar_t(0xDE00)}},
  };
  for (const wide_case& c : cases) {
    const std::wstring want =
        kUtf16 ? c.utf16 : std::wstring(c.code_points.begin(), c.code_points.end());
    EXPECT_EQ(want, from_utf8(c.bytes)) << hex(c.bytes);
  }
}

struct encode_case {
  std::wstring units;
  const char* bytes;
};

TEST(CodePageUtf8, EncodesLoneSurrogatesAsReplacement) {
  const encode_case cases[] = {
      {L"\x00E9", "\xC3\xA9"},
      {L"\x007F\x0080\x07FF\x0800\xFFFF", "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF"},
      {std::wstring{wchar_t(0xD800), L'a'},
       "\xEF\xBF\xBD"
       "a"},
      {std::wstring{L'a', wchar_t(0xD800)}, "a\xEF\xBF\xBD"},
      {std::wstring{wchar_t(0xDC00)}, "\xEF\xBF\xBD"},
      {std::wstring{wchar_t(0xDC00), wchar_t(0xD800)}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
      // A pair in consecutive units is one code point at either width.
      {std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}, "\xF0\x9F\x98\x80"},
      {std::wstring{wchar_t(0xDBFF), wchar_t(0xDFFF)}, "\xF4\x8F\xBF\xBF"},
  };
  for (const encode_case& c : cases) EXPECT_EQ(hex(c.bytes), hex(to_utf8(c.units)));
}

TEST(CodePageUtf8, EncodesUnitsBeyondSixteenBits) {
  if (kUtf16) GTEST_SKIP() << "a 16-bit unit cannot hold these";
  const encode_case cases[] = {
      {std::wstring{wchar_t(0x1F600)}, "\xF0\x9F\x98\x80"},
      {std::wstring{wchar_t(0x10FFFF)}, "\xF4\x8F\xBF\xBF"},
      {std::wstring{wchar_t(0x110000)}, "\xEF\xBF\xBD"},
      {std::wstring{static_cast<wchar_t>(-1), L'a'},
       "\xEF\xBF\xBD"
       "a"},
  };
  for (const encode_case& c : cases) EXPECT_EQ(hex(c.bytes), hex(to_utf8(c.units)));
}

// Encoded independently of the library, the plain textbook way.
std::string utf8_of(char32_t c) {
  if (c < 0x80) return std::string(1, static_cast<char>(c));
  std::string out;
  if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  }
  return out + static_cast<char>(0x80 | (c & 0x3F));
}

void append_units(std::wstring& out, char32_t c) {
  if (kUtf16 && c >= 0x10000) {
    out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
    out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  } else {
    out += static_cast<wchar_t>(c);
  }
}

// Every scalar value of the BMP and every 13th above it decodes to its units
// and encodes back to the same bytes.
TEST(CodePageUtf8, ValidTextRoundTrips) {
  std::string bytes;
  std::wstring units;
  for (char32_t c = 1; c <= 0x10FFFF; c += c < 0x10000 ? 1 : 13) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    bytes += utf8_of(c);
    append_units(units, c);
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
  }
}

TEST(CodePageBoth, ConversionStopsAtFirstNul) {
  EXPECT_EQ(L"ab", from_utf8(std::string("ab\0cd", 5)));
  EXPECT_EQ("ab", to_utf8(std::wstring(L"ab\0cd", 5)));
  EXPECT_EQ(L"a\x00E9", from_latin1(std::string("a\xE9\0b", 4)));
  EXPECT_EQ("a\xE9", to_latin1(std::wstring(L"a\x00E9\0b", 4)));
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
  const std::wstring decoded = from_latin1(bytes);
  ASSERT_EQ(units.size(), decoded.size());
  for (std::size_t i = 0; i < units.size(); ++i) {
    EXPECT_EQ(static_cast<unsigned>(units[i]), static_cast<unsigned>(decoded[i]))
        << "byte " << i + 1;
  }
  EXPECT_EQ(hex(bytes), hex(to_latin1(units)));
}

#if !defined(_WIN32)
// The portable converter maps nothing best-fit (Windows' own does, so this
// runs only where the portable converter serves).
TEST(CodePageLatin1, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  const encode_case cases[] = {
      {L"\x0080\x009F\x0100", "???"},
      {L"a\xFF02"
       L"b",
       "a?b"},
      {L"\x2000\x20AD\xFFFD", "???"},
      {std::wstring{wchar_t(0xD800)}, "?"},
      {std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}, "??"},
      {std::wstring{wchar_t(0x1F600), static_cast<wchar_t>(-1)}, "??"},
  };
  for (const encode_case& c : cases) EXPECT_EQ(c.bytes, to_latin1(c.units));
}
#endif

// The call shape shared with Windows: too small a buffer converts nothing and
// reports ERROR_INSUFFICIENT_BUFFER.
TEST(CodePageCalls, ShortBufferFailsWithInsufficientBuffer) {
  const auto& api = platform_code_pages();
  wchar_t wide[2];
  EXPECT_EQ(0, api.to_wide(65001, "abc", wide, 2));
  EXPECT_EQ(122u, api.last_error());
  char narrow[3];
  EXPECT_EQ(0, api.to_bytes(0, L"abc", narrow, 3));
  EXPECT_EQ(122u, api.last_error());
  char exact[4];
  EXPECT_EQ(4, api.to_bytes(65001, L"abc", exact, 4));
  EXPECT_STREQ("abc", exact);
}

}  // namespace
