// zString number texts: decimal for whole numbers, printf "%.10g"/"%.20g" of
// the C locale for doubles. std::to_chars writes both without consulting the
// process locale, so '.' is the separator and the exponent has a sign and at
// least two digits ("1e+20") on every platform.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <system_error>

#include "narrow/buffer.h"
#include "zString.h"

using zodode::detail::append_text;
using zodode::detail::join_texts;
using zodode::detail::replace_buffer;

namespace {

// Room for any decimal integer up to 64 bits, or any "%.20g" text of a double
// (sign, 20 digits, point, "e-308").
constexpr std::size_t kNumberRoom = 64;

struct NumberText {
  char bytes[kNumberRoom];
  std::size_t size;
  std::string_view view() const { return std::string_view(bytes, size); }
};

template <typename Integer>
NumberText decimal_text(Integer value) {
  NumberText text{};
  const std::to_chars_result r = std::to_chars(text.bytes, text.bytes + kNumberRoom, value);
  text.size = static_cast<std::size_t>(r.ptr - text.bytes);
  return text;
}

// The clean-up applied after formatting: with a '.' and no 'e', trailing '0's
// go, then a trailing '.'. The %g conversion already leaves no such zeros, so
// this only guards the rule, as the formatter's output is taken as is.
std::size_t strip_trailing_zeros(std::string_view text) {
  // Nearly every text ends in another digit: nothing to strip, no scan.
  if (text.empty() || (text.back() != '0' && text.back() != '.')) return text.size();
  if (text.find('.') == std::string_view::npos || text.find('e') != std::string_view::npos) {
    return text.size();
  }
  std::size_t n = text.size();
  while (n > 0 && text[n - 1] == '0') --n;
  if (n > 0 && text[n - 1] == '.') --n;
  return n;
}

// A whole number below 10^10 in magnitude is its plain decimal digits under
// both precisions: its exponent is below the precision and no digit follows
// the point. Integer digits are several times quicker to write than a
// rounded %g. The sign bit gives "-0" for negative zero, as printf writes it.
bool whole_number_text(double value, NumberText& text) {
  if (!(std::fabs(value) < 1e10) || value != std::trunc(value)) return false;  // NaN too
  char* p = text.bytes;
  if (std::signbit(value)) *p++ = '-';
  const auto magnitude = static_cast<std::uint64_t>(std::fabs(value));
  text.size = static_cast<std::size_t>(std::to_chars(p, text.bytes + kNumberRoom, magnitude).ptr -
                                       text.bytes);
  return true;
}

// "%.20g" when flag is true, "%.10g" otherwise; inf, -inf, nan and -nan as
// printf writes them.
NumberText double_text(double value, bool flag) {
  NumberText text;  // to_chars writes the bytes that count
  if (whole_number_text(value, text)) return text;
  const int precision = flag ? 20 : 10;
  const std::to_chars_result r = std::to_chars(text.bytes, text.bytes + kNumberRoom, value,
                                               std::chars_format::general, precision);
  text.size = strip_trailing_zeros(
      std::string_view(text.bytes, static_cast<std::size_t>(r.ptr - text.bytes)));
  return text;
}

}  // namespace

zString::zString(int value) : buffer_(join_texts(decimal_text(value).view())) {}

zString::zString(unsigned long value) : buffer_(join_texts(decimal_text(value).view())) {}

zString::zString(__int64 value) : buffer_(join_texts(decimal_text(value).view())) {}

zString::zString(double value, bool flag) : buffer_(join_texts(double_text(value, flag).view())) {}

void zString::Set(int value) { replace_buffer(buffer_, join_texts(decimal_text(value).view())); }

void zString::Set(unsigned long value) {
  replace_buffer(buffer_, join_texts(decimal_text(value).view()));
}

void zString::Set(__int64 value) {
  replace_buffer(buffer_, join_texts(decimal_text(value).view()));
}

void zString::Set(double value, bool flag) {
  replace_buffer(buffer_, join_texts(double_text(value, flag).view()));
}

const zString& zString::operator=(int value) {
  Set(value);
  return *this;
}

const zString& zString::operator=(double value) {
  Set(value, false);
  return *this;
}

const zString& zString::operator+=(int value) {
  append_text(buffer_, decimal_text(value).view());
  return *this;
}

const zString& zString::operator+=(double value) {
  append_text(buffer_, double_text(value, false).view());
  return *this;
}
