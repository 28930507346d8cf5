// The conversions against independent oracles: Windows' own decoding of
// ill-formed UTF-8 (each row checked against the system converter), the edges
// of every UTF-8 length, the published Windows-1252 table and hand-written RTF
// escapes. The rows run through this build's converter (Windows' own under
// Wine) and through every kernel set, after ASCII runs of every length so that
// each row meets every offset of a 16-unit block; and each kernel set against
// runs of known length. (Round trips of any text are fuzzed: fuzz_code_pages.)
#include <gtest/gtest.h>

#include <exception>
#include <random>
#include <string>
#include <vector>

#include "encoding/code_page.h"
#include "encoding/code_page_rules.h"
#include "encoding/kernel_sets.h"
#include "encoding/rtf_escape.h"
#if !defined(_WIN32)
#include "encoding/code_page_portable.h"
#endif

namespace {

using namespace zodode::detail;

constexpr bool kUtf16 = sizeof(wchar_t) == 2;

template <typename Set>
class KernelSet : public KernelSetTest<Set> {};
TYPED_TEST_SUITE(KernelSet, KernelSets);

std::wstring units(std::initializer_list<unsigned> list) {
  std::wstring text;
  for (unsigned u : list) text += static_cast<wchar_t>(u);
  return text;
}

struct Row {
  unsigned code_page;
  std::string bytes;
  std::wstring units;
  int ways;  // kDecode, kEncode or both
};
constexpr int kDecode = 1, kEncode = 2, kBoth = 3;

// clang-format off
const std::vector<Row> kRows = {
    // Bytes that cannot start a sequence: one U+FFFD each.
    {65001, "\x80", L"\xFFFD", kDecode}, {65001, "a\xBF" "b", L"a\xFFFD" L"b", kDecode}, {65001, "\xC0\x80", L"\xFFFD\xFFFD", kDecode},
    {65001, "\xC1\xBF", L"\xFFFD\xFFFD", kDecode}, {65001, "\xF5\x80\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD", kDecode}, {65001, "\xFF", L"\xFFFD", kDecode},
    // Cut short inside the text or by its end: the lead and its continuations are one U+FFFD.
    {65001, "\xC3" "a", L"\xFFFD" L"a", kDecode}, {65001, "\xE2\x82" "A", L"\xFFFD" L"A", kDecode}, {65001, "\xF0\x9F\x98" "a", L"\xFFFD" L"a", kDecode},
    {65001, "\xE2\x82\xC3\xA9", L"\xFFFD\x00E9", kDecode}, {65001, "\xF0\x9F\x98\xF0\x9F\x98\x80", L"\xFFFD\U0001F600", kDecode},
    {65001, "a\xC3", L"a\xFFFD", kDecode}, {65001, "\xF4\x8F\xBF", L"\xFFFD", kDecode},
    // Overlong, surrogate, above 10FFFF: the lead and the second byte are one U+FFFD.
    {65001, "\xE0\x80\x80", L"\xFFFD\xFFFD", kDecode}, {65001, "\xE0\x9F\xBF", L"\xFFFD\xFFFD", kDecode}, {65001, "\xF0\x8F\xBF\xBF", L"\xFFFD\xFFFD\xFFFD", kDecode},
    {65001, "\xED\xA0\x80", L"\xFFFD\xFFFD", kDecode}, {65001, "\xED\xBF\xBF", L"\xFFFD\xFFFD", kDecode}, {65001, "\xF4\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD", kDecode},
    {65001, "\xF4\xA0\x80\x80", L"\xFFFD\xFFFD\xFFFD", kDecode}, {65001, "\xF5\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD", kDecode},
    // A flaw, then more ASCII than one window takes: the last window reads all of it.
    {65001, "\x80" "abcdefghijklmnopqrstuvwxyz01234567", L"\xFFFD" L"abcdefghijklmnopqrstuvwxyz01234567", kDecode},
    // The edges of each well-formed range.
    {65001, "\x7F\xC2\x80\xDF\xBF", L"\x7F\x0080\x07FF", kBoth}, {65001, "\xE0\xA0\x80\xED\x9F\xBF", L"\x0800\xD7FF", kBoth},
    {65001, "\xEE\x80\x80\xEF\xBF\xBF", L"\xE000\xFFFF", kBoth}, {65001, "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", L"\U00010000\U0010FFFF", kBoth},
    // Windows-1252: 7F, the published 80-9F (the five undefined bytes are their C1 controls), A0, FF.
    {0, "\x7F\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F", L"\x7F\x20AC\x0081\x201A\x0192\x201E\x2026\x2020\x2021\x02C6\x2030\x0160\x2039\x0152\x008D\x017D\x008F", kBoth},
    {0, "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F\xA0\xFF", L"\x0090\x2018\x2019\x201C\x201D\x2022\x2013\x2014\x02DC\x2122\x0161\x203A\x0153\x009D\x017E\x0178\x00A0\x00FF", kBoth},
};
// clang-format on

// Units that are no scalar value become U+FFFD, or '?' in code page 0; a pair
// in consecutive units is one code point at either width.
// clang-format off
const std::vector<Row> kEncodeOnly = {
    {65001, "\xEF\xBF\xBD" "a\xEF\xBF\xBD", units({0xD800, 'a', 0xDFFF}), kEncode},
    {65001, "\xEF\xBF\xBD\xEF\xBF\xBD\xF4\x8F\xBF\xBF", units({0xDC00, 0xDBFF, 0xDBFF, 0xDFFF}), kEncode},
    {0, "???a?", units({0x80, 0x9F, 0x100, 'a', 0xFF02}), kEncode}, {0, "??", units({0xD83D, 0xDE00}), kEncode}};
// clang-format on

std::string hex(const std::string& bytes) {
  std::string out;
  for (unsigned char b : bytes) out += {"0123456789ABCDEF"[b >> 4], "0123456789ABCDEF"[b & 15]};
  return out;
}

TEST(CodePages, RowsThroughThisBuildsConverter) {
  for (const Row& r : kRows) {
    EXPECT_EQ(r.units, to_wide(r.code_page, r.bytes)) << hex(r.bytes);
    EXPECT_TRUE(r.ways != kBoth || r.bytes == to_bytes(r.code_page, r.units)) << hex(r.bytes);
  }
#if !defined(_WIN32)  // Windows' own converter maps best-fit
  for (const Row& r : kEncodeOnly) EXPECT_EQ(hex(r.bytes), hex(to_bytes(r.code_page, r.units)));
#endif
  std::string all(255, '\0');  // every byte of code page 0 comes back
  for (int b = 1; b < 256; ++b) all[b - 1] = static_cast<char>(b);
  EXPECT_EQ(hex(all), hex(to_bytes(0, to_wide(0, all))));
  for (const unsigned code_page : {65001u, 0u}) {  // nothing after a NUL, in a block or not
    for (const std::size_t tail : {1u, 20u}) {
      ASSERT_EQ(to_bytes(code_page, L"\x00E9"),
                to_bytes(code_page, units({0xE9, 0}) + std::wstring(tail, L'x')));
    }
  }
  if (kUtf16) return;  // a 16-bit unit cannot hold the rest
  EXPECT_EQ(
      "\xEF\xBF\xBD"
      "a\xEF\xBF\xBD",
      to_bytes(65001, units({0x110000, 'a', 0xFFFFFFFF})));
  EXPECT_EQ("???", to_bytes(0, units({0x1F600, 0x100E9, 0xFFFFFFFF})));
}

#if !defined(_WIN32)

TYPED_TEST(KernelSet, RowsAfterAsciiRunsOfEveryLength) {
  std::vector<Row> rows = kRows;
  rows.insert(rows.end(), kEncodeOnly.begin(), kEncodeOnly.end());
  for (const Row& r : rows) {
    for (std::size_t run = 0; run <= 40; ++run) {
      const std::string head(run, 'a'), tail(run % 19, 'z');
      std::wstring wide;
      std::string narrow;
      const std::wstring units = std::wstring(run, L'a') + r.units + std::wstring(run % 19, L'z');
      if (r.ways & kDecode) {
        ASSERT_FALSE(portable_to_wide<TypeParam>(r.code_page, head + r.bytes + tail, wide));
        ASSERT_EQ(units, wide) << hex(r.bytes) << " after " << run;
      }
      if (r.ways & kEncode) {
        ASSERT_FALSE(portable_to_bytes<TypeParam>(r.code_page, units, narrow));
        ASSERT_EQ(hex(head + r.bytes + tail), hex(narrow)) << run;
      }
    }
  }
}

// Windows counts a result, its NUL included, in an int; a longer one fails
// the size query with ERROR_ARITHMETIC_OVERFLOW (534). A lowered count stands
// in for INT_MAX; the routines throw that failure's message.
TYPED_TEST(KernelSet, ResultPastTheCountFailsAsTheSizeQuery) {
  const std::string text = "ab\xC3\xA9" + std::string(40, 'x');  // 43 units, 44 bytes
  const std::wstring wide = to_wide(65001, text);
  for (const unsigned code_page : {65001u, 0u}) {
    const std::size_t units = code_page == 65001 ? 43 : 44, bytes = code_page == 65001 ? 44 : 43;
    std::wstring to_w;
    std::string to_b;
    EXPECT_FALSE(portable_to_wide<TypeParam>(code_page, text, to_w, units + 1));
    EXPECT_FALSE(portable_to_bytes<TypeParam>(code_page, wide, to_b, bytes + 1));
    const conversion_failure w = portable_to_wide<TypeParam>(code_page, text, to_w, units);
    const conversion_failure b = portable_to_bytes<TypeParam>(code_page, wide, to_b, bytes);
    ASSERT_TRUE(w && b);
    try {
      throw_to_wide_failure(code_page, w, text);
    } catch (const std::exception& e) {
      EXPECT_EQ(code_page ? "Error 534 in conversion of UTF8 string: \n" + text
                          : "From Latin1 conversion error: " + text,
                e.what());
    }
    try {
      throw_to_bytes_failure(b);
    } catch (const std::exception& e) {
      EXPECT_STREQ("Error in conversion.", e.what());
    }
  }
}

// Texts past the stack buffer, of every length over a few windows: their last
// round may start with fewer bytes left than a window writes.
TYPED_TEST(KernelSet, TextsLongerThanTheStackBufferEndInRounds) {
  for (std::size_t n = kShortText; n <= kShortText + 2 * kUtf8WindowRead; ++n) {
    const std::string text = "\xC3\xA9" + std::string(n, 'a');
    const std::wstring units = L"\x00E9" + std::wstring(n, L'a');
    std::wstring wide;
    std::string narrow;
    ASSERT_FALSE(portable_to_wide<TypeParam>(65001, text, wide));
    ASSERT_EQ(units, wide) << n;
    ASSERT_FALSE(portable_to_bytes<TypeParam>(65001, units, narrow));
    ASSERT_EQ(text, narrow) << n;
  }
  // A character right after a block that ends at the first round's last place.
  for (std::size_t n = kRound - kBlock; n <= kRound; ++n) {
    const std::wstring units = std::wstring(n, L'a') + L"\x4E2D" + std::wstring(40, L'b');
    std::string narrow;
    ASSERT_FALSE(portable_to_bytes<TypeParam>(65001, units, narrow));
    ASSERT_TRUE(std::string(n, 'a') + "\xE4\xB8\xAD" + std::string(40, 'b') == narrow) << n;
  }
}
#endif

// 24 copies of fill with stop at `at` (none when at is 16).
template <typename Unit>
std::vector<Unit> block(Unit fill, unsigned stop, std::size_t at) {
  std::vector<Unit> units(24, fill);
  if (at < 16) units[at] = static_cast<Unit>(stop);
  return units;
}

// The units a kernel wrote: the run, and nothing past the block.
template <typename Unit, typename Out>
void expect_run(Unit fill, std::size_t at, const Out& out) {
  for (std::size_t i = 0; i < out.size(); ++i) {
    ASSERT_EQ(i < at ? fill : i < 16 ? out[i] : '#', out[i]) << "unit " << i << " of " << at;
  }
}

TYPED_TEST(KernelSet, WideningStopsAtTheFirstByteOutsideTheRun) {
  // Each row: ASCII (or else Windows-1252) run, a byte in it, one outside it.
  // clang-format off
  const std::tuple<bool, unsigned char, unsigned> cases[] = {{true, 'a', 0x80}, {true, 0x7F, 0xFF}, {true, 0, 0xC3},
      {false, 0x7F, 0x80}, {false, 0xE9, 0x9F}, {false, 0xA0, 0x8D}};
  // clang-format on
  for (const auto& [ascii, fill, stop] : cases) {
    for (std::size_t at = 0; at <= 16; ++at) {
      const auto in = block<unsigned char>(fill, stop, at);
      std::vector<wchar_t> out(24, L'#');
      const std::size_t converted = ascii ? TypeParam::widen_ascii(in.data(), out.data())
                                          : TypeParam::widen_cp1252(in.data(), out.data());
      ASSERT_EQ(at, converted);
      expect_run<wchar_t>(fill, at, out);
      if constexpr (TypeParam::whole_sequences) {
        // The whole block, 80-9F mapped too, and a bit for each of those.
        std::fill(out.begin(), out.end(), L'#');
        const unsigned mapped = TypeParam::map_cp1252(in.data(), out.data());
        for (std::size_t i = 0; i < 24; ++i) {
          ASSERT_EQ(i < 16 ? static_cast<wchar_t>(cp1252_unit(in[i])) : L'#', out[i]) << i;
          ASSERT_EQ(i < 16 && in[i] - 0x80u < 0x20u, (mapped >> i & 1) != 0) << i;
        }
      }
    }
  }
}

template <unit_set Set, typename K>
void expect_wide_blocks(wchar_t fill, std::initializer_list<unsigned> stops) {
  for (const unsigned stop : stops) {
    for (std::size_t at = 0; at <= 16; ++at) {
      const auto in = block<wchar_t>(fill, stop, at);
      std::string narrow(24, '#');
      std::vector<wchar_t> copy(24, L'#');
      ASSERT_EQ(at, K::template narrow<Set>(in.data(), &narrow[0])) << std::hex << stop;
      ASSERT_EQ(at, K::template copy<Set>(in.data(), copy.data())) << std::hex << stop;
      expect_run(static_cast<char>(fill), at, narrow);
      expect_run(fill, at, copy);
    }
  }
}

TYPED_TEST(KernelSet, WideBlocksStopAtTheFirstUnitOutsideTheSet) {
  const unsigned top = sizeof(wchar_t) == 2 ? 0xFFFF : 0xFFFFFFFF;
  expect_wide_blocks<unit_set::ascii, TypeParam>(L'q', {0x80, 0xFF, 0x100, 0xD800, 0x10FFFF, top});
  expect_wide_blocks<unit_set::ascii, TypeParam>(0x7F, {0x80, 0x180});
  expect_wide_blocks<unit_set::ascii_but_nul, TypeParam>(0x7F, {0, 0x80, 0x101, 0xFF80, top});
  expect_wide_blocks<unit_set::cp1252_but_nul, TypeParam>(L'e',
                                                          {0, 0x80, 0x9F, 0x1A0, 0x20AC, top});
  expect_wide_blocks<unit_set::cp1252_but_nul, TypeParam>(0xFF, {0, 0x9F, 0x100});
  expect_wide_blocks<unit_set::cp1252_but_nul, TypeParam>(0xA0, {0x9F, 0x1A0});
}

TYPED_TEST(KernelSet, WidensEightBytes) {
  std::vector<wchar_t> out(9, L'#');
  TypeParam::widen_eight(0xFF807F4100013FE9ull, out.data());
  EXPECT_EQ((std::vector<wchar_t>{0xE9, 0x3F, 0x01, 0x00, 0x41, 0x7F, 0x80, 0xFF, L'#'}), out);
}

// A whole-sequence set's UTF-8 windows against the per-character rules, on
// random mixes of every length's edges and the flawed rows above: what a
// window takes is well formed and decoded as the rules decode it, it takes
// something wherever the first character is well formed, and it reads and
// writes no more than it may (the buffers are exactly the bytes it may read,
// for the address sanitizer; a sentinel past the units it may write).
TYPED_TEST(KernelSet, Utf8WindowsTakeWellFormedCharactersAsTheRulesDo) {
  if constexpr (TypeParam::whole_sequences) {
    std::vector<std::string> pieces = {"a",
                                       "\x7F",
                                       "\xC2\x80",
                                       "\xDF\xBF",
                                       "\xE0\xA0\x80",
                                       "\xED\x9F\xBF",
                                       "\xEE\x80\x80",
                                       "\xEF\xBF\xBD",
                                       "\xF0\x90\x80\x80",
                                       "\xF4\x8F\xBF\xBF"};
    const std::size_t well_formed = pieces.size();
    for (const Row& r : kRows) {
      if (r.code_page == 65001 && r.ways == kDecode) pieces.push_back(r.bytes);
    }
    std::mt19937 random(7);
    for (int round = 0; round < 40000; ++round) {
      const bool flawed = round % 2 == 1;
      std::string text;
      while (text.size() < kUtf8WindowRead) {
        text += pieces[random() % (flawed ? pieces.size() : well_formed)];
      }
      const std::size_t n = round % 5 == 0 ? random() % kUtf8WindowRead : kUtf8WindowRead;
      const std::vector<unsigned char> in(text.begin(), text.begin() + static_cast<long>(n));
      std::vector<wchar_t> out(kUtf8Window + 1, L'#');
      const code_step step = n == kUtf8WindowRead
                                 ? TypeParam::utf8_to_units(in.data(), out.data())
                                 : TypeParam::utf8_tail_to_units(in.data(), n, out.data());
      ASSERT_EQ(L'#', out[kUtf8Window]) << hex(text.substr(0, n));
      ASSERT_LE(step.read, std::min(n, kUtf8Window)) << hex(text.substr(0, n));
      std::wstring rules;
      std::size_t at = 0;
      while (at < step.read) {
        const int length = in[at] < 0x80 ? 1 : utf8_sequence_length(in[at]);
        const decoded d = in[at] < 0x80 ? decoded{in[at], 1} : decode_utf8_sequence(&in[at]);
        ASSERT_EQ(static_cast<std::size_t>(length), d.size)
            << hex(text.substr(0, n)) << " at " << at;
        wchar_t units[2];
        rules.append(units, put_units(d.code_point, units));
        at += d.size;
      }
      ASSERT_EQ(step.read, at) << hex(text.substr(0, n));
      ASSERT_EQ(rules, std::wstring(out.data(), step.written)) << hex(text.substr(0, n));
      // A well-formed first character within the bytes: the window takes it.
      const int first = in.empty() ? 0 : in[0] < 0x80 ? 1 : utf8_sequence_length(in[0]);
      if (!flawed && first != 0 && static_cast<std::size_t>(first) <= n) {
        ASSERT_NE(0u, step.read) << hex(text.substr(0, n));
      }
    }
  }
}

// Hand-written escapes: ASCII passes (NUL, backslash and braces too), U+FEFF
// goes, every other 16-bit unit is "\uN?"; a unit past U+FFFF is its UTF-16
// pair, past U+10FFFF U+FFFD.
// clang-format off
const std::pair<std::wstring, std::string> kEscapes[] = {
    {L"a\\{}\t~\x7F", "a\\{}\t~\x7F"}, {L"\x0080\x00E9", "\\u128?\\u233?"}, {L"\x03E7\x03E8\x270F\x2710", "\\u999?\\u1000?\\u9999?\\u10000?"},
    {L"\xFFFD\xFFFF\xFEFF", "\\u65533?\\u65535?"}, {L"\xD83D\xDE00\xDE00", "\\u55357?\\u56832?\\u56832?"},
    {L"\U0001F600\U00010000", "\\u55357?\\u56832?\\u55296?\\u56320?"}, {L"\U0010FFFF", "\\u56319?\\u57343?"}};
// clang-format on

TYPED_TEST(KernelSet, RtfEscapesAfterAsciiRunsOfEveryLength) {
  std::vector<std::pair<std::wstring, std::string>> rows(std::begin(kEscapes), std::end(kEscapes));
  if (sizeof(wchar_t) == 4)
    rows.push_back({{wchar_t(0x110000), wchar_t(-1)}, "\\u65533?\\u65533?"});
  rows.push_back(
      {std::wstring(L"\0\x00E9", 2), std::string("\0\\u233?", 7)});  // narrow ends at NUL
  for (const auto& [text, escaped] : rows) {
    for (std::size_t run = 0; run <= 40; ++run) {
      const std::wstring in = std::wstring(run, L'{') + text + std::wstring(run % 17, L'z');
      const std::string want = std::string(run, '{') + escaped + std::string(run % 17, 'z');
      std::string narrow;
      std::wstring wide;
      rtf_escape<char, TypeParam>(in, narrow);
      rtf_escape<wchar_t, TypeParam>(in, wide);
      ASSERT_EQ(want.substr(0, want.find('\0')), narrow) << escaped << " after " << run;
      ASSERT_EQ(std::wstring(want.begin(), want.end()), wide) << escaped << " after " << run;
    }
  }
}

// Texts of several rounds behind ASCII of every length below a step, so that
// the steps meet each round's end at every offset: each converts as its
// pieces (the rows above, with runs of ASCII, of three-byte characters and
// of five-digit escapes, and stretches of ASCII with an escape here and
// there) do.
TYPED_TEST(KernelSet, RowsRepeatedOverSeveralRounds) {
  std::wstring rtf_piece, sparse_piece;
  std::string escaped_piece, escaped_sparse_piece;
  for (const auto& [text, escaped] : kEscapes) {
    rtf_piece += text + std::wstring(30, wchar_t(0x4E2D));
    escaped_piece += escaped;
    for (int i = 0; i < 30; ++i) escaped_piece += "\\u20013?";
  }
  // Rounds of few escapes between rounds of many, where a wide result
  // changes its way of escaping.
  for (int i = 0; i < 100; ++i) {
    sparse_piece += std::wstring(60, L'q') + kEscapes[i % 7].first;
    escaped_sparse_piece += std::string(60, 'q') + kEscapes[i % 7].second;
  }
#if !defined(_WIN32)
  std::string bytes[2];  // code pages 0 and 65001
  std::wstring units[2];
  for (const Row& r : kRows) {
    if (r.ways != kBoth) continue;
    bytes[r.code_page != 0] += r.bytes + std::string(37, 'x');
    units[r.code_page != 0] += r.units + std::wstring(37, L'x');
  }
  for (int i = 0; i < 80; ++i) bytes[1] += "\xE4\xB8\xAD", units[1] += wchar_t(0x4E2D);
#endif
  for (std::size_t shift = 0; shift < 64; ++shift) {
#if !defined(_WIN32)
    for (const unsigned code_page : {0u, 65001u}) {
      std::string b(shift, 'a'), narrow;
      std::wstring w(shift, L'a'), wide;
      for (int k = 0; k < 64; ++k) {
        b += bytes[code_page != 0], w += units[code_page != 0];
        // Rounds of ASCII alone, where Windows-1252 changes its way again.
        if (k == 20) b += std::string(5000, 'y'), w += std::wstring(5000, L'y');
      }
      if (code_page == 0) b += "\x80\x9F\x85", w += L"\x20AC\x0178\x2026";  // in the last block
      ASSERT_FALSE(portable_to_wide<TypeParam>(code_page, b, wide, w.size() + 1));
      ASSERT_FALSE(portable_to_bytes<TypeParam>(code_page, w, narrow, b.size() + 1));
      ASSERT_TRUE(wide == w && narrow == b) << code_page << " after " << shift;
      // One short of the result and its NUL: the count fails, in the last round.
      ASSERT_TRUE(portable_to_wide<TypeParam>(code_page, b, wide, w.size()) &&
                  portable_to_bytes<TypeParam>(code_page, w, narrow, b.size()));
    }
#endif
    std::wstring in(shift, L'a'), wide;
    std::string want(shift, 'a'), narrow;
    for (int k = 0; k < 10; ++k) {
      in += k % 3 == 1 ? sparse_piece : rtf_piece;
      want += k % 3 == 1 ? escaped_sparse_piece : escaped_piece;
    }
    rtf_escape<char, TypeParam>(in, narrow);
    rtf_escape<wchar_t, TypeParam>(in, wide);
    ASSERT_EQ(want, narrow) << shift;
    ASSERT_TRUE(std::wstring(want.begin(), want.end()) == wide) << shift;
    // Five-digit escapes past the first round's end: a step meets it at every offset.
    std::wstring run(shift, L'a'), escaped_run(shift, L'a');
    for (int i = 0; i < 300; ++i) run += wchar_t(0x4E2D), escaped_run += L"\\u20013?";
    rtf_escape<wchar_t, TypeParam>(run, wide);
    ASSERT_TRUE(escaped_run == wide) << shift;
  }
}

// Mixed text as the block steps meet it: runs of ASCII, two-, three- and
// four-byte characters, escapes of every digit count, pairs, lone surrogates
// and U+FEFF at random places, against the scalar set (the reference).
TYPED_TEST(KernelSet, MixedTextAsTheScalarSetConvertsIt) {
  const unsigned kinds[][2] = {{0x20, 0x7F},     {0x80, 0x3E7},      {0x3E8, 0x7FF},
                               {0x800, 0x270F},  {0x2710, 0xFFFF},   {0xD800, 0xDFFF},
                               {0xFEFF, 0xFEFF}, {0x10000, 0x10FFFF}};
  std::mt19937 random(7);
  for (int text = 0; text < 300; ++text) {
    std::wstring w;
    const unsigned mix = random() % 8 + 1;  // how many kinds this text draws from
    for (std::size_t n = random() % 90; w.size() < n;) {
      const auto& kind = kinds[random() % mix];
      const unsigned u = kind[0] + random() % (kind[1] - kind[0] + 1);
      if (u > 0xFFFF && kUtf16) continue;
      for (unsigned repeat = random() % 12; repeat-- > 0;) w += static_cast<wchar_t>(u);
    }
    if (!w.empty() && random() % 4 == 0) w[random() % w.size()] = 0;
#if !defined(_WIN32)
    for (const unsigned code_page : {65001u, 0u}) {
      std::string want, got;
      ASSERT_FALSE(portable_to_bytes<scalar_kernels>(code_page, w, want));
      ASSERT_FALSE(portable_to_bytes<TypeParam>(code_page, w, got));
      ASSERT_EQ(hex(want), hex(got)) << code_page << " text " << text;
    }
#endif
    std::string narrow, narrow_want;
    std::wstring wide, wide_want;
    rtf_escape<char, scalar_kernels>(w, narrow_want);
    rtf_escape<char, TypeParam>(w, narrow);
    rtf_escape<wchar_t, scalar_kernels>(w, wide_want);
    rtf_escape<wchar_t, TypeParam>(w, wide);
    ASSERT_EQ(narrow_want, narrow) << text;
    ASSERT_TRUE(wide_want == wide) << text;
  }
}

}  // namespace
