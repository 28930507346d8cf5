// zWString from integers, from doubles in 10 or 20 significant digits or a
// printf conversion, and the streaming and double-appending operators.
#include <algorithm>
#include <charconv>
#include <cstring>
#include <cwchar>
#include <limits>
#include <string>

#include "wide/wide_text.h"
#include "zString.h"
#include "zWString.h"

namespace zodode::detail {
namespace {

// Longest result of the printf conversions: cut at 127 units.
constexpr std::size_t kConversionLimit = 127;
// A double's exact decimal expansion ends within 1074 fraction digits and 767
// significant digits, so any larger precision only appends zeros to digits
// that already fill the 127 kept units (f, e) or writes the same text (g).
constexpr int kExactPrecision = 1100;
// printf reads a negative precision as if none were given.
constexpr int kDefaultPrecision = 6;

// ASCII text widened unit by unit (digits, signs, '.', exponent letters).
std::wstring widen_ascii(const char* first, const char* last) { return std::wstring(first, last); }

template <typename Integer>
std::wstring decimal_text(Integer value) {
  char buffer[std::numeric_limits<Integer>::digits10 + 3];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return widen_ascii(buffer, result.ptr);
}

std::chars_format format_of(char conversion) {
  switch (conversion) {
    case 'e':
    case 'E':
      return std::chars_format::scientific;
    case 'g':
    case 'G':
      return std::chars_format::general;
    default:
      return std::chars_format::fixed;
  }
}

// std::to_chars with a precision writes exactly what printf writes in the C
// locale ("1e+20", "inf", "nan"); upper case is applied afterwards for E and G.
std::wstring printf_text(double value, char conversion, int precision) {
  if (precision < 0) precision = kDefaultPrecision;
  precision = std::min(precision, kExactPrecision);
  // Sign, 309 integer digits, point, the fraction and an exponent fit here.
  std::string buffer(static_cast<std::size_t>(precision) + 330, '\0');
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    format_of(conversion), precision);
  buffer.resize(std::min(static_cast<std::size_t>(result.ptr - buffer.data()), kConversionLimit));
  if (conversion == 'E' || conversion == 'G') {
    // ASCII only: toupper would follow the process locale ("inf" in Turkish).
    for (char& c : buffer) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return widen_ascii(buffer.data(), buffer.data() + buffer.size());
}

}  // namespace
}  // namespace zodode::detail

using zodode::detail::decimal_text;

zWString::zWString(short value) : str_(decimal_text(value)) {}

zWString::zWString(int value) : str_(decimal_text(value)) {}

zWString::zWString(unsigned int value) : str_(decimal_text(value)) {}

zWString::zWString(long value) : str_(decimal_text(value)) {}

zWString::zWString(__int64 value) : str_(decimal_text(static_cast<long long>(value))) {}

// The digits of zString's 10 or 20 significant digits, widened.
zWString::zWString(double value, bool flag) {
  const zString digits(value, flag);
  str_ = zodode::detail::widen_ascii(digits.data(), digits.data() + std::strlen(digits.data()));
}

zWString zWString::operator+(const double& value) const { return *this + zWString(value, false); }

zWString& zWString::operator+=(const double& value) { return *this += zWString(value, false); }

zWString::zWString(double value, char conversion, int precision)
    : str_(zodode::detail::printf_text(value, conversion, precision)) {}

zWString& zWString::operator<<(const bool& b) { return *this << (b ? L"true" : L"false"); }

zWString& zWString::operator<<(const wchar_t* s) {
  zodode::detail::replace_units(str_, str_.size(), 0, s, std::wcslen(s));
  return *this;
}
