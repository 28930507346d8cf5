// Internal pieces shared by every zWString member: the 32-bit position type,
// and the checks that raise the library's own texts
// before the held std::wstring is touched.
#ifndef ZODODE_WIDE_WIDE_TEXT_H
#define ZODODE_WIDE_WIDE_TEXT_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "frame/unicode.h"

namespace zodode::detail {

// The not-found result of the standard-named searches, as a 32-bit number.
inline constexpr unsigned int kWideNpos = 4294967295u;

// Throws "invalid string position" when pos lies past the end of a text of size units.
void check_position(std::uint64_t pos, std::size_t size);
// Throws "string too long" when a text of new_size units would pass the limit.
void check_new_size(std::uint64_t new_size);
// The part of count that fits between pos (at most size) and the end.
std::size_t clip_count(std::size_t size, std::uint64_t pos, std::uint64_t count);
// A std::wstring search result as a 32-bit position; npos maps to kWideNpos.
unsigned int to_position(std::size_t found);

// Sign extension to 16 bits on every platform: byte 0xE9 widens to 0xFFE9.
inline wchar_t widen_char(char c) {
  return static_cast<wchar_t>(static_cast<std::uint16_t>(static_cast<signed char>(c)));
}

// text with [pos, pos + count) replaced by units[0, length), positions checked
// and the count clipped; units may point into text.
std::wstring& replace_units(std::wstring& text, std::uint64_t pos, std::uint64_t count,
                            const wchar_t* units, std::size_t length);
// A new text a + b built in one allocation, its length checked first.
std::wstring concat_units(const wchar_t* a, std::size_t a_size, const wchar_t* b,
                          std::size_t b_size);
// UTF-16 text up to its first NUL as wide units: on 32-bit wchar_t a valid
// high+low surrogate pair becomes one unit, every other unit is copied as is.
std::wstring utf16_to_wide(const unsigned short* text);
// -1, 0 or +1 comparing the units as unsigned numbers, then the lengths.
int compare_units(const wchar_t* a, std::size_t a_size, const wchar_t* b, std::size_t b_size);

}  // namespace zodode::detail

#endif  // ZODODE_WIDE_WIDE_TEXT_H
