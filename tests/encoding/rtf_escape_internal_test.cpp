// RTF escaping in rounds, on both run paths, against the counting reference,
// on text built to catch the seams: ASCII runs ending at every offset before
// each kind of escaped or dropped unit, NULs anywhere, escapes straddling a
// round of the result, and pseudo-random units.
#include "encoding/rtf_escape.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using zodode::detail::rtf_counted;
using zodode::detail::rtf_in_rounds;
using zodode::detail::run_path;

void expect_same(const std::wstring& text) {
  const std::string narrow = rtf_counted<char>(text);
  ASSERT_EQ(narrow, (rtf_in_rounds<char, run_path::portable>(text)));
  ASSERT_EQ(narrow, (rtf_in_rounds<char, run_path::sse2>(text)));
  const std::wstring wide = rtf_counted<wchar_t>(text);
  ASSERT_EQ(wide, (rtf_in_rounds<wchar_t, run_path::portable>(text)));
  ASSERT_EQ(wide, (rtf_in_rounds<wchar_t, run_path::sse2>(text)));
}

// Around each change of digit count, the dropped byte-order mark, a
// surrogate, a supplementary character, past 10FFFF and a negative unit.
const std::vector<wchar_t> kUnits = {0x7F,
                                     0x80,
                                     999,
                                     1000,
                                     9999,
                                     10000,
                                     0xFEFF,
                                     0xFFFD,
                                     0xFFFF,
                                     0xD83D,
                                     0xDE00,
                                     0,
                                     static_cast<wchar_t>(0x1F600),
                                     static_cast<wchar_t>(0x10FFFF),
                                     static_cast<wchar_t>(0x110000),
                                     static_cast<wchar_t>(-1)};

TEST(RtfEscape, AsciiRunsEndingAtEveryOffsetBeforeEachUnit) {
  for (const wchar_t unit : kUnits) {
    for (std::size_t run = 0; run <= 40; ++run) {
      const std::wstring head(run, L'{');
      expect_same(head + unit);
      expect_same(head + unit + unit + std::wstring(run % 17, L'\\'));
    }
  }
}

TEST(RtfEscape, ReferenceGivesHandWrittenEscapes) {
  EXPECT_EQ("a\\u233?\\u55357?\\u56832?b", rtf_counted<char>(L"a\x00E9\U0001F600b"));
  EXPECT_EQ("\\u128?\\u999?\\u1000?", rtf_counted<char>(std::wstring{0x80, 999, 1000}));
  // Past the last code point: only a 32-bit unit can hold one.
  if (sizeof(wchar_t) > 2) {
    EXPECT_EQ("\\u65533?", rtf_counted<char>(std::wstring{static_cast<wchar_t>(0x10FFFF + 1)}));
  }
}

TEST(RtfEscape, EscapesStraddlingARoundOfTheResult) {
  for (std::size_t run = 2020; run <= 2060; ++run) {
    std::wstring text(run, L'r');
    text += static_cast<wchar_t>(0x1F600);
    text += std::wstring(3000, L'\x4E2D');
    text += std::wstring(5000, L's');
    expect_same(text);
  }
}

TEST(RtfEscape, PseudoRandomUnits) {
  std::mt19937 random(11);
  for (int round = 0; round < 2000; ++round) {
    std::wstring text(random() % 80, L'\0');
    for (wchar_t& u : text) {
      const unsigned roll = random() % 5;
      u = roll < 3 ? static_cast<wchar_t>(1 + random() % 127) : kUnits[random() % kUnits.size()];
    }
    expect_same(text);
  }
}

}  // namespace
