// The AVX2 kernel set, chosen at run time on processors that have AVX2 and
// POPCNT (see kernels.h for the contract). Beyond the runs of the other sets
// it decodes 32-byte windows of UTF-8 (ASCII and sequences of every length,
// checked whole), encodes blocks of units with two- and three-byte sequences,
// and maps Windows-1252's bytes 80-9F inside a block.
//
// Every function carries the AVX2 target itself, so this header compiles in
// any file and the tests call the kernels from ordinary code. The library's
// conversions over this set are instantiated in kernels_avx2.cpp, compiled
// for AVX2, where the kernels are inlined into the loops.
#ifndef ZODODE_ENCODING_KERNELS_AVX2_H
#define ZODODE_ENCODING_KERNELS_AVX2_H

// Included by kernels.h, after the names it uses.
#include <immintrin.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#define ZODODE_KERNELS_AVX2 1
#if defined(__AVX2__) && defined(__POPCNT__)
#define ZODODE_AVX2_INLINE inline __attribute__((always_inline, target("avx2,popcnt")))
#else
#define ZODODE_AVX2_INLINE inline __attribute__((target("avx2,popcnt")))
#endif

namespace zodode::detail {
namespace avx2_tables {

// For each mask of eight 16-bit lanes: the byte shuffle that packs the lanes
// whose bit is set to the front, in order.
struct lane_packs {
  alignas(16) std::uint8_t shuffle[256][16];
};

constexpr lane_packs make_lane_packs() {
  lane_packs t{};
  for (unsigned m = 0; m < 256; ++m) {
    unsigned j = 0;
    for (unsigned i = 0; i < 8; ++i) {
      if ((m >> i) & 1) {
        t.shuffle[m][2 * j] = static_cast<std::uint8_t>(2 * i);
        t.shuffle[m][2 * j + 1] = static_cast<std::uint8_t>(2 * i + 1);
        ++j;
      }
    }
    for (unsigned k = 2 * j; k < 16; ++k) t.shuffle[m][k] = 0x80;
  }
  return t;
}

// For four 32-bit lanes holding 0 to 3 UTF-8 bytes each, from the least
// significant one (index: the four lengths, two bits each, lane 0 lowest):
// the byte shuffle that packs the bytes in order, and their count.
struct byte_packs {
  alignas(16) std::uint8_t shuffle[256][16];
  std::uint8_t size[256];
};

constexpr byte_packs make_byte_packs() {
  byte_packs t{};
  for (unsigned index = 0; index < 256; ++index) {
    unsigned j = 0;
    for (unsigned lane = 0; lane < 4; ++lane) {
      const unsigned length = (index >> (2 * lane)) & 3;
      for (unsigned b = 0; b < length; ++b)
        t.shuffle[index][j++] = static_cast<std::uint8_t>(4 * lane + b);
    }
    t.size[index] = static_cast<std::uint8_t>(j);
    for (unsigned k = j; k < 16; ++k) t.shuffle[index][k] = 0x80;
  }
  return t;
}

// For eight 16-bit lanes holding one or two UTF-8 bytes each (index: a bit
// set for each lane of two): the byte shuffle that packs them in order.
struct pair_packs {
  alignas(16) std::uint8_t shuffle[256][16];
};

constexpr pair_packs make_pair_packs() {
  pair_packs t{};
  for (unsigned index = 0; index < 256; ++index) {
    unsigned j = 0;
    for (unsigned lane = 0; lane < 8; ++lane) {
      t.shuffle[index][j++] = static_cast<std::uint8_t>(2 * lane);
      if ((index >> lane) & 1) t.shuffle[index][j++] = static_cast<std::uint8_t>(2 * lane + 1);
    }
    for (unsigned k = j; k < 16; ++k) t.shuffle[index][k] = 0x80;
  }
  return t;
}

// The four bits of x at bits 0, 2, 4 and 6.
inline constexpr std::uint8_t kSpread[16] = {0x00, 0x01, 0x04, 0x05, 0x10, 0x11, 0x14, 0x15,
                                             0x40, 0x41, 0x44, 0x45, 0x50, 0x51, 0x54, 0x55};

inline constexpr lane_packs kLanePacks = make_lane_packs();

// UTF-8 checked a byte pair at a time: each flaw a pair can have is a bit,
// and a pair has it where the entries for the first byte's high nibble, its
// low nibble and the second byte's high nibble all have that bit.
enum pair_flaw : std::uint8_t {
  kTooShort = 0x01,                            // a lead followed by ASCII or a lead
  kTooLong = 0x02,                             // ASCII followed by a continuation
  kOverlong3 = 0x04,                           // E0 80-9F
  kTooLarge = 0x08,                            // F4 90-BF, F5-FF 90-BF
  kSurrogate = 0x10,                           // ED A0-BF
  kOverlong2 = 0x20,                           // C0 or C1 and a continuation
  kOverlong4 = 0x40,                           // F0 80-8F; with a lead nibble 5-F, F5-FF 80-8F
  kTwoConts = 0x80,                            // two continuations: a flaw unless the second is due
  kAnyLow = kTooShort | kTooLong | kTwoConts,  // flaws the low nibble leaves open
};

// The constants of the UTF-8 windows, each 32 bytes: the three pair-flaw
// tables (in both 128-bit lanes) and the bytes and 16-bit lanes the windows
// compare and mask with.
struct window_constants {
  alignas(32) std::uint8_t first_high[32];
  std::uint8_t first_low[32];
  std::uint8_t second_high[32];
  std::uint8_t nibble[32];  // 0F
  std::uint8_t third[32];   // E0 - 80: above it, saturating, E0-FF
  std::uint8_t fourth[32];  // F0 - 80
  std::uint8_t top_bit[32];
  std::uint8_t start[32];  // BF: above it as signed, C0-FF and ASCII
  std::uint8_t lead4[32];  // EF: above it as signed, F0-FF and ASCII
  std::uint16_t low5[16];
  std::uint16_t low6[16];
  std::uint16_t low10[16];
  std::uint16_t low11[16];
  std::uint16_t cont[16];      // 7F
  std::uint16_t lead2_16[16];  // BF
  std::uint16_t lead3_16[16];  // DF
  std::uint16_t lead4_16[16];  // EF
  std::uint16_t low_surrogate[16];
  std::uint16_t high_surrogate[16];  // D800, less the 10000 taken off
};

constexpr window_constants make_window_constants() {
  window_constants t{};
  for (unsigned i = 0; i < 32; ++i) {
    const unsigned nib = i % 16;
    unsigned high = nib < 8 ? kTooLong : nib < 12 ? kTwoConts : kTooShort;
    if (nib == 0xC) high |= kOverlong2;
    if (nib == 0xE) high |= kOverlong3 | kSurrogate;
    if (nib == 0xF) high |= kTooLarge | kOverlong4;
    t.first_high[i] = static_cast<std::uint8_t>(high);
    unsigned low = kAnyLow;
    if (nib == 0) low |= kOverlong2 | kOverlong3 | kOverlong4;
    if (nib == 1) low |= kOverlong2;
    if (nib >= 4) low |= kTooLarge;
    if (nib >= 5) low |= kOverlong4;  // F5-FF 80-8F, too large
    if (nib == 0xD) low |= kSurrogate;
    t.first_low[i] = static_cast<std::uint8_t>(low);
    unsigned second = kTooShort;
    if (nib >= 8 && nib < 12) {
      second = kTooLong | kOverlong2 | kTwoConts;
      second |= nib == 8   ? kOverlong3 | kOverlong4
                : nib == 9 ? kOverlong3 | kTooLarge
                           : kSurrogate | kTooLarge;
    }
    t.second_high[i] = static_cast<std::uint8_t>(second);
    t.nibble[i] = 0x0F;
    t.third[i] = 0xE0 - 0x80;
    t.fourth[i] = 0xF0 - 0x80;
    t.top_bit[i] = 0x80;
    t.start[i] = 0xBF;
    t.lead4[i] = 0xEF;
  }
  for (unsigned i = 0; i < 16; ++i) {
    t.low5[i] = 0x1F;
    t.low6[i] = 0x3F;
    t.low10[i] = 0x3FF;
    t.low11[i] = 0x7FF;
    t.cont[i] = 0x7F;
    t.lead2_16[i] = 0xBF;
    t.lead3_16[i] = 0xDF;
    t.lead4_16[i] = 0xEF;
    t.low_surrogate[i] = 0xDC00;
    t.high_surrogate[i] = 0xD800 - 0x40;
  }
  return t;
}

inline constexpr window_constants kWindowConstants = make_window_constants();

// Windows-1252's bytes 80-8F and 90-9F: the low and the high bytes of their
// code points, by the byte's low four bits.
struct cp1252_nibbles {
  alignas(16) std::uint8_t low[2][16];
  alignas(16) std::uint8_t high[2][16];
};

constexpr cp1252_nibbles make_cp1252_nibbles() {
  cp1252_nibbles t{};
  for (unsigned i = 0; i < 32; ++i) {
    t.low[i / 16][i % 16] = static_cast<std::uint8_t>(kCp1252High[i] & 0xFF);
    t.high[i / 16][i % 16] = static_cast<std::uint8_t>(kCp1252High[i] >> 8);
  }
  return t;
}

inline constexpr cp1252_nibbles kCp1252Nibbles = make_cp1252_nibbles();

// RTF escapes of two units held as 8-byte slots "\\uDDDDD?" (a unit that
// passes as it is: the unit in the first byte), by the kinds of both (kind:
// 0 passing, 1-3 an escape of 3-5 digits; index: the first unit's kind plus
// four times the second's): the byte shuffle that drops the leading digits
// the escapes do not have and packs both, and their length.
struct escape_packs {
  alignas(16) std::uint8_t shuffle[16][16];
  std::uint8_t size[16];
};

constexpr escape_packs make_escape_packs() {
  escape_packs t{};
  for (unsigned index = 0; index < 16; ++index) {
    unsigned j = 0;
    for (unsigned unit = 0; unit < 2; ++unit) {
      const unsigned kind = (index >> (2 * unit)) & 3;
      const unsigned slot = 8 * unit;
      if (kind == 0) {
        t.shuffle[index][j++] = static_cast<std::uint8_t>(slot);
        continue;
      }
      t.shuffle[index][j++] = static_cast<std::uint8_t>(slot);      // backslash
      t.shuffle[index][j++] = static_cast<std::uint8_t>(slot + 1);  // u
      for (unsigned d = 5 - (kind + 2); d < 5; ++d)
        t.shuffle[index][j++] = static_cast<std::uint8_t>(slot + 2 + d);
      t.shuffle[index][j++] = static_cast<std::uint8_t>(slot + 7);  // ?
    }
    t.size[index] = static_cast<std::uint8_t>(j);
    for (unsigned k = j; k < 16; ++k) t.shuffle[index][k] = 0x80;
  }
  return t;
}

inline constexpr escape_packs kEscapePacks = make_escape_packs();
inline constexpr byte_packs kBytePacks = make_byte_packs();
inline constexpr pair_packs kPairPacks = make_pair_packs();

}  // namespace avx2_tables

struct avx2_kernels {
  static constexpr bool whole_sequences = true;
  static bool usable() { return avx2_usable(); }

