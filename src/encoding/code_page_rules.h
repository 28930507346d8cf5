// The per-character rules of the portable converter: Windows' flags-0 UTF-8
// decoding and encoding and the Windows-1252 table. Every rule here works on
// one character; the loops around them decide how text is walked.
#ifndef ZODODE_ENCODING_CODE_PAGE_RULES_H
#define ZODODE_ENCODING_CODE_PAGE_RULES_H

#include <array>
#include <cstddef>
#include <cstdint>

#include "encoding/kernels.h"
#include "frame/unicode.h"

namespace zodode::detail {

// UTF-8 ------------------------------------------------------------------

inline bool is_continuation(std::uint32_t byte) { return (byte & 0xC0) == 0x80; }

// The length a lead byte announces; 0 for a byte that cannot start a sequence
// (80-BF, C0, C1, F5-FF).
inline int utf8_sequence_length(std::uint32_t lead) {
  if (lead < 0xC2) return 0;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return lead < 0xF5 ? 4 : 0;
}

// The second byte (a continuation) after E0, ED, F0 and F4 is narrowed so that
// no sequence is overlong, a surrogate or above 10FFFF.
inline bool second_byte_allowed(std::uint32_t lead, std::uint32_t byte) {
  switch (lead) {
    case 0xE0:
      return byte >= 0xA0;
    case 0xED:
      return byte <= 0x9F;
    case 0xF0:
      return byte >= 0x90;
    case 0xF4:
      return byte <= 0x8F;
    default:
      return true;
  }
}

struct decoded {
  std::uint32_t code_point;
  std::size_t size;
};

// The sequence at p, whose first byte is not ASCII. Windows' flags-0 decoder
// gives one U+FFFD for: a byte that cannot start a sequence; a lead and the
// continuations that did follow it when the sequence is cut short (by the end
// of the text too); a lead and a second byte outside its narrowed range, the
// bytes after them being read afresh (ED A0 80 gives two U+FFFD). Each byte is
// read only after its predecessor proved to be a lead or continuation, so the
// NUL that ends the text is never passed.
inline decoded decode_utf8_sequence(const unsigned char* p) {
  const std::uint32_t lead = p[0];
  const int length = utf8_sequence_length(lead);
  if (length == 0 || !is_continuation(p[1])) return {kReplacement, 1};
  if (!second_byte_allowed(lead, p[1])) return {kReplacement, 2};
  std::uint32_t code_point = ((lead & (0x7Fu >> length)) << 6) | (p[1] & 0x3Fu);
  for (int i = 2; i < length; ++i) {
    if (!is_continuation(p[i])) return {kReplacement, static_cast<std::size_t>(i)};
    code_point = (code_point << 6) | (p[i] & 0x3Fu);
  }
  return {code_point, static_cast<std::size_t>(length)};
}

// decode_utf8_sequence with the well-formed two- and three-byte sequences,
// nearly all of real text, decided inline; everything else goes the long way.
ZODODE_ALWAYS_INLINE decoded decode_utf8_sequence_quickly(const unsigned char* p) {
  const std::uint32_t lead = p[0];
  if (lead - 0xC2u < 0x1Eu && is_continuation(p[1])) {
    return {((lead & 0x1Fu) << 6) | (p[1] & 0x3Fu), 2};
  }
  if ((lead & 0xF0u) == 0xE0u && is_continuation(p[1]) && is_continuation(p[2])) {
    const std::uint32_t code_point =
        ((lead & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
    // Not overlong (E0 80-9F) and not a surrogate (ED A0-BF).
    if (code_point >= 0x800 && !is_surrogate(code_point)) return {code_point, 3};
  }
  return decode_utf8_sequence(p);
}

// The code point that the units at p stand for, and how many units that took:
// a valid surrogate pair in consecutive units is its code point (where wchar_t
// holds UTF-32 too); a lone surrogate and a unit above 10FFFF are U+FFFD.
// p[1] is read only when p[0] is a high surrogate, so never past the NUL.
inline decoded code_point_at(const wchar_t* p) {
  std::uint32_t code_point = unit_bits(p[0]);
  if (is_high_surrogate(code_point) && is_low_surrogate(unit_bits(p[1]))) {
    return {pair_code_point(code_point, unit_bits(p[1])), 2};
  }
  if (is_surrogate(code_point) || code_point > kMaxCodePoint) code_point = kReplacement;
  return {code_point, 1};
}

// put_utf8(code_point_at(p)) with the units below 0x10000 that are not
// surrogates, nearly all of real text, written inline; returns the units read.
ZODODE_ALWAYS_INLINE std::size_t put_utf8_quickly(const wchar_t* p, char*& out) {
  const std::uint32_t unit = unit_bits(p[0]);
  if (unit < 0x800) {
    out[0] = static_cast<char>(0xC0 | (unit >> 6));
    out[1] = static_cast<char>(0x80 | (unit & 0x3F));
    out += 2;
    return 1;
  }
  if (unit < 0x10000 && !is_surrogate(unit)) {
    out[0] = static_cast<char>(0xE0 | (unit >> 12));
    out[1] = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
    out[2] = static_cast<char>(0x80 | (unit & 0x3F));
    out += 3;
    return 1;
  }
  const decoded d = code_point_at(p);
  out = put_utf8(d.code_point, out);
  return d.size;
}

// Windows-1252 -----------------------------------------------------------

// Bytes 0x80-0x9F. The five bytes the code page leaves undefined (81 8D 8F
// 90 9D) map to the C1 controls of the same value, as Windows maps them; every
// other byte is its own code point.
inline constexpr std::array<std::uint16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

inline std::uint32_t cp1252_unit(unsigned char byte) {
  return byte - 0x80u < 0x20u ? kCp1252High[byte - 0x80u] : byte;
}

struct byte_of_unit {
  std::uint16_t unit;
  unsigned char byte;
};

// kCp1252High inverted and sorted by unit, for a binary search.
constexpr std::array<byte_of_unit, 32> invert_cp1252() {
  std::array<byte_of_unit, 32> inverse{};
  for (std::size_t i = 0; i < inverse.size(); ++i) {
    byte_of_unit entry{kCp1252High[i], static_cast<unsigned char>(0x80 + i)};
    std::size_t j = i;
    for (; j > 0 && inverse[j - 1].unit > entry.unit; --j) inverse[j] = inverse[j - 1];
    inverse[j] = entry;
  }
  return inverse;
}

inline constexpr std::array<byte_of_unit, 32> kCp1252Inverse = invert_cp1252();

// No best-fit mapping: a character outside the code page becomes '?' (a
// fullwidth quotation mark must not turn into a '"' that splits a command line).
inline unsigned char cp1252_byte(std::uint32_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<unsigned char>(unit);
  std::size_t low = 0;
  std::size_t high = kCp1252Inverse.size();
  while (low < high) {
    const std::size_t mid = (low + high) / 2;
    if (kCp1252Inverse[mid].unit < unit) {
      low = mid + 1;
    } else {
      high = mid;
    }
  }
  const bool found = low < kCp1252Inverse.size() && kCp1252Inverse[low].unit == unit;
  return found ? kCp1252Inverse[low].byte : '?';
}

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_CODE_PAGE_RULES_H
