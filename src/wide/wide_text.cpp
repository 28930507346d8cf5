// The checks and unit helpers behind every zWString member.
#include "wide/wide_text.h"

#include <algorithm>
#include <cwchar>

#include "frame/errors.h"

namespace zodode::detail {

void check_position(std::uint64_t pos, std::size_t size) {
  if (pos > size) throw_invalid_position();
}

void check_new_size(std::uint64_t new_size) {
  if (new_size > kWideMaxSize) throw_string_too_long();
}

std::size_t clip_count(std::size_t size, std::uint64_t pos, std::uint64_t count) {
  return static_cast<std::size_t>(std::min<std::uint64_t>(count, size - pos));
}

unsigned int to_position(std::size_t found) {
  return found == std::wstring::npos ? kWideNpos : static_cast<unsigned int>(found);
}

std::wstring& replace_units(std::wstring& text, std::uint64_t pos, std::uint64_t count,
                            const wchar_t* units, std::size_t length) {
  check_position(pos, text.size());
  const std::size_t removed = clip_count(text.size(), pos, count);
  check_new_size(std::uint64_t{text.size()} - removed + length);
  // std::wstring::replace reads units before it frees anything, so they may alias text.
  return text.replace(static_cast<std::size_t>(pos), removed, units, length);
}

std::wstring concat_units(const wchar_t* a, std::size_t a_size, const wchar_t* b,
                          std::size_t b_size) {
  check_new_size(std::uint64_t{a_size} + b_size);
  std::wstring result;
  result.reserve(a_size + b_size);
  result.append(a, a_size).append(b, b_size);
  return result;
}

std::wstring utf16_to_wide(const unsigned short* text) {
  std::size_t length = 0;
  while (text[length] != 0) ++length;
  std::wstring result;
  result.reserve(length);
  for (const unsigned short* p = text; *p != 0; ++p) {
    std::uint32_t unit = *p;
    if (sizeof(wchar_t) > 2 && is_high_surrogate(unit) && is_low_surrogate(p[1])) {
      unit = pair_code_point(unit, p[1]);
      ++p;
    }
    result.push_back(static_cast<wchar_t>(unit));
  }
  return result;
}

// Units compare as unsigned numbers: wchar_t is signed on some platforms.
int compare_units(const wchar_t* a, std::size_t a_size, const wchar_t* b, std::size_t b_size) {
  const std::size_t common = std::min(a_size, b_size);
  for (std::size_t i = 0; i < common; ++i) {
    const std::uint32_t x = unit_bits(a[i]);
    const std::uint32_t y = unit_bits(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a_size == b_size) return 0;
  return a_size < b_size ? -1 : 1;
}

}  // namespace zodode::detail
