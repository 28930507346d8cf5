// zString::base64: RFC 4648 section 4 Base64 in lines of 76 characters, each
// line (the last one too, when it is full) ended by a single "\n".
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "encoding/kernel_entries.h"
#include "frame/unicode.h"
#include "narrow/buffer.h"
#include "zString.h"

using zodode::detail::allocate_text;
using zodode::detail::join_texts;
using zodode::detail::replace_buffer;

namespace {

constexpr char kBase64Alphabet[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::size_t kGroupsPerLine = 19;              // 76 characters
constexpr std::size_t kLineBytes = 3 * kGroupsPerLine;  // 57 input bytes
constexpr std::size_t kLineChars = 4 * kGroupsPerLine;  // before the "\n"

struct FreeDeleter {
  void operator()(char* p) const noexcept { std::free(p); }
};
using OwnedText = std::unique_ptr<char, FreeDeleter>;

constexpr bool kBigEndian = !zodode::detail::kLittleEndian;

// The two alphabet characters of every 12-bit value, as the 16-bit number
// whose bytes in memory are those characters in order: a group of three bytes
// is two lookups instead of four table reads and four shifts.
struct CharPairs {
  std::uint16_t pair[4096];
};

constexpr CharPairs make_char_pairs() {
  CharPairs table{};
  for (unsigned v = 0; v < 4096; ++v) {
    const unsigned first = static_cast<unsigned char>(kBase64Alphabet[v >> 6]);
    const unsigned second = static_cast<unsigned char>(kBase64Alphabet[v & 0x3F]);
    table.pair[v] =
        static_cast<std::uint16_t>(kBigEndian ? first << 8 | second : second << 8 | first);
  }
  return table;
}

constexpr CharPairs kCharPairs = make_char_pairs();

std::size_t encoded_size(std::size_t n) {
  const std::size_t groups = n / 3 + (n % 3 != 0);
  return groups * 4 + groups / kGroupsPerLine;
}

// The 24 bits of the group at in, the first byte's most significant bit first.
std::uint32_t group_bits(const unsigned char* in) {
  return (std::uint32_t{in[0]} << 16) | (std::uint32_t{in[1]} << 8) | in[2];
}

char* put_group(std::uint32_t bits, char* out) {
  std::memcpy(out, &kCharPairs.pair[bits >> 12], 2);
  std::memcpy(out + 2, &kCharPairs.pair[bits & 0xFFF], 2);
  return out + 4;
}

// Eight bytes at in as a big-endian number.
std::uint64_t load_big_endian(const unsigned char* in) {
#if defined(__GNUC__)
  std::uint64_t word;
  std::memcpy(&word, in, 8);
  return kBigEndian ? word : __builtin_bswap64(word);
#else
  std::uint64_t word = 0;
  for (int i = 0; i < 8; ++i) word = word << 8 | in[i];
  return word;
#endif
}

// Two groups (six bytes, read as eight) give eight characters in one store.
void put_two_groups(const unsigned char* in, char* out) {
  const std::uint64_t bits = load_big_endian(in);
  std::uint64_t pairs[4];
  for (int i = 0; i < 4; ++i) pairs[i] = kCharPairs.pair[(bits >> (52 - 12 * i)) & 0xFFF];
  const std::uint64_t chars = kBigEndian
                                  ? pairs[0] << 48 | pairs[1] << 32 | pairs[2] << 16 | pairs[3]
                                  : pairs[3] << 48 | pairs[2] << 32 | pairs[1] << 16 | pairs[0];
  std::memcpy(out, &chars, 8);
}

// One full line: 19 groups and its line feed, without a group counter. The
// nine double groups read bytes up to 55 of the line's 57.
char* put_line(const unsigned char* in, char* out) {
  for (std::size_t g = 0; g < kGroupsPerLine / 2; ++g) put_two_groups(in + 6 * g, out + 8 * g);
  put_group(group_bits(in + kLineBytes - 3), out + kLineChars - 4);
  out[kLineChars] = '\n';
  return out + kLineChars + 1;
}

// RFC 4648 section 4: one final byte gives two characters and "==", two
// give three characters and "=".
char* put_last_group(const unsigned char* in, std::size_t left, char* out) {
  const unsigned char padded[3] = {in[0], left > 1 ? in[1] : std::uint8_t{0}, 0};
  put_group(group_bits(padded), out);
  out[3] = '=';
  if (left == 1) out[2] = '=';
  return out + 4;
}

// Encodes n bytes into out, which holds encoded_size(n) bytes plus the NUL.
// Whole lines first; the groups of the last line follow, with their line feed
// when they complete it (55 or 56 bytes left make 19 groups).
// A kernel set with its own line kernel takes the lines that leave 7 bytes
// after them.
char* encode(const unsigned char* in, std::size_t n, char* out) {
  const auto kernel_lines = zodode::detail::chosen_entries().base64_lines;
  if (kernel_lines != nullptr && n >= kLineBytes + 7) {
    const std::size_t lines = (n - 7) / kLineBytes;
    out = kernel_lines(in, lines, out);
    in += lines * kLineBytes;
    n -= lines * kLineBytes;
  }
  for (; n >= kLineBytes; n -= kLineBytes, in += kLineBytes) out = put_line(in, out);
  const std::size_t last_groups = (n + 2) / 3;
  for (; n >= 3; n -= 3, in += 3) out = put_group(group_bits(in), out);
  if (n > 0) out = put_last_group(in, n, out);
  if (last_groups == kGroupsPerLine) *out++ = '\n';
  *out = '\0';
  return out;
}

// Encodes into out and copies each slice of 64 lines to copy while it is
// still in the cache, instead of reading the whole text back afterwards.
void encode_twice(const unsigned char* in, std::size_t n, char* out, char* copy) {
  constexpr std::size_t kSliceBytes = 64 * kLineBytes;
  for (;;) {
    const std::size_t slice = n > kSliceBytes ? kSliceBytes : n;
    char* end = encode(in, slice, out);
    std::memcpy(copy, out, static_cast<std::size_t>(end - out) + 1);
    if (slice == n) return;
    in += slice;
    n -= slice;
    copy += end - out;
    out = end;
  }
}

}  // namespace

// The working buffer comes from malloc without throwing: when it cannot be had
// the string becomes empty and so does the result. The whole input is encoded
// before the buffer of this string is touched, so data may point into it.
zString zString::base64(unsigned char* data, long length) {
  // Every path returns this one object, so it is built in the caller's place
  // (zString has no move constructor: a second object would cost a copy).
  zString result;
  if (length <= 0) {
    // The result first: if the second allocation is refused, this string is untouched.
    result.buffer_ = join_texts({});
    replace_buffer(buffer_, join_texts({}));
    return result;
  }
  const std::size_t n = static_cast<unsigned long>(length);
  const std::size_t size = encoded_size(n);
  OwnedText work(static_cast<char*>(std::malloc(size + 1)));
  if (!work) {
    replace_buffer(buffer_, nullptr);
    return result;
  }
  // The working buffer becomes this string's own; the result is the one copy.
  result.buffer_ = allocate_text(size);
  encode_twice(data, n, work.get(), result.buffer_);
  replace_buffer(buffer_, work.release());
  return result;
}
