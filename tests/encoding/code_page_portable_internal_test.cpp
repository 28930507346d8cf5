// The portable converter with each kernel set, against a walk of the text one
// character at a time through the per-character rules (whose results the
// conversion tests check against Windows), on text built to catch the seams:
// ASCII runs ending at every offset before each kind of ill-formed or
// multi-byte sequence, NULs at every position, characters straddling a round
// of the result, and pseudo-random bytes and units. And the one failure, a
// result too long for Windows' int count, under a lowered count.
#include "encoding/code_page_portable.h"

#include <gtest/gtest.h>

#include <exception>
#include <random>
#include <string>
#include <vector>

#include "encoding/code_page_rules.h"
#include "encoding/kernel_sets.h"

namespace {

using namespace zodode::detail;

std::wstring walk_to_wide(unsigned code_page, const std::string& text) {
  std::wstring out;
  wchar_t units[2];
  const auto* p = reinterpret_cast<const unsigned char*>(text.c_str());
  while (*p != 0) {
    if (code_page == kCodePageAnsi || *p < 0x80) {
      out += static_cast<wchar_t>(code_page == kCodePageAnsi ? cp1252_unit(*p) : *p);
      ++p;
      continue;
    }
    const decoded d = decode_utf8_sequence(p);
    out.append(units, put_units(d.code_point, units));
    p += d.size;
  }
  return out;
}

std::string walk_to_bytes(unsigned code_page, const std::wstring& text) {
  std::string out;
  char bytes[4];
  for (const wchar_t* p = text.c_str(); *p != 0;) {
    if (code_page == kCodePageAnsi) {
      out += static_cast<char>(cp1252_byte(unit_bits(*p++)));
      continue;
    }
    const decoded d = code_point_at(p);
    out.append(bytes, put_utf8(d.code_point, bytes));
    p += d.size;
  }
  return out;
}

template <typename Set>
class PortableConverter : public ::testing::Test {
 protected:
  static void expect_same_to_wide(const std::string& text) {
    for (const unsigned code_page : {kCodePageUtf8, kCodePageAnsi}) {
      std::wstring out = L"old";
      ASSERT_FALSE(portable_to_wide<Set>(code_page, text.c_str(), out));
      ASSERT_EQ(walk_to_wide(code_page, text), out)
          << code_page << " " << ::testing::PrintToString(text);
    }
  }

