// RTF escaping with each kernel set against a walk of the text one unit at a
// time written here with std::to_string, on text built to catch the seams:
// ASCII runs ending at every offset before each kind of escaped or dropped
// unit, NULs anywhere, escapes straddling a round of the result, and
// pseudo-random units.
#include "encoding/rtf_escape.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "encoding/kernel_sets.h"

namespace {

using zodode::detail::rtf_escape;

// ASCII passes, U+FEFF goes, every other 16-bit unit is "\uN?"; a unit past
// U+FFFF is its UTF-16 pair, past U+10FFFF U+FFFD.
std::string walk(const std::wstring& text) {
  std::string out;
  const auto put = [&out](std::uint32_t u) { out += "\\u" + std::to_string(u) + "?"; };
  for (const wchar_t c : text) {
    const auto u = zodode::detail::unit_bits(c);
    if (u <= 0x7F) {
      out += static_cast<char>(u);
    } else if (u > 0xFFFF && u <= 0x10FFFF) {
      put(0xD800 + ((u - 0x10000) >> 10));
      put(0xDC00 + ((u - 0x10000) & 0x3FF));
    } else if (u != 0xFEFF) {
      put(u > 0x10FFFF ? 0xFFFD : u);
    }
  }
  return out;
}

template <typename Set>
class RtfEscape : public ::testing::Test {
 protected:
  // The narrow form ends at the first NUL.
  static void expect_same(const std::wstring& text) {
    const std::string expected = walk(text);
    std::string narrow;
    std::wstring wide;
    rtf_escape<char, Set>(text, narrow);
    rtf_escape<wchar_t, Set>(text, wide);
    ASSERT_EQ(expected.substr(0, expected.find('\0')), narrow);
    ASSERT_EQ(std::wstring(expected.begin(), expected.end()), wide);
  }
};
TYPED_TEST_SUITE(RtfEscape, KernelSets);

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

TYPED_TEST(RtfEscape, AsciiRunsEndingAtEveryOffsetBeforeEachUnit) {
  for (const wchar_t unit : kUnits) {
    for (std::size_t run = 0; run <= 40; ++run) {
      const std::wstring head(run, L'{');
      this->expect_same(head + unit);
      this->expect_same(head + unit + unit + std::wstring(run % 17, L'\\'));
    }
  }
}

TYPED_TEST(RtfEscape, WalkGivesHandWrittenEscapes) {
  EXPECT_EQ("a\\u233?\\u55357?\\u56832?b", walk(L"a\x00E9\U0001F600b"));
  EXPECT_EQ("\\u128?\\u999?\\u1000?", walk(std::wstring{0x80, 999, 1000}));
}

TYPED_TEST(RtfEscape, EscapesStraddlingARoundOfTheResult) {
  for (std::size_t run = 2020; run <= 2060; ++run) {
    std::wstring text(run, L'r');
    text += static_cast<wchar_t>(0x1F600);
    text += std::wstring(3000, L'\x4E2D');
    text += std::wstring(5000, L's');
    this->expect_same(text);
  }
}

TYPED_TEST(RtfEscape, PseudoRandomUnits) {
  std::mt19937 random(11);
  for (int round = 0; round < 2000; ++round) {
    std::wstring text(random() % 80, L'\0');
    for (wchar_t& u : text) {
      const unsigned roll = random() % 5;
      u = roll < 3 ? static_cast<wchar_t>(1 + random() % 127) : kUnits[random() % kUnits.size()];
    }
    this->expect_same(text);
  }
}

}  // namespace
