// Runs of text that a conversion passes one for one: ASCII bytes widened to
// units, units narrowed to bytes, and the same for the Windows-1252 bytes
// that are their own code point. A block function converts a block of 16
// units and returns the length of its leading run (16 when the whole block
// is one); the caller takes over at the first unit outside the run with its
// own per-character rules. Past the run a block function may leave any value
// in the rest of its 16 output units, which the caller then overwrites.
//
// Two implementations give identical results: the portable loops, which are
// the reference, and SSE2 loops that test and move 16 units at a time (x86-64
// always has SSE2). The vector form is the default where the compiler targets
// SSE2; ZODODE_NO_SIMD (CMake ZODODE_PORTABLE_ONLY) forces the portable one,
// and tests call both forms by name to compare them.
#ifndef ZODODE_ENCODING_UNIT_RUNS_H
#define ZODODE_ENCODING_UNIT_RUNS_H

#include <cstddef>
#include <cstdint>
#include <type_traits>

#if defined(__SSE2__) && !defined(ZODODE_NO_SIMD)
#define ZODODE_SSE2 1
#include <emmintrin.h>
#endif

// The per-character steps of the hot loops must be inlined whatever the
// optimisation level; at -O2 GCC otherwise calls them once per character.
#if defined(__GNUC__)
#define ZODODE_ALWAYS_INLINE inline __attribute__((always_inline))
#else
#define ZODODE_ALWAYS_INLINE inline
#endif

namespace zodode::detail {

enum class run_path { portable, sse2 };

#if defined(ZODODE_SSE2)
inline constexpr run_path kRunPath = run_path::sse2;
#else
inline constexpr run_path kRunPath = run_path::portable;
#endif

// Which units a run of wide text may hold.
enum class unit_set {
  ascii,           // 0x00-0x7F
  ascii_but_nul,   // 0x01-0x7F: a NUL ends the text
  latin1_but_nul,  // 0x01-0x7F and 0xA0-0xFF: Windows-1252's own code points
};

inline std::uint32_t unit_bits(wchar_t c) { return static_cast<std::make_unsigned_t<wchar_t>>(c); }

template <unit_set Set>
inline bool in_set(std::uint32_t u) {
  switch (Set) {
    case unit_set::ascii:
      return u < 0x80;
    case unit_set::ascii_but_nul:
      return u - 1 < 0x7F;
    case unit_set::latin1_but_nul:
      return u - 1 < 0x7F || u - 0xA0 < 0x60;
  }
  return false;
}

// Windows-1252 bytes 0x80-0x9F are the ones that are not their own code point.
inline bool latin1_self(unsigned char b) { return b - 0x80u >= 0x20u; }

namespace portable {

inline constexpr std::size_t kBlock = 16;

template <bool Ascii>
inline bool in_byte_run(unsigned char b) {
  return Ascii ? b < 0x80 : latin1_self(b);
}

// Widens the leading bytes below 0x80 (ascii) or outside 0x80-0x9F (!ascii).
template <bool Ascii>
inline std::size_t widen_block(const unsigned char* in, wchar_t* out) {
  std::size_t i = 0;
  for (; i < kBlock && in_byte_run<Ascii>(in[i]); ++i) out[i] = in[i];
  return i;
}

// Narrows the leading units in set to bytes.
template <unit_set Set>
inline std::size_t narrow_block(const wchar_t* in, char* out) {
  std::size_t i = 0;
  for (; i < kBlock && in_set<Set>(unit_bits(in[i])); ++i) out[i] = static_cast<char>(in[i]);
  return i;
}

// Copies the leading units in set (wide to wide).
template <unit_set Set>
inline std::size_t copy_block(const wchar_t* in, wchar_t* out) {
  std::size_t i = 0;
  for (; i < kBlock && in_set<Set>(unit_bits(in[i])); ++i) out[i] = in[i];
  return i;
}

// Length of the leading run of units in set, over any length.
template <unit_set Set>
inline std::size_t unit_run(const wchar_t* in, std::size_t n) {
  std::size_t i = 0;
  while (i < n && in_set<Set>(unit_bits(in[i]))) ++i;
  return i;
}

// Bytes that are not UTF-8 continuation bytes (80-BF): in well-formed text,
// one for each character.
inline std::size_t utf8_lead_count(const unsigned char* in, std::size_t n) {
  std::size_t leads = 0;
  for (std::size_t i = 0; i < n; ++i) leads += (in[i] & 0xC0) != 0x80;
  return leads;
}

}  // namespace portable

#if defined(ZODODE_SSE2)
namespace sse2 {

ZODODE_ALWAYS_INLINE __m128i load16(const void* p) {
  return _mm_loadu_si128(static_cast<const __m128i*>(p));
}

ZODODE_ALWAYS_INLINE void store16(void* p, __m128i v) {
  _mm_storeu_si128(static_cast<__m128i*>(p), v);
}

// Stores 16 bytes as 16 wchar_t units, zero-extended.
ZODODE_ALWAYS_INLINE void store_widened(__m128i bytes, wchar_t* out) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i low = _mm_unpacklo_epi8(bytes, zero);
  const __m128i high = _mm_unpackhi_epi8(bytes, zero);
  if constexpr (sizeof(wchar_t) == 2) {
    store16(out, low);
    store16(out + 8, high);
  } else {
    store16(out, _mm_unpacklo_epi16(low, zero));
    store16(out + 4, _mm_unpackhi_epi16(low, zero));
    store16(out + 8, _mm_unpacklo_epi16(high, zero));
    store16(out + 12, _mm_unpackhi_epi16(high, zero));
  }
}

// The length of the leading run given a mask with a bit set for each unit
// outside it.
ZODODE_ALWAYS_INLINE std::size_t run_before(int outside) {
  return outside == 0 ? 16
                      : static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(outside)));
}

