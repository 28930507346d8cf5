// The scalar kernel set: plain loops, the reference for every other set and
// the set of builds without SIMD (see kernels.h for the contract).
#ifndef ZODODE_ENCODING_KERNELS_SCALAR_H
#define ZODODE_ENCODING_KERNELS_SCALAR_H

// Included by kernels.h, after the names it uses.
#include <cstddef>
#include <cstdint>

namespace zodode::detail {

struct scalar_kernels {
  static constexpr bool whole_sequences = false;
  static bool usable() { return true; }

  ZODODE_ALWAYS_INLINE static std::size_t widen_ascii(const unsigned char* in, wchar_t* out) {
    std::size_t i = 0;
    for (; i < kBlock && in[i] < 0x80; ++i) out[i] = in[i];
    return i;
  }

  ZODODE_ALWAYS_INLINE static std::size_t widen_cp1252(const unsigned char* in, wchar_t* out) {
    std::size_t i = 0;
    for (; i < kBlock && cp1252_self(in[i]); ++i) out[i] = in[i];
    return i;
  }

  template <unit_set Set>
  ZODODE_ALWAYS_INLINE static std::size_t narrow(const wchar_t* in, char* out) {
    std::size_t i = 0;
    for (; i < kBlock && in_set<Set>(unit_bits(in[i])); ++i) out[i] = static_cast<char>(in[i]);
    return i;
  }

  template <unit_set Set>
  ZODODE_ALWAYS_INLINE static std::size_t copy(const wchar_t* in, wchar_t* out) {
    std::size_t i = 0;
    for (; i < kBlock && in_set<Set>(unit_bits(in[i])); ++i) out[i] = in[i];
    return i;
  }

  static void widen_eight(std::uint64_t bytes, wchar_t* out) {
    for (int i = 0; i < 8; ++i) out[i] = static_cast<wchar_t>((bytes >> (8 * i)) & 0xFF);
  }
};

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_KERNELS_SCALAR_H
