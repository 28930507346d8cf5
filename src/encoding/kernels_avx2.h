// The AVX2 kernel set, chosen at run time on processors that have AVX2 and
// POPCNT (see kernels.h for the contract). Beyond the runs of the other sets
// it decodes and encodes whole blocks of UTF-8 with two- and three-byte
// sequences, and maps Windows-1252's bytes 80-9F inside a block.
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

  // Bytes 80-9F are mapped in the block too: the whole block is converted.
  ZODODE_AVX2_INLINE static std::size_t widen_cp1252(const unsigned char* in, wchar_t* out) {
    const __m128i bytes = load16(in);
    const __m128i mapped = _mm_cmplt_epi8(bytes, _mm_set1_epi8(-96));  // 80-9F read as signed
    if (_mm_movemask_epi8(mapped) == 0) {
      sse2_kernels::store_widened(bytes, out);
      return kBlock;
    }
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
    return kBlock;
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
        // A block of ASCII, nearly every one in Western text, by one maximum.
        if (all_ascii_but_nul(a, b)) {
          _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                           _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(
                               _mm256_packus_epi16(words, words), in_order)));
          return kBlock;
        }
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
      const __m256i a = load32(in);
      const __m256i b = load32(in + 8);
      if constexpr (Set == unit_set::ascii) {  // a block of ASCII by one maximum
        if (_mm256_testz_si256(_mm256_max_epu32(a, b), _mm256_set1_epi32(~0x7F))) {
          store_halves(a, out);
          store_halves(b, out + 8);
          return kBlock;
        }
      }
      store_halves(a, out);
      store_halves(b, out + 8);
      return run_before(~words_in_set<Set>(_mm256_packs_epi32(a, b)));
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

  // The SSE2 count keeps up with memory already.
  static std::size_t utf8_lead_count(const unsigned char* in, std::size_t n) {
    return sse2_kernels::utf8_lead_count(in, n);
  }

  // A block of UTF-8: the leading characters that lie wholly in the 16 bytes
  // at in and are ASCII or well-formed two- and three-byte sequences, decoded.
  ZODODE_AVX2_INLINE static code_step utf8_to_units(const unsigned char* in, wchar_t* out) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    if (_mm_movemask_epi8(v) == 0) {
      sse2_kernels::store_widened(v, out);
      return {kBlock, kBlock};
    }
    // Read as signed bytes: 80-BF are -128..-65, C2-DF -62..-33, E0-EF -32..-17.
    const __m128i cont = _mm_cmplt_epi8(v, _mm_set1_epi8(-64));
    const __m128i lead2 =
        _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(-63)), _mm_cmplt_epi8(v, _mm_set1_epi8(-32)));
    const __m128i lead3 =
        _mm_and_si128(_mm_cmpgt_epi8(v, _mm_set1_epi8(-33)), _mm_cmplt_epi8(v, _mm_set1_epi8(-16)));
    // Five three-byte characters, the common block of ideographs and kana:
    // E1-EC or EE-EF leads (E0 and ED have narrowed second bytes) at 0, 3, 6,
    // 9 and 12, continuations between them.
    constexpr unsigned kLeads5 = 0x1249;
    constexpr unsigned kTrails5 = 0x36DB;
    const unsigned lead3_mask = static_cast<unsigned>(_mm_movemask_epi8(lead3));
    const unsigned cont_mask = static_cast<unsigned>(_mm_movemask_epi8(cont));
    if ((lead3_mask & 0x7FFF) == kLeads5 && (cont_mask & 0x7FFF) == kTrails5) {
      const __m128i narrowed = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(-32)),   // E0
                                            _mm_cmpeq_epi8(v, _mm_set1_epi8(-19)));  // ED
      if (_mm_movemask_epi8(narrowed) == 0) return five_three_byte(v, out);
    }
    const __m128i lead = _mm_or_si128(lead2, lead3);
    const __m128i ascii = _mm_cmpgt_epi8(v, _mm_set1_epi8(-1));
    // Everything else (C0, C1, F0-FF) and every flaw stops the block before
    // the character it touches: a continuation no lead claims, a lead without
    // its continuations in the block, E0 80-9F (overlong), ED A0-BF (surrogate).
    const __m128i other =
        _mm_xor_si128(_mm_or_si128(_mm_or_si128(ascii, cont), lead), _mm_set1_epi8(-1));
    const __m128i claimed = _mm_or_si128(_mm_slli_si128(lead, 1), _mm_slli_si128(lead3, 2));
    const __m128i stray = _mm_andnot_si128(claimed, cont);
    const __m128i cut = _mm_or_si128(_mm_andnot_si128(_mm_srli_si128(cont, 1), lead),
                                     _mm_andnot_si128(_mm_srli_si128(cont, 2), lead3));
    const __m128i second = _mm_srli_si128(v, 1);
    const __m128i outside = _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(-32)),  // E0
                                                       _mm_cmplt_epi8(second, _mm_set1_epi8(-96))),
                                         _mm_and_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(-19)),  // ED
                                                       _mm_cmpgt_epi8(second, _mm_set1_epi8(-97))));
    const __m128i flaws = _mm_or_si128(_mm_or_si128(other, stray), _mm_or_si128(cut, outside));
    const unsigned read = static_cast<unsigned>(
        __builtin_ctz(static_cast<unsigned>(_mm_movemask_epi8(flaws)) | 0x10000u));
    const unsigned starts = ~static_cast<unsigned>(_mm_movemask_epi8(cont)) & ((1u << read) - 1);

    // The code point at every position, as if a character started there.
    const __m256i b0 = _mm256_cvtepu8_epi16(v);
    const __m256i b1 = _mm256_cvtepu8_epi16(second);
    const __m256i b2 = _mm256_cvtepu8_epi16(_mm_srli_si128(v, 2));
    const __m256i low6 = _mm256_set1_epi16(0x3F);
    const __m256i last1 = _mm256_and_si256(b1, low6);
    const __m256i two =
        _mm256_or_si256(_mm256_slli_epi16(_mm256_and_si256(b0, _mm256_set1_epi16(0x1F)), 6), last1);
    const __m256i three =
        _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi16(b0, 12), _mm256_slli_epi16(last1, 6)),
                        _mm256_and_si256(b2, low6));
    __m256i points = _mm256_blendv_epi8(b0, two, _mm256_cvtepi8_epi16(lead2));
    points = _mm256_blendv_epi8(points, three, _mm256_cvtepi8_epi16(lead3));

    // The code points of the character starts, packed.
    const unsigned low = starts & 0xFF;
    const unsigned high = starts >> 8;
    const __m128i first = _mm_shuffle_epi8(_mm256_castsi256_si128(points), lane_pack(low));
    const __m128i rest = _mm_shuffle_epi8(_mm256_extracti128_si256(points, 1), lane_pack(high));
    const unsigned first_count = static_cast<unsigned>(_mm_popcnt_u32(low));
    store_units8(first, out);
    store_units8(rest, out + first_count);
    return {read, first_count + static_cast<unsigned>(_mm_popcnt_u32(high))};
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
  // Out of line: its constants would otherwise be set up at every block of
  // the loop that calls it.
  template <typename Char, unit_set Set>
  __attribute__((noinline, target("avx2,popcnt"))) static code_step rtf_escapes(const wchar_t* in,
                                                                                Char* out) {
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
  // True when the 16 units of a and b lie in 01-7F.
  ZODODE_AVX2_INLINE static bool all_ascii_but_nul(__m256i a, __m256i b) {
    // u - 1 below 0x7F: NUL wraps to the largest number.
    const __m256i one = _mm256_set1_epi32(1);
    const __m256i top = _mm256_max_epu32(_mm256_sub_epi32(a, one), _mm256_sub_epi32(b, one));
    return _mm256_testz_si256(top, _mm256_set1_epi32(~0x7F)) != 0 &&
           _mm256_testz_si256(_mm256_add_epi32(top, one), _mm256_set1_epi32(~0x7F)) != 0;
  }

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

  // The five characters of bytes 0-14, three bytes each: each 32-bit lane
  // gets b2 | b1 << 8 | b0 << 16 of its character, whose bits are then put
  // in place.
  ZODODE_AVX2_INLINE static code_step five_three_byte(__m128i v, wchar_t* out) {
    const __m256i both = _mm256_broadcastsi128_si256(v);
    const __m256i lanes = _mm256_shuffle_epi8(
        both, _mm256_setr_epi8(2, 1, 0, -1, 5, 4, 3, -1, 8, 7, 6, -1, 11, 10, 9, -1,  //
                               14, 13, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1));
    const __m256i points = _mm256_or_si256(
        _mm256_and_si256(lanes, _mm256_set1_epi32(0x3F)),
        _mm256_or_si256(_mm256_and_si256(_mm256_srli_epi32(lanes, 2), _mm256_set1_epi32(0xFC0)),
                        _mm256_and_si256(_mm256_srli_epi32(lanes, 4), _mm256_set1_epi32(0xF000))));
    if constexpr (sizeof(wchar_t) == 4) {
      store_halves(points, out);
    } else {
      const __m256i words = _mm256_packus_epi32(points, points);  // per 128-bit half
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                       _mm256_castsi256_si128(_mm256_permute4x64_epi64(words, 0x08)));
    }
    return {15, 5};
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