// Bytes 0x80-0x9F read as signed are -128..-97.
template <bool Ascii>
ZODODE_ALWAYS_INLINE std::size_t widen_block(const unsigned char* in, wchar_t* out) {
  const __m128i bytes = load16(in);
  store_widened(bytes, out);
  return run_before(_mm_movemask_epi8(Ascii ? bytes : _mm_cmplt_epi8(bytes, _mm_set1_epi8(-96))));
}

// 32-bit lanes compared as unsigned numbers: flip the sign bits, compare signed.
ZODODE_ALWAYS_INLINE __m128i below(__m128i v, std::uint32_t limit) {
  const __m128i flip = _mm_set1_epi32(INT32_MIN);
  return _mm_cmplt_epi32(_mm_xor_si128(v, flip),
                         _mm_xor_si128(_mm_set1_epi32(static_cast<int>(limit)), flip));
}

// Lanes of v (32-bit units) that lie in set.
template <unit_set Set>
ZODODE_ALWAYS_INLINE __m128i lanes_in_set(__m128i v) {
  switch (Set) {
    case unit_set::ascii:
      return below(v, 0x80);
    case unit_set::ascii_but_nul:
      return below(_mm_sub_epi32(v, _mm_set1_epi32(1)), 0x7F);
    case unit_set::latin1_but_nul:
      return _mm_or_si128(below(_mm_sub_epi32(v, _mm_set1_epi32(1)), 0x7F),
                          below(_mm_sub_epi32(v, _mm_set1_epi32(0xA0)), 0x60));
  }
  return _mm_setzero_si128();
}

// 16 wide units as four vectors of four, named rather than in an array so
// that they stay in registers at every optimisation level.
struct units16 {
  __m128i a, b, c, d;
};

ZODODE_ALWAYS_INLINE units16 load_units16(const wchar_t* in) {
  return {load16(in), load16(in + 4), load16(in + 8), load16(in + 12)};
}

// A mask with a bit set for each unit outside Set. Both packs keep the
// all-ones and zero lanes of the compares.
template <unit_set Set>
ZODODE_ALWAYS_INLINE int outside_set(const units16& u) {
  const __m128i low = _mm_packs_epi32(lanes_in_set<Set>(u.a), lanes_in_set<Set>(u.b));
  const __m128i high = _mm_packs_epi32(lanes_in_set<Set>(u.c), lanes_in_set<Set>(u.d));
  return ~_mm_movemask_epi8(_mm_packs_epi16(low, high)) & 0xFFFF;
}

// The vector forms of the wide blocks work on 32-bit wchar_t; 16-bit wchar_t
// (Windows) takes the portable loops. Lanes outside the run narrow to
// whatever the saturating packs make of them.
template <unit_set Set>
ZODODE_ALWAYS_INLINE std::size_t narrow_block(const wchar_t* in, char* out) {
  if constexpr (sizeof(wchar_t) == 4) {
    const units16 u = load_units16(in);
    const __m128i low = _mm_packs_epi32(u.a, u.b);
    const __m128i high = _mm_packs_epi32(u.c, u.d);
    store16(out, _mm_packus_epi16(low, high));
    return run_before(outside_set<Set>(u));
  } else {
    return portable::narrow_block<Set>(in, out);
  }
}

