// The Unicode facts both the wide strings and the conversions rely on: the
// unit-to-number cast, surrogates, the limits, the code-point writers and the
// byte order of this machine.
#ifndef ZODODE_FRAME_UNICODE_H
#define ZODODE_FRAME_UNICODE_H

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace zodode::detail {

inline constexpr std::uint32_t kReplacement = 0xFFFD;
inline constexpr std::uint32_t kMaxCodePoint = 0x10FFFF;
inline constexpr std::uint32_t kByteOrderMark = 0xFEFF;
// The longest wide text on every platform, whatever std::wstring would allow.
inline constexpr std::uint64_t kWideMaxSize = 2147483646u;

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
inline constexpr bool kLittleEndian = false;
#else
inline constexpr bool kLittleEndian = true;
#endif

// A unit as an unsigned number: a negative 32-bit wchar_t is above 10FFFF.
constexpr std::uint32_t unit_bits(wchar_t c) {
  return static_cast<std::make_unsigned_t<wchar_t>>(c);
}

constexpr bool is_high_surrogate(std::uint32_t unit) { return unit - 0xD800u < 0x400u; }
constexpr bool is_low_surrogate(std::uint32_t unit) { return unit - 0xDC00u < 0x400u; }
constexpr bool is_surrogate(std::uint32_t unit) { return unit - 0xD800u < 0x800u; }

constexpr std::uint32_t pair_code_point(std::uint32_t high, std::uint32_t low) {
  return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}
constexpr std::uint32_t high_surrogate_of(std::uint32_t code_point) {
  return 0xD800 + ((code_point - 0x10000) >> 10);
}
constexpr std::uint32_t low_surrogate_of(std::uint32_t code_point) {
  return 0xDC00 + (code_point & 0x3FF);
}

// Writes a code point as wchar_t units (a surrogate pair where wchar_t is 16
// bits); returns the end.
inline wchar_t* put_units(std::uint32_t code_point, wchar_t* out) {
  if (sizeof(wchar_t) == 2 && code_point >= 0x10000) {
    out[0] = static_cast<wchar_t>(high_surrogate_of(code_point));
    out[1] = static_cast<wchar_t>(low_surrogate_of(code_point));
    return out + 2;
  }
  *out = static_cast<wchar_t>(code_point);
  return out + 1;
}

inline std::size_t utf8_size(std::uint32_t code_point) {
  return code_point < 0x80 ? 1 : code_point < 0x800 ? 2 : code_point < 0x10000 ? 3 : 4;
}

// Writes the UTF-8 bytes of a code point; returns the end.
inline char* put_utf8(std::uint32_t code_point, char* out) {
  const std::size_t size = utf8_size(code_point);
  if (size == 1) {
    *out = static_cast<char>(code_point);
    return out + 1;
  }
  constexpr unsigned char kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
  *out++ = static_cast<char>(kLeadMarks[size] | (code_point >> (6 * (size - 1))));
  for (std::size_t i = size - 1; i-- > 0;) {
    *out++ = static_cast<char>(0x80 | ((code_point >> (6 * i)) & 0x3F));
  }
  return out;
}

}  // namespace zodode::detail

#endif  // ZODODE_FRAME_UNICODE_H
