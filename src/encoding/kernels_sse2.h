// The SSE2 kernel set: 16 units tested and moved at a time (x86-64 always has
// SSE2). The wide blocks are vectorised for 32-bit wchar_t; with 16-bit
// wchar_t (Windows) they are the scalar loops. See kernels.h for the contract.
#ifndef ZODODE_ENCODING_KERNELS_SSE2_H
#define ZODODE_ENCODING_KERNELS_SSE2_H

// Included by kernels.h, after the names it uses.
#include <emmintrin.h>

#include <cstddef>
#include <cstdint>

#define ZODODE_KERNELS_SSE2 1

namespace zodode::detail {

struct sse2_kernels {
  static constexpr bool whole_sequences = false;
  static bool usable() { return true; }

  ZODODE_ALWAYS_INLINE static std::size_t widen_ascii(const unsigned char* in, wchar_t* out) {
    const __m128i bytes = load16(in);
    store_widened(bytes, out);
    return run_before(_mm_movemask_epi8(bytes));
  }

  // Bytes 0x80-0x9F read as signed are -128..-97.
  ZODODE_ALWAYS_INLINE static std::size_t widen_cp1252(const unsigned char* in, wchar_t* out) {
    const __m128i bytes = load16(in);
    store_widened(bytes, out);
    return run_before(_mm_movemask_epi8(_mm_cmplt_epi8(bytes, _mm_set1_epi8(-96))));
  }

  // Lanes outside the run narrow to whatever the saturating packs make of them.
  template <unit_set Set>
  ZODODE_ALWAYS_INLINE static std::size_t narrow(const wchar_t* in, char* out) {
    if constexpr (sizeof(wchar_t) == 4) {
      const units16 u = load_units16(in);
      const __m128i low = _mm_packs_epi32(u.a, u.b);
      const __m128i high = _mm_packs_epi32(u.c, u.d);
      store16(out, _mm_packus_epi16(low, high));
      return run_before(outside_set<Set>(u));
    } else {
      return scalar_kernels::narrow<Set>(in, out);
    }
  }

  template <unit_set Set>
  ZODODE_ALWAYS_INLINE static std::size_t copy(const wchar_t* in, wchar_t* out) {
    if constexpr (sizeof(wchar_t) == 4) {
      const units16 u = load_units16(in);
      store16(out, u.a);
      store16(out + 4, u.b);
      store16(out + 8, u.c);
      store16(out + 12, u.d);
      return run_before(outside_set<Set>(u));
    } else {
      return scalar_kernels::copy<Set>(in, out);
    }
  }

  ZODODE_ALWAYS_INLINE static void widen_eight(std::uint64_t bytes, wchar_t* out) {
    if constexpr (sizeof(wchar_t) == 4) {
      const __m128i zero = _mm_setzero_si128();
      const __m128i words =
          _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(&bytes)), zero);
      store16(out, _mm_unpacklo_epi16(words, zero));
      store16(out + 4, _mm_unpackhi_epi16(words, zero));
    } else {
      scalar_kernels::widen_eight(bytes, out);
    }
  }

  // Stores 16 bytes as 16 wchar_t units, zero-extended.
  ZODODE_ALWAYS_INLINE static void store_widened(__m128i bytes, wchar_t* out) {
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

 private:
  ZODODE_ALWAYS_INLINE static __m128i load16(const void* p) {
    return _mm_loadu_si128(static_cast<const __m128i*>(p));
  }

  ZODODE_ALWAYS_INLINE static void store16(void* p, __m128i v) {
    _mm_storeu_si128(static_cast<__m128i*>(p), v);
  }

  // The length of the leading run given a mask with a bit set for each unit
  // outside it.
  ZODODE_ALWAYS_INLINE static std::size_t run_before(int outside) {
    return outside == 0 ? 16
                        : static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(outside)));
  }

  // 32-bit lanes compared as unsigned numbers: flip the sign bits, compare signed.
  ZODODE_ALWAYS_INLINE static __m128i below(__m128i v, std::uint32_t limit) {
    const __m128i flip = _mm_set1_epi32(INT32_MIN);
    return _mm_cmplt_epi32(_mm_xor_si128(v, flip),
                           _mm_xor_si128(_mm_set1_epi32(static_cast<int>(limit)), flip));
  }

  // Lanes of v (32-bit units) that lie in set.
  template <unit_set Set>
  ZODODE_ALWAYS_INLINE static __m128i lanes_in_set(__m128i v) {
    switch (Set) {
      case unit_set::ascii:
        return below(v, 0x80);
      case unit_set::ascii_but_nul:
        return below(_mm_sub_epi32(v, _mm_set1_epi32(1)), 0x7F);
      case unit_set::cp1252_but_nul:
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

  ZODODE_ALWAYS_INLINE static units16 load_units16(const wchar_t* in) {
    return {load16(in), load16(in + 4), load16(in + 8), load16(in + 12)};
  }

  // A mask with a bit set for each unit outside Set. Both packs keep the
  // all-ones and zero lanes of the compares.
  template <unit_set Set>
  ZODODE_ALWAYS_INLINE static int outside_set(const units16& u) {
    const __m128i low = _mm_packs_epi32(lanes_in_set<Set>(u.a), lanes_in_set<Set>(u.b));
    const __m128i high = _mm_packs_epi32(lanes_in_set<Set>(u.c), lanes_in_set<Set>(u.d));
    return ~_mm_movemask_epi8(_mm_packs_epi16(low, high)) & 0xFFFF;
  }
};

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_KERNELS_SSE2_H