template <unit_set Set>
ZODODE_ALWAYS_INLINE std::size_t copy_block(const wchar_t* in, wchar_t* out) {
  if constexpr (sizeof(wchar_t) == 4) {
    const units16 u = load_units16(in);
    store16(out, u.a);
    store16(out + 4, u.b);
    store16(out + 8, u.c);
    store16(out + 12, u.d);
    return run_before(outside_set<Set>(u));
  } else {
    return portable::copy_block<Set>(in, out);
  }
}

template <unit_set Set>
inline std::size_t unit_run(const wchar_t* in, std::size_t n) {
  std::size_t i = 0;
  if constexpr (sizeof(wchar_t) == 4) {
    for (; n - i >= 16; i += 16) {
      const int outside = outside_set<Set>(load_units16(in + i));
      if (outside != 0) return i + run_before(outside);
    }
  }
  return i + portable::unit_run<Set>(in + i, n - i);
}

// Continuation bytes read as signed are -128..-65. A byte counter per lane
// holds up to 255 blocks before it is summed.
inline std::size_t utf8_lead_count(const unsigned char* in, std::size_t n) {
  std::size_t continuations = 0;
  std::size_t i = 0;
  while (n - i >= 16) {
    const std::size_t blocks = (n - i) / 16 < 255 ? (n - i) / 16 : 255;
    __m128i counts = _mm_setzero_si128();
    for (std::size_t b = 0; b < blocks; ++b, i += 16) {
      counts = _mm_sub_epi8(counts, _mm_cmplt_epi8(load16(in + i), _mm_set1_epi8(-64)));
    }
    const __m128i sums = _mm_sad_epu8(counts, _mm_setzero_si128());
    continuations += static_cast<std::size_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
  }
  return i - continuations + portable::utf8_lead_count(in + i, n - i);
}

}  // namespace sse2
#endif  // ZODODE_SSE2

// The entry points, by path. Only the portable path exists without SSE2,
// and the sse2 names then lead to it. Blocks need 16 readable units at in and
// 16 writable ones at out.
template <run_path P = kRunPath>
ZODODE_ALWAYS_INLINE std::size_t widen_ascii_block(const unsigned char* in, wchar_t* out) {
#if defined(ZODODE_SSE2)
  if constexpr (P == run_path::sse2) return sse2::widen_block<true>(in, out);
#endif
  return portable::widen_block<true>(in, out);
}

template <run_path P = kRunPath>
ZODODE_ALWAYS_INLINE std::size_t widen_latin1_block(const unsigned char* in, wchar_t* out) {
#if defined(ZODODE_SSE2)
  if constexpr (P == run_path::sse2) return sse2::widen_block<false>(in, out);
#endif
  return portable::widen_block<false>(in, out);
}

template <unit_set Set, run_path P = kRunPath>
ZODODE_ALWAYS_INLINE std::size_t narrow_unit_block(const wchar_t* in, char* out) {
#if defined(ZODODE_SSE2)
  if constexpr (P == run_path::sse2) return sse2::narrow_block<Set>(in, out);
#endif
  return portable::narrow_block<Set>(in, out);
}

template <unit_set Set, run_path P = kRunPath>
ZODODE_ALWAYS_INLINE std::size_t copy_unit_block(const wchar_t* in, wchar_t* out) {
#if defined(ZODODE_SSE2)
  if constexpr (P == run_path::sse2) return sse2::copy_block<Set>(in, out);
#endif
  return portable::copy_block<Set>(in, out);
}

template <unit_set Set, run_path P = kRunPath>
std::size_t unit_run_length(const wchar_t* in, std::size_t n) {
#if defined(ZODODE_SSE2)
  if constexpr (P == run_path::sse2) return sse2::unit_run<Set>(in, n);
#endif
  return portable::unit_run<Set>(in, n);
}

template <run_path P = kRunPath>
std::size_t utf8_lead_count(const unsigned char* in, std::size_t n) {
#if defined(ZODODE_SSE2)
  if constexpr (P == run_path::sse2) return sse2::utf8_lead_count(in, n);
#endif
  return portable::utf8_lead_count(in, n);
}

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_UNIT_RUNS_H