  ZODODE_AVX2_INLINE static std::size_t widen_ascii(const unsigned char* in, wchar_t* out) {
    const __m128i bytes = load16(in);
    // Widened as the SSE2 set does: on the processors measured, the 256-bit
    // zero-extension was the slower way to write a run of ASCII.
    sse2_kernels::store_widened(bytes, out);
    return run_before(static_cast<unsigned>(_mm_movemask_epi8(bytes)));
  }

  ZODODE_AVX2_INLINE static std::size_t widen_cp1252(const unsigned char* in, wchar_t* out) {
    return sse2_kernels::widen_cp1252(in, out);
  }

  // A whole block of Windows-1252, bytes 80-9F mapped by table lookups;
  // returns a mask of those bytes.
  ZODODE_AVX2_INLINE static unsigned map_cp1252(const unsigned char* in, wchar_t* out) {
    const __m128i bytes = load16(in);
    const __m128i mapped = _mm_cmplt_epi8(bytes, _mm_set1_epi8(-96));  // 80-9F read as signed
    using avx2_tables::kCp1252Nibbles;
    const __m128i nibble = _mm_and_si128(bytes, _mm_set1_epi8(0x0F));
    const __m128i upper =
        _mm_cmpeq_epi8(_mm_and_si128(bytes, _mm_set1_epi8(0x10)), _mm_set1_epi8(0x10));
    const __m128i low =
        _mm_blendv_epi8(_mm_shuffle_epi8(load16(kCp1252Nibbles.low[0]), nibble),
                        _mm_shuffle_epi8(load16(kCp1252Nibbles.low[1]), nibble), upper);
    const __m128i high =
        _mm_blendv_epi8(_mm_shuffle_epi8(load16(kCp1252Nibbles.high[0]), nibble),
                        _mm_shuffle_epi8(load16(kCp1252Nibbles.high[1]), nibble), upper);
    const __m256i table =
        _mm256_set_m128i(_mm_unpackhi_epi8(low, high), _mm_unpacklo_epi8(low, high));
    const __m256i units =
        _mm256_blendv_epi8(_mm256_cvtepu8_epi16(bytes), table, _mm256_cvtepi8_epi16(mapped));
    if constexpr (sizeof(wchar_t) == 4) {
      store_halves(_mm256_cvtepu16_epi32(_mm256_castsi256_si128(units)), out);
      store_halves(_mm256_cvtepu16_epi32(_mm256_extracti128_si256(units, 1)), out + 8);
    } else {
      store_halves(units, out);
    }
    return static_cast<unsigned>(_mm_movemask_epi8(mapped));
  }

