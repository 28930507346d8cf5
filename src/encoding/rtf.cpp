// zWString's RTF escaping. Units up to 0x7F pass unchanged (backslash, braces
// and NUL included), U+FEFF is dropped, and every other unit becomes "\uN?"
// with N its unsigned decimal value. Each 16-bit unit is escaped by itself, so
// where wchar_t holds a supplementary character in one unit its UTF-16 pair is
// escaped, giving the bytes Windows gives for the same text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "frame/errors.h"
#include "zWString.h"

namespace zodode::detail {
namespace {

constexpr std::uint32_t kByteOrderMark = 0xFEFF;
constexpr std::uint32_t kReplacement = 0xFFFD;
constexpr std::uint32_t kMaxCodePoint = 0x10FFFF;
// zWString's max_size().
constexpr std::uint64_t kMaxWideLength = 2147483646;

std::uint32_t unit_value(wchar_t c) { return static_cast<std::make_unsigned_t<wchar_t>>(c); }

// Decimal digits of an escaped unit, which lies in 128..65535.
std::size_t digit_count(std::uint32_t unit) { return unit < 1000 ? 3 : unit < 10000 ? 4 : 5; }

// Feeds the escaped form of text to sink: put_char for a unit passed as it
// is, put_escape for each 16-bit unit written as "\uN?".
template <typename Sink>
void escape_rtf(std::wstring_view text, Sink& sink) {
  for (const wchar_t c : text) {
    const std::uint32_t unit = unit_value(c);
    if (unit <= 0x7F) {
      sink.put_char(unit);
    } else if (unit == kByteOrderMark) {
      continue;
    } else if (unit <= 0xFFFF) {
      sink.put_escape(unit);
    } else if (unit <= kMaxCodePoint) {
      sink.put_escape(0xD800 + ((unit - 0x10000) >> 10));
      sink.put_escape(0xDC00 + (unit & 0x3FF));
    } else {
      sink.put_escape(kReplacement);
    }
  }
}

class rtf_length {
 public:
  void put_char(std::uint32_t /*unit*/) { ++length_; }
  void put_escape(std::uint32_t unit) { length_ += 3 + digit_count(unit); }
  std::uint64_t length() const { return length_; }

 private:
  std::uint64_t length_ = 0;
};

template <typename Char>
class rtf_writer {
 public:
  explicit rtf_writer(Char* out) : next_(out) {}
  void put_char(std::uint32_t unit) { *next_++ = static_cast<Char>(unit); }
  void put_escape(std::uint32_t unit) {
    *next_++ = '\\';
    *next_++ = 'u';
    Char* digit = next_ + digit_count(unit);
    next_ = digit;
    for (; unit != 0; unit /= 10) *--digit = static_cast<Char>('0' + unit % 10);
    *next_++ = '?';
  }

 private:
  Char* next_;
};

// The escaped text, sized by a counting pass and written by a second one.
template <typename Char>
std::basic_string<Char> escaped(std::wstring_view text, std::uint64_t max_length) {
  rtf_length length;
  escape_rtf(text, length);
  if (length.length() > max_length) throw_string_too_long();
  std::basic_string<Char> result(static_cast<std::size_t>(length.length()), Char());
  rtf_writer<Char> writer(&result[0]);
  escape_rtf(text, writer);
  return result;
}

}  // namespace
}  // namespace zodode::detail

zWString zWString::toRTFW() {
  zWString result;
  result.str_ = zodode::detail::escaped<wchar_t>(str_, zodode::detail::kMaxWideLength);
  return result;
}

// The narrow text ends at the first NUL, so only the units before it count.
zString zWString::toRTF() {
  const std::string text = zodode::detail::escaped<char>(str_.c_str(), std::string().max_size());
  return zString(text);
}
