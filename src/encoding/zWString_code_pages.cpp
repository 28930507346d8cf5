// zWString's code-page members: UTF-8 and code page 0 ("Latin1"), and
// toASCII, which uses no code page at all.
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "encoding/code_page.h"
#include "zWString.h"

using zodode::detail::kCodePageAnsi;
using zodode::detail::kCodePageUtf8;
using zodode::detail::to_bytes;
using zodode::detail::to_wide;

zString zWString::toUtf8() const { return zString(to_bytes(kCodePageUtf8, str_)); }

zString zWString::toLatin1() const { return zString(to_bytes(kCodePageAnsi, str_)); }

// A zString without a buffer reads as the empty text; its text holds no NUL,
// so it is converted in place rather than copied into a std::string first.
zWString zWString::fromUtf8(const zString& text) {
  zWString result;
  result.str_ = to_wide(kCodePageUtf8, text.data());
  return result;
}

zWString zWString::fromLatin1(const zString& text) {
  zWString result;
  result.str_ = to_wide(kCodePageAnsi, text.data());
  return result;
}

// Each byte is the low 8 bits of its unit (U+20AC gives 0xAC), and out, as
// assigned from a const char*, ends at the first zero byte (U+0100 gives one).
// A count past the text is clipped, so nothing behind the text is read; out
// changes only once the bytes exist.
void zWString::toASCII(unsigned int count, zString& out) {
  const std::size_t limit = std::min<std::size_t>(count, str_.size());
  std::string bytes;
  bytes.reserve(limit);
  for (std::size_t i = 0; i < limit; ++i) {
    const char byte = static_cast<char>(static_cast<unsigned char>(str_[i] & 0xFF));
    if (byte == '\0') break;
    bytes += byte;
  }
  out = bytes;
}