  // The run comes from a mask of the units outside Set, found without a
  // branch on the block's contents: in mixed text most blocks hold such a
  // unit. The 32-bit units are packed to 16 bits with signed saturation
  // (0x8000 or more gives 0x7FFF, 0x80000000 or more a negative word), which
  // keeps every unit outside Set outside it.
  template <unit_set Set>
  ZODODE_AVX2_INLINE static std::size_t narrow(const wchar_t* in, char* out) {
    if constexpr (sizeof(wchar_t) == 4) {
      const __m256i a = load32(in);
      const __m256i b = load32(in + 8);
      const __m256i words = _mm256_packs_epi32(a, b);  // a0-3 b0-3 | a4-7 b4-7
      const __m256i in_order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
      if constexpr (Set == unit_set::cp1252_but_nul) {
        // One path for every block, with no branch on whether it is ASCII:
        // in Western text that branch goes either way from block to block.
        // The bytes in the low half, and in the high one a nonzero byte for
        // each word above 0xFF (a negative word packs to byte 0, outside too).
        const __m256i above = _mm256_subs_epu16(words, _mm256_set1_epi16(0xFF));
        const __m256i both =
            _mm256_permutevar8x32_epi32(_mm256_packus_epi16(words, above), in_order);
        const __m128i bytes = _mm256_castsi256_si128(both);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
        // NUL, or 80-9F (read as signed, below -96).
        const __m128i own = _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_setzero_si128()),
                                         _mm_cmplt_epi8(bytes, _mm_set1_epi8(-96)));
        const __m128i fits = _mm_cmpeq_epi8(_mm256_extracti128_si256(both, 1), _mm_setzero_si128());
        const unsigned outside =
            static_cast<unsigned>(_mm_movemask_epi8(own) | ~_mm_movemask_epi8(fits)) & 0xFFFF;
        if (__builtin_expect(outside == 0, 1)) return kBlock;  // see ascii_but_nul below
        return static_cast<std::size_t>(__builtin_ctz(outside));
      } else {
        const __m128i bytes = _mm256_castsi256_si128(
            _mm256_permutevar8x32_epi32(_mm256_packus_epi16(words, words), in_order));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), bytes);
        if constexpr (Set == unit_set::ascii_but_nul) {
          // Units 1-7F are the bytes 1-7F; every other one packed to 0 or to
          // 80-FF. A whole block returns by its own branch, so that the
          // caller's next block does not wait for the mask.
          const unsigned outside =
              static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(bytes, _mm_set1_epi8(1))));
          if (__builtin_expect(outside == 0, 1)) return kBlock;
          return static_cast<std::size_t>(__builtin_ctz(outside));
        } else {
          return run_before(~words_in_set<Set>(words));
        }
      }
    } else {
      const __m256i w = load32(in);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                       _mm_packus_epi16(_mm256_castsi256_si128(w), _mm256_extracti128_si256(w, 1)));
      return run_before(~lanes16_in_set<Set>(w));
    }
  }

  template <unit_set Set>
  ZODODE_AVX2_INLINE static std::size_t copy(const wchar_t* in, wchar_t* out) {
    if constexpr (sizeof(wchar_t) == 4) {
      // As the SSE2 set copies. A branch of its own on whether a block is
      // ASCII goes either way from block to block in Western text, and two
      // 32-byte loads gave nothing the four 16-byte ones do not.
      return sse2_kernels::copy<Set>(in, out);
    } else {
      const __m256i w = load32(in);
      store_halves(w, out);
      return run_before(~lanes16_in_set<Set>(w));
    }
  }

  ZODODE_AVX2_INLINE static void widen_eight(std::uint64_t bytes, wchar_t* out) {
    const __m128i eight = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(&bytes));
    if constexpr (sizeof(wchar_t) == 4) {
      store_halves(_mm256_cvtepu8_epi32(eight), out);
    } else {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_cvtepu8_epi16(eight));
    }
  }

  // A window of UTF-8 (kernels.h): the characters that lie wholly in the
  // first kUtf8Window bytes at in, up to the last one that starts after the
  // first byte, decoded when the window has no flaw before that one's start.
  ZODODE_AVX2_INLINE static code_step utf8_to_units(const unsigned char* in, wchar_t* out) {
    return utf8_window(in, kUtf8Window, out);
  }

  // The n bytes at in that end a text, fewer than kUtf8WindowRead, as a
  // window: copied to one padded with NULs, and decoded up to byte n at most.
  __attribute__((noinline, target("avx2,popcnt"))) static code_step utf8_tail_to_units(
      const unsigned char* in, std::size_t n, wchar_t* out) {
    alignas(32) unsigned char window[2 * kUtf8Window] = {};
    if (n != 0) std::memcpy(window, in, n);  // in may be null then
    return utf8_window(window, n < kUtf8Window ? n : kUtf8Window, out);
  }

  // A block of units to UTF-8. When it starts with two characters of three
  // bytes (text in ideographs or kana), eight units at a time in 32-bit
  // lanes (eight_to_utf8). Otherwise the leading units below 0x800 (not NUL,
  // the end of the text) in 16-bit lanes: a block of Western text is taken
  // whole, or up to its first character of three or four bytes, which the
  // per-character rules take quicker than a vector step when it comes alone
  // (read 0). Writes up to 64 bytes.
  ZODODE_AVX2_INLINE static code_step units_to_utf8(const wchar_t* in, char* out) {
    if (unit_bits(in[0]) - 0x800 < 0xF800 && unit_bits(in[1]) - 0x800 < 0xF800) {
      return sixteen_to_utf8(in, out);
    }
    __m256i words;  // the 16 units in order, with unsigned saturation
    if constexpr (sizeof(wchar_t) == 4) {
      words = _mm256_permute4x64_epi64(_mm256_packus_epi32(load32(in), load32(in + 8)), 0xD8);
    } else {
      words = load32(in);
    }
    const __m256i nul = _mm256_cmpeq_epi16(words, _mm256_setzero_si256());
    const __m256i ascii = _mm256_cmpeq_epi16(_mm256_and_si256(words, _mm256_set1_epi16(~0x7F)),
                                             _mm256_setzero_si256());
    const unsigned not_ascii =
        ~static_cast<unsigned>(_mm256_movemask_epi8(_mm256_andnot_si256(nul, ascii)));
    const __m128i ascii_bytes =
        _mm_packus_epi16(_mm256_castsi256_si128(words), _mm256_extracti128_si256(words, 1));
    if (not_ascii == 0) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out), ascii_bytes);
      return {kBlock, kBlock};
    }
    const __m256i big =
        _mm256_cmpeq_epi16(_mm256_max_epu16(words, _mm256_set1_epi16(0x800)), words);
    const unsigned outside_bits =
        static_cast<unsigned>(_mm256_movemask_epi8(_mm256_or_si256(nul, big)));
    // Two bits for each lane: the first set bit is the first lane's low one.
    const unsigned taken =
        static_cast<unsigned>(__builtin_ctz(outside_bits | 0x80000000u)) / 2 + (outside_bits == 0);
    if (static_cast<unsigned>(__builtin_ctz(not_ascii)) / 2 == taken) {  // ASCII up to there
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out), ascii_bytes);
      return taken_and_one_more(in, out, {taken, taken});
    }
    // Each lane's one or two bytes, the first one lowest.
    const __m256i two = _mm256_cmpgt_epi16(words, _mm256_set1_epi16(0x7F));
    const __m256i as_two = _mm256_or_si256(
        _mm256_or_si256(_mm256_srli_epi16(words, 6), _mm256_set1_epi16(0xC0)),
        _mm256_slli_epi16(_mm256_or_si256(_mm256_and_si256(words, _mm256_set1_epi16(0x3F)),
                                          _mm256_set1_epi16(0x80)),
                          8));
    const __m256i bytes = _mm256_blendv_epi8(words, as_two, two);
    // Lanes 0-7 at bits 0-7 and again at 8-15, lanes 8-15 at bits 16-23 and 24-31.
    const unsigned twos = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_packs_epi16(two, two)));
    const unsigned first_size = 8 + static_cast<unsigned>(_mm_popcnt_u32(twos & 0xFF));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                     _mm_shuffle_epi8(_mm256_castsi256_si128(bytes), pair_pack(twos & 0xFF)));
    _mm_storeu_si128(
        reinterpret_cast<__m128i*>(out + first_size),
        _mm_shuffle_epi8(_mm256_extracti128_si256(bytes, 1), pair_pack((twos >> 16) & 0xFF)));
    const unsigned in_order = (twos & 0xFF) | ((twos >> 8) & 0xFF00);
    return taken_and_one_more(
        in, out,
        {taken, taken + static_cast<unsigned>(_mm_popcnt_u32(in_order & ((1u << taken) - 1)))});
  }

  // RTF escaping of eight units: the leading ones that pass as they are
  // (ASCII, and for a narrow result not NUL: Set) or are escaped as
  // themselves ("\uN?", 0x80-0xFFFF but U+FEFF), written as Char. The
  // decimal digits of all eight come from a few multiplications; each pair of
  // units is then packed by one shuffle. Writes up to 64 Char.
  // A narrow result calls it out of line: inlined, it slowed the loop on
  // ASCII text by 6-12% on a Zen 5 processor. A wide one calls it only in
  // rounds of dense escapes (rtf_escape.h), where inlined it keeps its
  // constants; the call clobbered those of the loop around it.
  template <typename Char, unit_set Set>
  ZODODE_AVX2_INLINE static code_step rtf_escapes(const wchar_t* in, Char* out) {
    if constexpr (sizeof(Char) == 1) {
      return rtf_escapes_out_of_line<Char, Set>(in, out);
    } else {
      return rtf_escapes_inline<Char, Set>(in, out);
    }
  }

  template <typename Char, unit_set Set>
  __attribute__((noinline, target("avx2,popcnt"))) static code_step rtf_escapes_out_of_line(
      const wchar_t* in, Char* out) {
    return rtf_escapes_inline<Char, Set>(in, out);
  }

  template <typename Char, unit_set Set>
  ZODODE_AVX2_INLINE static code_step rtf_escapes_inline(const wchar_t* in, Char* out) {
    __m128i n;      // the units as 16-bit numbers
    __m128i stops;  // units that need the per-unit rules: above 0xFFFF, U+FEFF, NUL
    if constexpr (sizeof(wchar_t) == 4) {
      const __m256i u = load32(in);
      const __m256i above =
          _mm256_xor_si256(_mm256_cmpeq_epi32(_mm256_min_epu32(u, _mm256_set1_epi32(0xFFFF)), u),
                           _mm256_set1_epi32(-1));
      n = _mm_packus_epi32(_mm256_castsi256_si128(u), _mm256_extracti128_si256(u, 1));
      stops = _mm_packs_epi32(_mm256_castsi256_si128(above), _mm256_extracti128_si256(above, 1));
    } else {
      n = load16(in);
      stops = _mm_setzero_si128();
    }
    stops = _mm_or_si128(stops, _mm_cmpeq_epi16(n, _mm_set1_epi16(static_cast<short>(0xFEFF))));
    if constexpr (Set == unit_set::ascii_but_nul) {
      stops = _mm_or_si128(stops, _mm_cmpeq_epi16(n, _mm_setzero_si128()));
    }
    const unsigned taken = static_cast<unsigned>(__builtin_ctz(
                               static_cast<unsigned>(_mm_movemask_epi8(stops)) | 0x10000u)) /
                           2;
    // n = 100 q + r, q = 100 h + s; r, s = 10 tens + ones.
    const __m128i q =
        _mm_srli_epi16(_mm_mulhi_epu16(_mm_srli_epi16(n, 2), _mm_set1_epi16(0x147B)), 1);
    const __m128i r = _mm_sub_epi16(n, _mm_mullo_epi16(q, _mm_set1_epi16(100)));
    const __m128i h = _mm_mulhi_epu16(q, _mm_set1_epi16(0x290));
    const __m128i sv = _mm_sub_epi16(q, _mm_mullo_epi16(h, _mm_set1_epi16(100)));
    const __m128i tenth = _mm_set1_epi16(0x199A);
    const __m128i r_tens = _mm_mulhi_epu16(r, tenth);
    const __m128i s_tens = _mm_mulhi_epu16(sv, tenth);
    const __m128i r_ones = _mm_sub_epi16(r, _mm_mullo_epi16(r_tens, _mm_set1_epi16(10)));
    const __m128i s_ones = _mm_sub_epi16(sv, _mm_mullo_epi16(s_tens, _mm_set1_epi16(10)));
    // Each unit's slot as four 16-bit words: "\u", h s_tens, s_ones r_tens, r_ones "?".
    const __m128i passing = _mm_cmpeq_epi16(
        _mm_and_si128(n, _mm_set1_epi16(static_cast<short>(0xFF80))), _mm_setzero_si128());
    const __m128i w0 = _mm_blendv_epi8(_mm_set1_epi16(0x755C), n, passing);
    const __m128i w1 =
        _mm_add_epi16(_mm_or_si128(h, _mm_slli_epi16(s_tens, 8)), _mm_set1_epi16(0x3030));
    const __m128i w2 =
        _mm_add_epi16(_mm_or_si128(s_ones, _mm_slli_epi16(r_tens, 8)), _mm_set1_epi16(0x3030));
    const __m128i w3 = _mm_add_epi16(r_ones, _mm_set1_epi16(0x3F30));
    const __m128i w01_low = _mm_unpacklo_epi16(w0, w1);
    const __m128i w23_low = _mm_unpacklo_epi16(w2, w3);
    const __m128i w01_high = _mm_unpackhi_epi16(w0, w1);
    const __m128i w23_high = _mm_unpackhi_epi16(w2, w3);
    // Kinds as two bits per unit: 0 passing, 1-3 escapes of 3-5 digits.
    const __m128i k1000 = _mm_cmpeq_epi16(_mm_max_epu16(n, _mm_set1_epi16(1000)), n);
    const __m128i k10000 = _mm_cmpeq_epi16(_mm_max_epu16(n, _mm_set1_epi16(10000)), n);
    const __m128i zero = _mm_setzero_si128();
    const unsigned escaped =
        ~static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(passing, zero))) & 0xFF;
    const unsigned thousands =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(k1000, zero)));
    const unsigned ten_thousands =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_packs_epi16(k10000, zero)));
    const unsigned odd = escaped ^ thousands ^ ten_thousands;
    const unsigned kinds =
        length_index(odd & 0xF, thousands & 0xF) | length_index(odd >> 4, thousands >> 4) << 8;
    Char* o = out;
    put_escape_pair(_mm_unpacklo_epi32(w01_low, w23_low), kinds & 0xF, o);
    put_escape_pair(_mm_unpackhi_epi32(w01_low, w23_low), (kinds >> 4) & 0xF, o);
    put_escape_pair(_mm_unpacklo_epi32(w01_high, w23_high), (kinds >> 8) & 0xF, o);
    put_escape_pair(_mm_unpackhi_epi32(w01_high, w23_high), kinds >> 12, o);
    if (taken == 8) return {8, static_cast<std::size_t>(o - out)};
    const unsigned first = (1u << taken) - 1;
    return {taken, taken + 5 * static_cast<unsigned>(_mm_popcnt_u32(escaped & first)) +
                       static_cast<unsigned>(_mm_popcnt_u32(thousands & first)) +
                       static_cast<unsigned>(_mm_popcnt_u32(ten_thousands & first))};
  }

 private:
  // Set's units among the 16-bit words a0-3 b0-3 | a4-7 b4-7 that two
  // vectors of eight 32-bit units pack to, a bit for each in unit order.
  template <unit_set Set>
  ZODODE_AVX2_INLINE static unsigned words_in_set(__m256i words) {
    const __m256i in = words16_in_set<Set>(words);
    const __m256i bytes = _mm256_permutevar8x32_epi32(_mm256_packs_epi16(in, in),
                                                      _mm256_setr_epi32(0, 4, 1, 5, 0, 0, 0, 0));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm256_castsi256_si128(bytes)));
  }

  // Set's units among sixteen 16-bit ones, a lane of ones for each. Compared
  // as signed numbers: 0x8000 and above are negative, outside every set.
  template <unit_set Set>
  ZODODE_AVX2_INLINE static __m256i words16_in_set(__m256i v) {
    const __m256i zero = _mm256_setzero_si256();
    __m256i in;
    if constexpr (Set == unit_set::ascii) {
      in = _mm256_cmpeq_epi16(_mm256_and_si256(v, _mm256_set1_epi16(~0x7F)), zero);
    } else {
      in = _mm256_and_si256(
          _mm256_cmpgt_epi16(v, zero),
          _mm256_cmpgt_epi16(_mm256_set1_epi16(Set == unit_set::ascii_but_nul ? 0x80 : 0x100), v));
      if constexpr (Set == unit_set::cp1252_but_nul) {
        in = _mm256_andnot_si256(_mm256_cmpeq_epi16(_mm256_and_si256(v, _mm256_set1_epi16(~0x1F)),
                                                    _mm256_set1_epi16(0x80)),
                                 in);
      }
    }
    return in;
  }

  // The same as a bit for each of sixteen 16-bit units in order.
  template <unit_set Set>
  ZODODE_AVX2_INLINE static unsigned lanes16_in_set(__m256i v) {
    const __m256i in = words16_in_set<Set>(v);
    const __m128i bytes =
        _mm_packs_epi16(_mm256_castsi256_si128(in), _mm256_extracti128_si256(in, 1));
    return static_cast<unsigned>(_mm_movemask_epi8(bytes));
  }

  // A step that stopped inside a block, and the character it stopped at when
  // that one takes three or four bytes: mixed text has them one at a time.
  // Writes up to 4 bytes past what the step wrote.
  ZODODE_AVX2_INLINE static code_step taken_and_one_more(const wchar_t* in, char* out,
                                                         code_step step) {
    if (step.read == kBlock) return step;
    const std::uint32_t u = unit_bits(in[step.read]);
    std::uint32_t bytes;
    std::size_t size;
    if (u - 0x800 < 0xF800 && !is_surrogate(u)) {
      bytes = (0xE0 | u >> 12) | (0x80 | ((u >> 6) & 0x3F)) << 8 | (0x80 | (u & 0x3F)) << 16;
      size = 3;
    } else if (sizeof(wchar_t) == 4 && u - 0x10000 < 0x100000) {
      bytes = (0xF0 | u >> 18) | (0x80 | ((u >> 12) & 0x3F)) << 8 |
              (0x80 | ((u >> 6) & 0x3F)) << 16 | (0x80 | (u & 0x3F)) << 24;
      size = 4;
    } else {
      return step;
    }
    if constexpr (!kLittleEndian) bytes = __builtin_bswap32(bytes);
    std::memcpy(out + step.written, &bytes, 4);
    return {step.read + 1, step.written + size};
  }

  // Two steps of eight_to_utf8, out of line: the loop that calls
  // units_to_utf8 would otherwise set up their constants at every block.
  __attribute__((noinline, target("avx2,popcnt"))) static code_step sixteen_to_utf8(
      const wchar_t* in, char* out) {
    const code_step first = eight_to_utf8(load_units8(in), out);
    if (first.read != 8) return first;
    const code_step second = eight_to_utf8(load_units8(in + 8), out + first.written);
    return {8 + second.read, first.written + second.written};
  }

  // Eight units (32-bit lanes) to UTF-8: the leading ones below 0x10000
  // that are neither NUL nor a surrogate, encoded. Writes up to 28 bytes.
  ZODODE_AVX2_INLINE static code_step eight_to_utf8(__m256i u, char* out) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i from_d800 = _mm256_sub_epi32(u, _mm256_set1_epi32(0xD800));
    const __m256i surrogate =
        _mm256_cmpeq_epi32(_mm256_min_epu32(from_d800, _mm256_set1_epi32(0x7FF)), from_d800);
    const __m256i beyond =
        _mm256_xor_si256(_mm256_cmpeq_epi32(_mm256_min_epu32(u, _mm256_set1_epi32(0xFFFF)), u),
                         _mm256_set1_epi32(-1));
    const __m256i stop =
        _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi32(u, zero), surrogate), beyond);
    const unsigned taken = static_cast<unsigned>(__builtin_ctz(
        static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(stop))) | 0x100u));
    const unsigned valid = (1u << taken) - 1;
    const __m256i two_or_more = _mm256_cmpgt_epi32(u, _mm256_set1_epi32(0x7F));
    const __m256i three = _mm256_cmpgt_epi32(u, _mm256_set1_epi32(0x7FF));
    // Each lane's bytes, first byte lowest.
    const __m256i low6 = _mm256_set1_epi32(0x3F);
    const __m256i trail = _mm256_or_si256(_mm256_and_si256(u, low6), _mm256_set1_epi32(0x80));
    const __m256i middle =
        _mm256_or_si256(_mm256_and_si256(_mm256_srli_epi32(u, 6), low6), _mm256_set1_epi32(0x80));
    const __m256i as_two =
        _mm256_or_si256(_mm256_or_si256(_mm256_srli_epi32(u, 6), _mm256_set1_epi32(0xC0)),
                        _mm256_slli_epi32(trail, 8));
    const __m256i as_three = _mm256_or_si256(
        _mm256_or_si256(_mm256_srli_epi32(u, 12), _mm256_set1_epi32(0xE0)),
        _mm256_or_si256(_mm256_slli_epi32(middle, 8), _mm256_slli_epi32(trail, 16)));
    __m256i bytes = _mm256_blendv_epi8(u, as_two, two_or_more);
    bytes = _mm256_blendv_epi8(bytes, as_three, three);
    // Lengths as two-bit numbers: odd (1 or 3) and two or more.
    const unsigned many =
        static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(two_or_more))) & valid;
    const unsigned most =
        static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(three))) & valid;
    const unsigned odd = valid & ~(many ^ most);
    const unsigned low_index = length_index(odd & 0xF, many & 0xF);
    const unsigned high_index = length_index(odd >> 4, many >> 4);
    const unsigned first_size = avx2_tables::kBytePacks.size[low_index];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                     _mm_shuffle_epi8(_mm256_castsi256_si128(bytes), byte_pack(low_index)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + first_size),
                     _mm_shuffle_epi8(_mm256_extracti128_si256(bytes, 1), byte_pack(high_index)));
    return {taken, first_size + avx2_tables::kBytePacks.size[high_index]};
  }

  // Two slots of rtf_escapes packed by their kinds and written as Char at o,
  // which moves past them. Writes 16 Char.
  template <typename Char>
  ZODODE_AVX2_INLINE static void put_escape_pair(__m128i slots, unsigned kinds, Char*& o) {
    const __m128i bytes = _mm_shuffle_epi8(
        slots,
        _mm_load_si128(reinterpret_cast<const __m128i*>(avx2_tables::kEscapePacks.shuffle[kinds])));
    if constexpr (sizeof(Char) == 1) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o), bytes);
    } else if constexpr (sizeof(Char) == 2) {
      const __m256i units = _mm256_cvtepu8_epi16(bytes);
      store_halves(units, o);
    } else {
      store_halves(_mm256_cvtepu8_epi32(bytes), o);
      store_halves(_mm256_cvtepu8_epi32(_mm_srli_si128(bytes, 8)), o + 8);
    }
    o += avx2_tables::kEscapePacks.size[kinds];
  }

  // The byte-pack index of four lanes from their odd-length and two-or-more bits.
  ZODODE_AVX2_INLINE static unsigned length_index(unsigned odd, unsigned many) {
    return static_cast<unsigned>(avx2_tables::kSpread[odd]) |
           static_cast<unsigned>(avx2_tables::kSpread[many]) << 1;
  }

  // The window at in, whose first n bytes (32 at most) are text. A window of
  // ASCII is widened whole. (Taking a leading run of ASCII alone, so that the
  // next window starts at the sequence, measured slower on text with a few
  // other letters: the branch is then hard to predict.) Any other window is
  // checked for flaws a byte pair at a time (make_window_constants) and for
  // the third and fourth bytes of each sequence; every flaw is seen at the
  // byte where it shows, so the characters before the last start that
  // precedes the first flaw are well formed. Each position is then decoded
  // as if a character started there, and the positions of the characters
  // taken are packed.
  ZODODE_AVX2_INLINE static code_step utf8_window(const unsigned char* in, std::size_t n,
                                                  wchar_t* out) {
    const __m256i v = load32(in);
    if (_mm256_movemask_epi8(v) == 0) {
      sse2_kernels::store_widened(_mm256_castsi256_si128(v), out);
      sse2_kernels::store_widened(_mm256_extracti128_si256(v, 1), out + 16);
      return {n, n};
    }
    // The constants are read through a pointer the compiler cannot see
    // through, as memory operands: built from immediates, as it would
    // otherwise, they cost three instructions each in every window.
    const avx2_tables::window_constants* k = &avx2_tables::kWindowConstants;
    __asm__("" : "+r"(k));
    // The bytes one, two and three places back; none before the window.
    const __m256i back = _mm256_permute2x128_si256(v, v, 0x08);
    const __m256i prev1 = _mm256_alignr_epi8(v, back, 15);
    const __m256i prev2 = _mm256_alignr_epi8(v, back, 14);
    const __m256i prev3 = _mm256_alignr_epi8(v, back, 13);
    const __m256i nibble = load32(k->nibble);
    const __m256i pair_flaws = _mm256_and_si256(
        _mm256_and_si256(
            _mm256_shuffle_epi8(load32(k->first_high),
                                _mm256_and_si256(_mm256_srli_epi16(prev1, 4), nibble)),
            _mm256_shuffle_epi8(load32(k->first_low), _mm256_and_si256(prev1, nibble))),
        _mm256_shuffle_epi8(load32(k->second_high),
                            _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble)));
    // 0x80 where the byte must be a third or fourth byte: that cancels the
    // pair flaw of two continuations, and is a flaw where it is none.
    const __m256i due =
        _mm256_and_si256(_mm256_or_si256(_mm256_subs_epu8(prev2, load32(k->third)),
                                         _mm256_subs_epu8(prev3, load32(k->fourth))),
                         load32(k->top_bit));
    const __m256i flaws = _mm256_xor_si256(pair_flaws, due);
    const unsigned flawed = ~static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_cmpeq_epi8(flaws, _mm256_setzero_si256())));
    // Continuations read as signed are -128..-65; every other byte starts a
    // character (the NULs after a text's end too).
    const unsigned starts =
        static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpgt_epi8(v, load32(k->start))));
    unsigned ends = starts & (n >= kUtf8Window ? ~1u : (2u << n) - 2u);
    if (flawed != 0) ends &= (flawed & (0u - flawed)) - 1u;
    if (ends == 0) return {0, 0};
    const unsigned read = 31u - static_cast<unsigned>(__builtin_clz(ends));
    const unsigned taken = starts & ((1u << read) - 1u);
    // F0-FF read as signed are above -17 and negative.
    const unsigned leads4 = taken & static_cast<unsigned>(_mm256_movemask_epi8(_mm256_and_si256(
                                        v, _mm256_cmpgt_epi8(v, load32(k->lead4)))));
    wchar_t* o = out;
    if (leads4 == 0) {
      o = decode_half<false>(in, taken & 0xFFFF, k, o);
      o = decode_half<false>(in + 16, taken >> 16, k, o);
    } else {
      // With 16-bit units the first continuation of a four-byte sequence
      // holds the low surrogate.
      const unsigned units = sizeof(wchar_t) == 2 ? taken | leads4 << 1 : taken;
      o = decode_half<true>(in, units & 0xFFFF, k, o);
      o = decode_half<true>(in + 16, units >> 16, k, o);
    }
    return {read, static_cast<std::size_t>(o - out)};
  }

  // Sixteen positions from at (reading 19 bytes), each decoded as a
  // character starting there; the ones whose bit is set in keep are written.
  // Four: there may be four-byte sequences among them. In 16-bit lanes, with
  // b0-b3 the bytes from a position and c1-c3 their low six bits,
  // t = b0 << 6 | c1 holds a two-byte character in its low 11 bits, t << 6 | c2
  // a three-byte one, and (t << 6 | c2) << 6 | c3 a four-byte one's low 16.
  template <bool Four>
  ZODODE_AVX2_INLINE static wchar_t* decode_half(const unsigned char* at, unsigned keep,
                                                 const avx2_tables::window_constants* k,
                                                 wchar_t* out) {
    const __m256i b0 = widen16(at);
    const __m256i c1 = _mm256_and_si256(widen16(at + 1), load32(k->low6));
    const __m256i c2 = _mm256_and_si256(widen16(at + 2), load32(k->low6));
    const __m256i t = _mm256_or_si256(_mm256_slli_epi16(b0, 6), c1);
    const __m256i three = _mm256_or_si256(_mm256_slli_epi16(t, 6), c2);
    __m256i units = b0;
    __m256i high = _mm256_setzero_si256();  // bits 16-20, with 32-bit units
    if constexpr (Four && sizeof(wchar_t) == 2) {
      // The low surrogate, at the first continuation: its c1 and c2 are the
      // sequence's c2 and c3.
      const __m256i low_surrogate =
          _mm256_or_si256(_mm256_and_si256(_mm256_slli_epi16(t, 6), load32(k->low10)), c2);
      units = _mm256_blendv_epi8(units, _mm256_or_si256(low_surrogate, load32(k->low_surrogate)),
                                 _mm256_cmpgt_epi16(b0, load32(k->cont)));
    }
    units = _mm256_blendv_epi8(units, _mm256_and_si256(t, load32(k->low11)),
                               _mm256_cmpgt_epi16(b0, load32(k->lead2_16)));
    units = _mm256_blendv_epi8(units, three, _mm256_cmpgt_epi16(b0, load32(k->lead3_16)));
    if constexpr (Four) {
      const __m256i lead4 = _mm256_cmpgt_epi16(b0, load32(k->lead4_16));
      if constexpr (sizeof(wchar_t) == 4) {
        const __m256i c3 = _mm256_and_si256(widen16(at + 3), load32(k->low6));
        units = _mm256_blendv_epi8(units, _mm256_or_si256(_mm256_slli_epi16(three, 6), c3), lead4);
        high = _mm256_and_si256(_mm256_and_si256(_mm256_srli_epi16(t, 4), load32(k->low5)), lead4);
      } else {
        // (code point - 10000) >> 10, plus D800: the lead's three bits, c1
        // and c2's top two.
        const __m256i high_surrogate = _mm256_add_epi16(
            _mm256_or_si256(_mm256_and_si256(_mm256_slli_epi16(t, 2), load32(k->low11)),
                            _mm256_srli_epi16(c2, 4)),
            load32(k->high_surrogate));
        units = _mm256_blendv_epi8(units, high_surrogate, lead4);
      }
    }
    const unsigned low = keep & 0xFF;
    const __m256i order =
        _mm256_inserti128_si256(_mm256_castsi128_si256(lane_pack(low)), lane_pack(keep >> 8), 1);
    const __m256i packed = _mm256_shuffle_epi8(units, order);
    const unsigned first = static_cast<unsigned>(_mm_popcnt_u32(low));
    if constexpr (Four && sizeof(wchar_t) == 4) {
      const __m256i packed_high = _mm256_shuffle_epi8(high, order);
      const __m256i front = _mm256_unpacklo_epi16(packed, packed_high);
      const __m256i back = _mm256_unpackhi_epi16(packed, packed_high);
      store16(out, _mm256_castsi256_si128(front));
      store16(out + 4, _mm256_castsi256_si128(back));
      store16(out + first, _mm256_extracti128_si256(front, 1));
      store16(out + first + 4, _mm256_extracti128_si256(back, 1));
    } else {
      store_units8(_mm256_castsi256_si128(packed), out);
      store_units8(_mm256_extracti128_si256(packed, 1), out + first);
    }
    return out + first + static_cast<unsigned>(_mm_popcnt_u32(keep >> 8));
  }

  // 16 bytes at p as 16-bit lanes.
  ZODODE_AVX2_INLINE static __m256i widen16(const unsigned char* p) {
    return _mm256_cvtepu8_epi16(load16(p));
  }

  ZODODE_AVX2_INLINE static void store16(void* p, __m128i v) {
    _mm_storeu_si128(static_cast<__m128i*>(p), v);
  }

  ZODODE_AVX2_INLINE static __m128i load16(const void* p) {
    return _mm_loadu_si128(static_cast<const __m128i*>(p));
  }
  ZODODE_AVX2_INLINE static __m256i load32(const void* p) {
    return _mm256_loadu_si256(static_cast<const __m256i*>(p));
  }

  // The length of the leading run given a mask with a bit set for each unit
  // outside it.
  ZODODE_AVX2_INLINE static std::size_t run_before(unsigned outside) {
    return static_cast<std::size_t>(__builtin_ctz(outside | 0x10000u));
  }

  ZODODE_AVX2_INLINE static __m128i lane_pack(unsigned mask) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(avx2_tables::kLanePacks.shuffle[mask]));
  }
  ZODODE_AVX2_INLINE static __m128i pair_pack(unsigned index) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(avx2_tables::kPairPacks.shuffle[index]));
  }
  ZODODE_AVX2_INLINE static __m128i byte_pack(unsigned index) {
    return _mm_load_si128(reinterpret_cast<const __m128i*>(avx2_tables::kBytePacks.shuffle[index]));
  }

  // Eight units at in, zero-extended to 32 bits.
  ZODODE_AVX2_INLINE static __m256i load_units8(const wchar_t* in) {
    if constexpr (sizeof(wchar_t) == 4) {
      return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in));
    } else {
      return _mm256_cvtepu16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in)));
    }
  }

  // Eight 16-bit values as eight units.
  ZODODE_AVX2_INLINE static void store_units8(__m128i values, wchar_t* out) {
    if constexpr (sizeof(wchar_t) == 4) {
      store_halves(_mm256_cvtepu16_epi32(values), out);
    } else {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out), values);
    }
  }

  // 32 bytes as two 16-byte stores: the writer advances by any number of
  // units, and a 32-byte store that straddles a cache line costs more than two
  // that need not.
  ZODODE_AVX2_INLINE static void store_halves(__m256i v, void* out) {
    _mm_storeu_si128(static_cast<__m128i*>(out), _mm256_castsi256_si128(v));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(static_cast<char*>(out) + 16),
                     _mm256_extracti128_si256(v, 1));
  }
};

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_KERNELS_AVX2_H
