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
// - usable() tells whether this processor can run the set.
// - A set whose whole_sequences is true converts more than runs: it has
//   five members more. map_cp1252 converts a whole block of Windows-1252,
//   bytes 0x80-0x9F mapped too, and returns a mask with bit i set where byte
//   i is one of those. utf8_to_units reads exactly
//   kUtf8WindowRead bytes, writes at most kUtf8Window units, and returns the
//   bytes read and units written: leading characters that lie wholly in the
//   first kUtf8Window bytes and are ASCII or well-formed sequences, decoded as
//   the per-character rules decode them (a four-byte one gives one unit, or a
//   surrogate pair where wchar_t is 16 bits). It may stop before any
//   character, and takes none (0 bytes) where the first needs a rule; the
//   caller then converts that one by the rules. utf8_tail_to_units(in, n,
//   out) does the same for the n bytes (fewer than kUtf8WindowRead) that end
//   a text, reading only those. units_to_utf8 reads exactly kBlock units and
//   writes at most 64 bytes: leading units that are neither NUL nor a
//   surrogate nor above 10FFFF, encoded (the units read; 0 when the first one
//   is best left to the per-character rules). rtf_escapes<Char, S> reads
//   exactly 8 units and writes at most 64 Char: the leading units that are in
//   S (passed as they are) or in 0x80-0xFFFF but U+FEFF (written as "\uN?").
//   The caller keeps kStepMost (64) units of room past the position it
//   writes at for these two.
//
// A new set is a header defining one more struct with these members, and a
// line in the lists below; a set chosen at run time also needs its own file
// compiled for it, with its table of entries (kernel_entries.h), and a line in
// chosen_entries().
#ifndef ZODODE_ENCODING_KERNELS_H
#define ZODODE_ENCODING_KERNELS_H

#include <array>
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
// The UTF-8 bytes a whole-sequence set decodes at a time, and the bytes it
// reads to do so.
inline constexpr std::size_t kUtf8Window = 32;
inline constexpr std::size_t kUtf8WindowRead = kUtf8Window + 3;
// The most a units_to_utf8 or rtf_escapes step writes.
inline constexpr std::size_t kStepMost = 64;

// What a whole-sequence kernel read and wrote.
struct code_step {
  std::size_t read;
  std::size_t written;
};

// True when the processor runs the AVX2 set (AVX2 and POPCNT, with the
// operating system saving their registers), found out once; always true where
// the build forces that set.
bool avx2_usable();

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

// Bytes 0x80-0x9F. The five bytes the code page leaves undefined (81 8D 8F
// 90 9D) map to the C1 controls of the same value, as Windows maps them; every
// other byte is its own code point.
inline constexpr std::array<std::uint16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

template <typename... Sets>
struct kernel_list {};

}  // namespace zodode::detail

#include "encoding/kernels_scalar.h"
#if defined(__SSE2__) && !defined(ZODODE_SCALAR_ONLY)
#include "encoding/kernels_sse2.h"
#if defined(ZODODE_AVX2_KERNELS)
#include "encoding/kernels_avx2.h"
#endif
#endif

namespace zodode::detail {

// Every set this build has (the tests run each that the processor can), and
// the one it runs on any processor of its target. chosen_entries()
// (kernel_entries.h) takes the AVX2 set instead where the processor has it.
#if defined(ZODODE_KERNELS_AVX2)
using kernel_sets = kernel_list<scalar_kernels, sse2_kernels, avx2_kernels>;
using native_kernels = sse2_kernels;
#elif defined(ZODODE_KERNELS_SSE2)
using kernel_sets = kernel_list<scalar_kernels, sse2_kernels>;
using native_kernels = sse2_kernels;
#else
using kernel_sets = kernel_list<scalar_kernels>;
using native_kernels = scalar_kernels;
#endif

// Calls run(Kernels{}) with every set of the build that this processor runs,
// for the checks of each.
template <typename Run, typename... Sets>
void for_each_kernel_set(kernel_list<Sets...> /*sets*/, Run&& run) {
  ((Sets::usable() ? static_cast<void>(run(Sets{})) : void()), ...);
}

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_KERNELS_H
