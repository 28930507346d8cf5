// Runs of text that a conversion passes one for one: ASCII bytes widened to
// units, units narrowed to bytes, and the same for the Windows-1252 bytes
// that are their own code point. Each function handles the leading run of its
// input and returns its length; the caller takes over at the first unit
// outside the run with its own per-character rules.
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

inline bool in_set(std::uint32_t u, unit_set set) {
  switch (set) {
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

// Widens the leading bytes below 0x80 (ascii) or outside 0x80-0x9F (!ascii).
inline std::size_t widen_run(const unsigned char* in, std::size_t n, wchar_t* out, bool ascii) {
  std::size_t i = 0;
  for (; i < n && (ascii ? in[i] < 0x80 : latin1_self(in[i])); ++i) out[i] = in[i];
  return i;
}

// Length of the leading run of bytes below 0x80.
inline std::size_t ascii_bytes(const unsigned char* in, std::size_t n) {
  std::size_t i = 0;
  while (i < n && in[i] < 0x80) ++i;
  return i;
}

// Narrows the leading units in set to bytes.
inline std::size_t narrow_run(const wchar_t* in, std::size_t n, char* out, unit_set set) {
  std::size_t i = 0;
  for (; i < n && in_set(unit_bits(in[i]), set); ++i) out[i] = static_cast<char>(in[i]);
  return i;
}

// Copies the leading units in set (wide to wide).
inline std::size_t copy_run(const wchar_t* in, std::size_t n, wchar_t* out, unit_set set) {
  std::size_t i = 0;
  for (; i < n && in_set(unit_bits(in[i]), set); ++i) out[i] = in[i];
  return i;
}

// Length of the leading run of units in set.
inline std::size_t unit_run(const wchar_t* in, std::size_t n, unit_set set) {
  std::size_t i = 0;
  while (i < n && in_set(unit_bits(in[i]), set)) ++i;
  return i;
}

}  // namespace portable

#if defined(ZODODE_SSE2)
namespace sse2 {

inline __m128i load16(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }

inline void store16(void* p, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }

// Stores 16 bytes as 16 wchar_t units, zero-extended.
inline void store_widened(__m128i bytes, wchar_t* out) {
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

// Bytes 0x80-0x9F read as signed are -128..-97.
inline bool block_widens(__m128i bytes, bool ascii) {
  const __m128i bad = ascii ? bytes : _mm_cmplt_epi8(bytes, _mm_set1_epi8(-96));
  return _mm_movemask_epi8(bad) == 0;
}

inline std::size_t widen_run(const unsigned char* in, std::size_t n, wchar_t* out, bool ascii) {
  std::size_t i = 0;
  for (; n - i >= 16; i += 16) {
    const __m128i bytes = load16(in + i);
    if (!block_widens(bytes, ascii)) break;
    store_widened(bytes, out + i);
  }
  return i + portable::widen_run(in + i, n - i, out + i, ascii);
}

inline std::size_t ascii_bytes(const unsigned char* in, std::size_t n) {
  std::size_t i = 0;
  for (; n - i >= 16; i += 16) {
    const int high = _mm_movemask_epi8(load16(in + i));
    if (high != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(high)));
  }
  return i + portable::ascii_bytes(in + i, n - i);
}

// 32-bit lanes compared as unsigned numbers: flip the sign bits, compare signed.
inline __m128i below(__m128i v, std::uint32_t limit) {
  const __m128i flip = _mm_set1_epi32(INT32_MIN);
  return _mm_cmplt_epi32(_mm_xor_si128(v, flip),
                         _mm_xor_si128(_mm_set1_epi32(static_cast<int>(limit)), flip));
}

// Lanes of v (32-bit units) that lie in set.
inline __m128i lanes_in_set(__m128i v, unit_set set) {
  switch (set) {
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

// True when all 16 units at in lie in set; a[] receives them as 4 vectors.
inline bool block_in_set(const wchar_t* in, unit_set set, __m128i (&a)[4]) {
  __m128i all = _mm_set1_epi32(-1);
  for (int k = 0; k < 4; ++k) {
    a[k] = load16(in + 4 * k);
    all = _mm_and_si128(all, lanes_in_set(a[k], set));
  }
  return _mm_movemask_epi8(all) == 0xFFFF;
}

// The vector forms work on 32-bit wchar_t; 16-bit wchar_t (Windows) takes the
// portable loops.
inline std::size_t narrow_run(const wchar_t* in, std::size_t n, char* out, unit_set set) {
  std::size_t i = 0;
  if constexpr (sizeof(wchar_t) == 4) {
    __m128i a[4];
    for (; n - i >= 16 && block_in_set(in + i, set, a); i += 16) {
      // Every lane is below 0x100: both packs keep the values.
      const __m128i low = _mm_packs_epi32(a[0], a[1]);
      const __m128i high = _mm_packs_epi32(a[2], a[3]);
      store16(out + i, _mm_packus_epi16(low, high));
    }
  }
  return i + portable::narrow_run(in + i, n - i, out + i, set);
}

inline std::size_t copy_run(const wchar_t* in, std::size_t n, wchar_t* out, unit_set set) {
  std::size_t i = 0;
  if constexpr (sizeof(wchar_t) == 4) {
    __m128i a[4];
    for (; n - i >= 16 && block_in_set(in + i, set, a); i += 16) {
      for (int k = 0; k < 4; ++k) store16(out + i + 4 * k, a[k]);
    }
  }
  return i + portable::copy_run(in + i, n - i, out + i, set);
}

inline std::size_t unit_run(const wchar_t* in, std::size_t n, unit_set set) {
  std::size_t i = 0;
  if constexpr (sizeof(wchar_t) == 4) {
    __m128i a[4];
    while (n - i >= 16 && block_in_set(in + i, set, a)) i += 16;
  }
  return i + portable::unit_run(in + i, n - i, set);
}

}  // namespace sse2
#endif  // ZODODE_SSE2

// The entry points, by path. Only the portable path exists without SSE2.
template <run_path P = kRunPath>
std::size_t widen_ascii_run(const unsigned char* in, std::size_t n, wchar_t* out) {
#if defined(ZODODE_SSE2)
  if constexpr (P == run_path::sse2) return sse2::widen_run(in, n, out, true);
#endif
  return portable::widen_run(in, n, out, true);
}

template <run_path P = kRunPath>
std::size_t widen_latin1_run(const unsigned char* in, std::size_t n, wchar_t* out) {
#if defined(ZODODE_SSE2)
  if constexpr (P == run_path::sse2) return sse2::widen_run(in, n, out, false);
#endif
  return portable::widen_run(in, n, out, false);
}

template <run_path P = kRunPath>
std::size_t ascii_byte_run(const unsigned char* in, std::size_t n) {
#if defined(ZODODE_SSE2)
  if constexpr (P == run_path::sse2) return sse2::ascii_bytes(in, n);
#endif
  return portable::ascii_bytes(in, n);
}

template <run_path P = kRunPath>
std::size_t narrow_unit_run(const wchar_t* in, std::size_t n, char* out, unit_set set) {
#if defined(ZODODE_SSE2)
  if constexpr (P == run_path::sse2) return sse2::narrow_run(in, n, out, set);
#endif
  return portable::narrow_run(in, n, out, set);
}

template <run_path P = kRunPath>
std::size_t copy_unit_run(const wchar_t* in, std::size_t n, wchar_t* out, unit_set set) {
#if defined(ZODODE_SSE2)
  if constexpr (P == run_path::sse2) return sse2::copy_run(in, n, out, set);
#endif
  return portable::copy_run(in, n, out, set);
}

template <run_path P = kRunPath>
std::size_t unit_run_length(const wchar_t* in, std::size_t n, unit_set set) {
#if defined(ZODODE_SSE2)
  if constexpr (P == run_path::sse2) return sse2::unit_run(in, n, set);
#endif
  return portable::unit_run(in, n, set);
}

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_UNIT_RUNS_H
