// The kernel sets: the few loops that move runs of text a block at a time,
// each set written for one instruction set, all with the same static members.
// The conversions are templates over a kernel set and are written once.
//
// The contract every set keeps:
// - A block kernel (widen_ascii, widen_cp1252, narrow<S>, copy<S>) reads
//   exactly kBlock (16) units at in and may write all kBlock units at out,
//   whatever it returns: the caller keeps kBlock units of room past the
//   position it writes at and reads only where kBlock units remain.
// - It returns the length of the block's leading run (kBlock when the whole
//   block is one): bytes below 0x80 (widen_ascii), bytes outside 0x80-0x9F
//   (widen_cp1252, the Windows-1252 bytes that are their own code point), or
//   units in S (narrow, copy). Units up to that length are converted; the
//   ones after it hold any value, and the caller overwrites them with its
//   own per-character rules.
// - widen_eight writes exactly eight units, the bytes of a 64-bit number
//   from its least significant one.
// - utf8_lead_count reads exactly n bytes and writes nothing.
//
// A new set is a header defining one more struct with these members, and a
// line in the choice below.
#ifndef ZODODE_ENCODING_KERNELS_H
#define ZODODE_ENCODING_KERNELS_H

#include <cstddef>
#include <cstdint>

#include "frame/unicode.h"

// The per-character steps of the hot loops must be inlined whatever the
// optimisation level; at -O2 GCC otherwise calls them once per character.
// ZODODE_NOINLINE keeps a conversion's loop in a function of its own, where
// GCC lays it out best.
#if defined(__GNUC__)
#define ZODODE_ALWAYS_INLINE inline __attribute__((always_inline))
#define ZODODE_NOINLINE __attribute__((noinline))
#else
#define ZODODE_ALWAYS_INLINE inline
#define ZODODE_NOINLINE
#endif

namespace zodode::detail {

inline constexpr std::size_t kBlock = 16;

// Which units a run of wide text may hold.
enum class unit_set {
  ascii,           // 0x00-0x7F
  ascii_but_nul,   // 0x01-0x7F: a NUL ends the text
  cp1252_but_nul,  // 0x01-0x7F and 0xA0-0xFF: Windows-1252's own code points
};

template <unit_set Set>
constexpr bool in_set(std::uint32_t u) {
  switch (Set) {
    case unit_set::ascii:
      return u < 0x80;
    case unit_set::ascii_but_nul:
      return u - 1 < 0x7F;
    case unit_set::cp1252_but_nul:
      return u - 1 < 0x7F || u - 0xA0 < 0x60;
  }
  return false;
}

// Windows-1252 bytes 0x80-0x9F are the ones that are not their own code point.
constexpr bool cp1252_self(unsigned char b) { return b - 0x80u >= 0x20u; }

template <typename... Sets>
struct kernel_list {};

}  // namespace zodode::detail

#include "encoding/kernels_scalar.h"
#if defined(__SSE2__) && !defined(ZODODE_SCALAR_ONLY)
#include "encoding/kernels_sse2.h"
#endif

namespace zodode::detail {

// Every set this build has (the tests run each), and the one it converts with.
#if defined(ZODODE_KERNELS_SSE2)
using kernel_sets = kernel_list<scalar_kernels, sse2_kernels>;
using native_kernels = sse2_kernels;
#else
using kernel_sets = kernel_list<scalar_kernels>;
using native_kernels = scalar_kernels;
#endif

// The one place that picks a set: run(Kernels{}) with this build's choice.
template <typename Run>
decltype(auto) with_native_kernels(Run&& run) {
  return run(native_kernels{});
}

// Calls run(Kernels{}) with every set of the build, for the checks of each.
template <typename Run, typename... Sets>
void for_each_kernel_set(kernel_list<Sets...> /*sets*/, Run&& run) {
  (run(Sets{}), ...);
}

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_KERNELS_H
