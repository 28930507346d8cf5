// zString::base64: RFC 4648 section 4 Base64 in lines of 76 characters, each
// line (the last one too, when it is full) ended by a single "\n".
#include <cstdlib>
#include <memory>

#include "narrow/buffer.h"
#include "zString.h"

using zodode::detail::join_texts;
using zodode::detail::replace_buffer;

namespace {

constexpr char kBase64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kGroupsPerLine = 19;  // 76 characters

struct FreeDeleter {
  void operator()(char* p) const noexcept { std::free(p); }
};
using OwnedText = std::unique_ptr<char, FreeDeleter>;

std::size_t encoded_size(std::size_t n) {
  const std::size_t groups = n / 3 + (n % 3 != 0);
  return groups * 4 + groups / kGroupsPerLine;
}

// Writes the four characters of the group held in the top 24 bits of bits;
// `kept` of them are alphabet characters and the rest "=" (RFC 4648 section
// 4: one final byte gives two characters and "==", two give three and "=").
char* put_group(char* out, unsigned long bits, int kept) {
  for (int i = 0; i < 4; ++i) {
    out[i] = i < kept ? kBase64Alphabet[(bits >> (18 - 6 * i)) & 0x3F] : '=';
  }
  return out + 4;
}

// Encodes n bytes into out, which holds encoded_size(n) bytes plus the NUL.
void encode(const unsigned char* in, std::size_t n, char* out) {
  std::size_t groups = 0;
  for (std::size_t i = 0; i < n; i += 3) {
    const std::size_t left = n - i;
    unsigned long bits = static_cast<unsigned long>(in[i]) << 16;
    if (left > 1) bits |= static_cast<unsigned long>(in[i + 1]) << 8;
    if (left > 2) bits |= in[i + 2];
    out = put_group(out, bits, left > 2 ? 4 : static_cast<int>(left) + 1);
    if (++groups % kGroupsPerLine == 0) *out++ = '\n';
  }
  *out = '\0';
}

}  // namespace

// The working buffer comes from malloc without throwing: when it cannot be had
// the string becomes empty and so does the result. The whole input is encoded
// before the buffer of this string is touched, so data may point into it.
zString zString::base64(unsigned char* data, long length) {
  if (length <= 0) {
    replace_buffer(buffer_, join_texts({}));
    return zString(*this);
  }
  const std::size_t n = static_cast<unsigned long>(length);
  OwnedText work(static_cast<char*>(std::malloc(encoded_size(n) + 1)));
  if (!work) {
    replace_buffer(buffer_, nullptr);
    return zString();
  }
  encode(data, n, work.get());
  zString result(work.get());
  replace_buffer(buffer_, work.release());
  return result;
}
