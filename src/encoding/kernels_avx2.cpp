// The AVX2 set's table of entries (kernel_entries.h), instantiated in this one
// file, which is compiled for AVX2 so that the kernels are inlined into the
// loops. Nothing here runs unless chosen_entries() picked this table. The file
// is the last of the library's sources: where another file has the same
// inline function, the linker keeps that one's copy, compiled for any x86
// processor (the test avx2_confined checks the built library for that).
#include <immintrin.h>

#include <cstdint>

#include "encoding/kernel_entries_of.h"

namespace zodode::detail {
namespace avx2 {

namespace {

__m128i load16(const unsigned char* in) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
}

// The first 12 bytes of each half as 16 Base64 characters each. Each 32-bit
// lane gets the bytes b1 b0 b2 b1 of its group; two multiplications move the
// four 6-bit fields to the four bytes of the lane, and each field becomes its
// character by adding the distance of its alphabet range.
__m256i base64_block(__m128i low, __m128i high) {
  const __m256i bytes = _mm256_inserti128_si256(_mm256_castsi128_si256(low), high, 1);
  const __m256i groups = _mm256_shuffle_epi8(
      bytes, _mm256_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10,  //
                              1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10));
  const __m256i first_third = _mm256_mulhi_epu16(
      _mm256_and_si256(groups, _mm256_set1_epi32(0x0FC0FC00)), _mm256_set1_epi32(0x04000040));
  const __m256i second_fourth = _mm256_mullo_epi16(
      _mm256_and_si256(groups, _mm256_set1_epi32(0x003F03F0)), _mm256_set1_epi32(0x01000010));
  const __m256i fields = _mm256_or_si256(first_third, second_fourth);
  // 0-25 'A'.., 26-51 'a'.., 52-61 '0'.., 62 '+', 63 '/': a range number per
  // field (13 for 0-25, 0 for 26-51, 1-12 for 52-63), then its distance.
  __m256i range = _mm256_subs_epu8(fields, _mm256_set1_epi8(51));
  range = _mm256_or_si256(range, _mm256_and_si256(_mm256_cmpgt_epi8(_mm256_set1_epi8(26), fields),
                                                  _mm256_set1_epi8(13)));
  const __m256i distance =
      _mm256_setr_epi8('a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                       '0' - 52, '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0,  //
                       'a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                       '0' - 52, '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0);
  return _mm256_add_epi8(fields, _mm256_shuffle_epi8(distance, range));
}

// A line is two blocks of 24 bytes and the 9 bytes left, encoded as a block
// whose last 12 characters the line feed and the next line overwrite.
char* base64_lines(const unsigned char* in, std::size_t lines, char* out) {
  for (std::size_t i = 0; i < lines; ++i, in += 57, out += 77) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), base64_block(load16(in), load16(in + 12)));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 32),
                        base64_block(load16(in + 24), load16(in + 36)));
    const __m128i tail = load16(in + 48);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 64),
                     _mm256_castsi256_si128(base64_block(tail, tail)));
    out[76] = '\n';
  }
  return out;
}

}  // namespace

constexpr kernel_entries make_entries() {
  kernel_entries e = entries_of<avx2_kernels>();
  e.base64_lines = base64_lines;
  return e;
}

constexpr kernel_entries kEntries = make_entries();

}  // namespace avx2

const kernel_entries& avx2_entries() { return avx2::kEntries; }

}  // namespace zodode::detail
