// The whole-text conversions, on both run paths, against the converter's two
// calls (size query, conversion, cut at the NUL) on text built to catch the
// seams: ASCII runs ending at every offset before each kind of ill-formed or
// multi-byte sequence, NULs at every position, characters straddling a round
// of the result, and pseudo-random bytes and units.
#include "encoding/code_page_direct.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "encoding/code_page.h"

// The whole-text conversions belong to the portable converter; the Windows
// build converts through the system (which best-fits), so there is nothing of
// theirs to compare with it.
#if !defined(_WIN32)
namespace {

using zodode::detail::kCodePageAnsi;
using zodode::detail::kCodePageUtf8;
using zodode::detail::platform_code_pages;
using zodode::detail::run_path;

std::wstring two_calls_to_wide(unsigned code_page, const std::string& text) {
  const auto& api = platform_code_pages();
  const int n = api.to_wide(code_page, text.c_str(), nullptr, 0);
  std::wstring buffer(static_cast<std::size_t>(n), L'\0');
  EXPECT_EQ(n, api.to_wide(code_page, text.c_str(), &buffer[0], n));
  return buffer.c_str();
}

std::string two_calls_to_bytes(unsigned code_page, const std::wstring& text) {
  const auto& api = platform_code_pages();
  const int n = api.to_bytes(code_page, text.c_str(), nullptr, 0);
  std::string buffer(static_cast<std::size_t>(n), '\0');
  EXPECT_EQ(n, api.to_bytes(code_page, text.c_str(), &buffer[0], n));
  return buffer.c_str();
}

template <run_path P>
std::wstring direct_to_wide(unsigned code_page, const std::string& text) {
  std::wstring out = L"old";
  const std::string_view in(text.c_str());  // up to the first NUL
  const bool done = code_page == kCodePageUtf8 ? zodode::detail::utf8_to_wide_direct<P>(in, out)
                                               : zodode::detail::latin1_to_wide_direct<P>(in, out);
  EXPECT_TRUE(done);
  return out;
}

template <run_path P>
std::string direct_to_bytes(unsigned code_page, const std::wstring& text) {
  std::string out = "old";
  const bool done = code_page == kCodePageUtf8
                        ? zodode::detail::wide_to_utf8_direct<P>(text, out)
                        : zodode::detail::wide_to_latin1_direct<P>(text, out);
  EXPECT_TRUE(done);
  return out;
}

void expect_same_to_wide(const std::string& text) {
  for (const unsigned code_page : {kCodePageUtf8, kCodePageAnsi}) {
    const std::wstring expected = two_calls_to_wide(code_page, text);
    ASSERT_EQ(expected, direct_to_wide<run_path::portable>(code_page, text))
        << code_page << " " << ::testing::PrintToString(text);
    ASSERT_EQ(expected, direct_to_wide<run_path::sse2>(code_page, text))
        << code_page << " " << ::testing::PrintToString(text);
  }
}

void expect_same_to_bytes(const std::wstring& text) {
  for (const unsigned code_page : {kCodePageUtf8, kCodePageAnsi}) {
    const std::string expected = two_calls_to_bytes(code_page, text);
    ASSERT_EQ(expected, direct_to_bytes<run_path::portable>(code_page, text)) << code_page;
    ASSERT_EQ(expected, direct_to_bytes<run_path::sse2>(code_page, text)) << code_page;
  }
}

// Sequences that end an ASCII run: well-formed ones of every length, each
// kind of ill-formed one, and the Windows-1252 bytes that are not their own
// code point.
const char* const kSequences[] = {"\xC3\xA9",
                                  "\xE2\x82\xAC",
                                  "\xF0\x9F\x98\x80",
                                  "\x80",
                                  "\xBF",
                                  "\xC0\xAF",
                                  "\xC1",
                                  "\xC3",
                                  "\xC3\x41",
                                  "\xE2\x82",
                                  "\xE2\x82\x41",
                                  "\xE0\x80\xAF",
                                  "\xED\xA0\x80",
                                  "\xED\x9F\xBF",
                                  "\xF0\x80\x80\x80",
                                  "\xF4\x90\x80\x80",
                                  "\xF4\x8F\xBF\xBF",
                                  "\xF5",
                                  "\xFF",
                                  "\x81\x8D\x8F\x90\x9D",
                                  "\x9F\xA0"};

TEST(CodePageDirect, AsciiRunsEndingAtEveryOffsetBeforeEachSequence) {
  for (const char* sequence : kSequences) {
    for (std::size_t run = 0; run <= 40; ++run) {
      const std::string head(run, 'a');
      expect_same_to_wide(head + sequence);  // the sequence ends the text
      expect_same_to_wide(head + sequence + std::string(run % 19, 'z'));
      expect_same_to_wide(head + sequence + sequence + "b");
    }
  }
}

// Units that end an ASCII run, one by one and in pairs.
const std::vector<wchar_t> kUnits = {0x7F,
                                     0x80,
                                     0x9F,
                                     0xA0,
                                     0xE9,
                                     0xFF,
                                     0x100,
                                     0x152,
                                     0x20AC,
                                     0x4E2D,
                                     0xD800,
                                     0xDBFF,
                                     0xDC00,
                                     0xDFFF,
                                     0xFFFD,
                                     0xFEFF,
                                     0xFF02,
                                     static_cast<wchar_t>(0x10000),
                                     static_cast<wchar_t>(0x1F600),
                                     static_cast<wchar_t>(0x10FFFF),
                                     static_cast<wchar_t>(0x110000),
                                     static_cast<wchar_t>(-1)};

TEST(CodePageDirect, WideAsciiRunsEndingAtEveryOffsetBeforeEachUnit) {
  for (const wchar_t unit : kUnits) {
    for (std::size_t run = 0; run <= 40; ++run) {
      const std::wstring head(run, L'a');
      expect_same_to_bytes(head + unit);
      expect_same_to_bytes(head + unit + std::wstring(run % 17, L'q'));
      expect_same_to_bytes(head + wchar_t{0xD83D} + wchar_t{0xDE00} + unit + L"b");
    }
  }
}

TEST(CodePageDirect, WideTextEndsAtTheFirstNulWherever) {
  for (std::size_t at = 0; at <= 40; ++at) {
    std::wstring text(40, L'x');
    text[at % 3 == 0 ? at / 2 : at / 3] = 0xE9;
    text.insert(at, 1, L'\0');
    text += L"\x20AC tail";
    expect_same_to_bytes(text);
  }
}

// A round of the result holds 2048 units: multi-byte characters and
// pairs straddle it at each offset.
TEST(CodePageDirect, CharactersStraddlingARoundOfTheResult) {
  for (std::size_t run = 2030; run <= 2060; ++run) {
    expect_same_to_wide(std::string(run, 'r') + "\xF0\x9F\x98\x80\xE2\x82\xAC\x80" +
                        std::string(5000, 's'));
    std::wstring wide(run, L'r');
    wide += L"\xE9\x4E2D";
    wide += static_cast<wchar_t>(0x1F600);
    wide += std::wstring(5000, L's');
    expect_same_to_bytes(wide);
  }
}

TEST(CodePageDirect, PseudoRandomBytesAndUnits) {
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    std::string bytes(random() % 90, '\0');
    for (char& b : bytes) {
      const unsigned roll = random() % 4;  // half ASCII, half anything
      b = static_cast<char>(roll < 2 ? 'a' + random() % 26 : 1 + random() % 255);
    }
    expect_same_to_wide(bytes);
    std::wstring units(random() % 90, L'\0');
    for (wchar_t& u : units) {
      const unsigned roll = random() % 6;
      u = roll < 3   ? static_cast<wchar_t>('a' + random() % 26)
          : roll < 5 ? kUnits[random() % kUnits.size()]
                     : static_cast<wchar_t>(random());
    }
    expect_same_to_bytes(units);
  }
}

}  // namespace
#endif  // !defined(_WIN32)