  static void expect_same_to_bytes(const std::wstring& text) {
    for (const unsigned code_page : {kCodePageUtf8, kCodePageAnsi}) {
      std::string out = "old";
      ASSERT_FALSE(portable_to_bytes<Set>(code_page, text, out));
      ASSERT_EQ(walk_to_bytes(code_page, text), out) << code_page;
    }
  }
};
TYPED_TEST_SUITE(PortableConverter, KernelSets);

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

TYPED_TEST(PortableConverter, AsciiRunsEndingAtEveryOffsetBeforeEachSequence) {
  for (const char* sequence : kSequences) {
    for (std::size_t run = 0; run <= 40; ++run) {
      const std::string head(run, 'a');
      this->expect_same_to_wide(head + sequence);  // the sequence ends the text
      this->expect_same_to_wide(head + sequence + std::string(run % 19, 'z'));
      this->expect_same_to_wide(head + sequence + sequence + "b");
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

TYPED_TEST(PortableConverter, WideAsciiRunsEndingAtEveryOffsetBeforeEachUnit) {
  for (const wchar_t unit : kUnits) {
    for (std::size_t run = 0; run <= 40; ++run) {
      const std::wstring head(run, L'a');
      this->expect_same_to_bytes(head + unit);
      this->expect_same_to_bytes(head + unit + std::wstring(run % 17, L'q'));
      this->expect_same_to_bytes(head + wchar_t{0xD83D} + wchar_t{0xDE00} + unit + L"b");
    }
  }
}

TYPED_TEST(PortableConverter, WideTextEndsAtTheFirstNulWherever) {
  for (std::size_t at = 0; at <= 40; ++at) {
    std::wstring text(40, L'x');
    text[at % 3 == 0 ? at / 2 : at / 3] = 0xE9;
    text.insert(at, 1, L'\0');
    text += L"\x20AC tail";
    this->expect_same_to_bytes(text);
  }
}

// A round of the result holds 2048 units: multi-byte characters and
// pairs straddle it at each offset.
TYPED_TEST(PortableConverter, CharactersStraddlingARoundOfTheResult) {
  for (std::size_t run = 2030; run <= 2060; ++run) {
    this->expect_same_to_wide(std::string(run, 'r') + "\xF0\x9F\x98\x80\xE2\x82\xAC\x80" +
                              std::string(5000, 's'));
    std::wstring wide(run, L'r');
    wide += L"\xE9\x4E2D";
    wide += static_cast<wchar_t>(0x1F600);
    wide += std::wstring(5000, L's');
    this->expect_same_to_bytes(wide);
  }
}

TYPED_TEST(PortableConverter, PseudoRandomBytesAndUnits) {
  std::mt19937 random(7);
  for (int round = 0; round < 3000; ++round) {
    std::string bytes(random() % 90, '\0');
    for (char& b : bytes) {
      const unsigned roll = random() % 4;  // half ASCII, half anything
      b = static_cast<char>(roll < 2 ? 'a' + random() % 26 : 1 + random() % 255);
    }
    this->expect_same_to_wide(bytes);
    std::wstring units(random() % 90, L'\0');
    for (wchar_t& u : units) {
      const unsigned roll = random() % 6;
      u = roll < 3   ? static_cast<wchar_t>('a' + random() % 26)
          : roll < 5 ? kUnits[random() % kUnits.size()]
                     : static_cast<wchar_t>(random());
    }
    this->expect_same_to_bytes(units);
  }
}

// Windows counts a result, its NUL included, in an int; a longer one fails
// the size query with ERROR_ARITHMETIC_OVERFLOW (534), and the routines throw
// that failure's message. A lowered count stands in for INT_MAX.
TYPED_TEST(PortableConverter, ResultPastTheCountFailsAsTheSizeQuery) {
  const std::string text = "ab\xC3\xA9" + std::string(40, 'x');  // 43 units, 44 bytes
  const std::wstring wide = walk_to_wide(kCodePageUtf8, text);
  for (const unsigned code_page : {kCodePageUtf8, kCodePageAnsi}) {
    const std::size_t units = code_page == kCodePageUtf8 ? 43 : 44;
    const std::size_t bytes = code_page == kCodePageUtf8 ? 44 : 43;
    std::wstring to_wide;
    std::string to_bytes;
    EXPECT_FALSE(portable_to_wide<TypeParam>(code_page, text, to_wide, units + 1));
    EXPECT_FALSE(portable_to_bytes<TypeParam>(code_page, wide, to_bytes, bytes + 1));
    const conversion_failure wide_failure =
        portable_to_wide<TypeParam>(code_page, text, to_wide, units);
    const conversion_failure bytes_failure =
        portable_to_bytes<TypeParam>(code_page, wide, to_bytes, bytes);
    ASSERT_TRUE(wide_failure && bytes_failure);
    const std::string wide_message = code_page == kCodePageUtf8
                                         ? "Error 534 in conversion of UTF8 string: \n" + text
                                         : "From Latin1 conversion error: " + text;
    try {
      throw_to_wide_failure(code_page, wide_failure, text);
    } catch (const std::exception& e) {
      EXPECT_EQ(wide_message, e.what());
    }
    try {
      throw_to_bytes_failure(bytes_failure);
    } catch (const std::exception& e) {
      EXPECT_STREQ("Error in conversion.", e.what());
    }
  }
}

}  // namespace
