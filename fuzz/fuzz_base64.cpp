// Base64 against an RFC 4648 model with 76-character lines, and a decoder in
// the model that must give the input bytes back from the library's text.
// Inputs are encoded from a separate buffer and from the string's own text.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "zString.h"

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string encode(const std::vector<unsigned char>& in) {
  std::string out;
  std::size_t groups = 0;
  for (std::size_t i = 0; i < in.size(); i += 3) {
    const std::size_t left = in.size() - i;
    std::uint32_t bits = std::uint32_t{in[i]} << 16;
    if (left > 1) bits |= std::uint32_t{in[i + 1]} << 8;
    if (left > 2) bits |= in[i + 2];
    for (std::size_t k = 0; k < 4; ++k) {
      out += k <= std::min<std::size_t>(left, 3) ? kAlphabet[(bits >> (18 - 6 * k)) & 63] : '=';
    }
    if (++groups % 19 == 0) out += '\n';
  }
  return out;
}

std::vector<unsigned char> decode(const std::string& text) {
  std::vector<unsigned char> out;
  std::uint32_t bits = 0;
  int have = 0;
  for (char c : text) {
    const char* p = c == '\0' ? nullptr : std::strchr(kAlphabet, c);
    if (p == nullptr) continue;  // line feeds and padding
    bits = (bits << 6) | static_cast<std::uint32_t>(p - kAlphabet);
    have += 6;
    if (have >= 8) {
      have -= 8;
      out.push_back(static_cast<unsigned char>(bits >> have));
    }
  }
  return out;
}

// Every line but the last holds 76 characters; only the last may be shorter.
bool lines_are_76(const std::string& text) {
  std::size_t start = 0;
  for (std::size_t q = text.find('\n'); q != std::string::npos; q = text.find('\n', start)) {
    if (q - start != 76) return false;
    start = q + 1;
  }
  return text.size() - start <= 76;
}

void check(const zString& s, const zString& result, const std::string& expected,
           const std::vector<unsigned char>& bytes) {
  FUZZ_REQUIRE(expected == s.data());
  FUZZ_REQUIRE(expected == result.data());
  FUZZ_REQUIRE(lines_are_76(expected));
  FUZZ_REQUIRE(decode(s.data()) == bytes);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const int mode = in.ConsumeIntegralInRange(0, 2);
  std::vector<unsigned char> bytes = in.ConsumeRemainingBytes<unsigned char>();
  zString s("former text");
  if (mode == 0) {
    const zString result = s.base64(bytes.data(), static_cast<long>(bytes.size()));
    check(s, result, encode(bytes), bytes);
  } else if (mode == 1) {
    // The string's own text as the input: read in full before it is replaced.
    bytes.push_back(0);
    s = reinterpret_cast<const char*>(bytes.data());
    const std::string own = s.data();
    const std::vector<unsigned char> input(own.begin(), own.end());
    auto* text = reinterpret_cast<unsigned char*>(const_cast<char*>(s.data()));
    const zString result = s.base64(text, static_cast<long>(own.size()));
    check(s, result, encode(input), input);
  } else {
    const long length = -static_cast<long>(bytes.size());
    const zString result = s.base64(bytes.data(), length);
    FUZZ_REQUIRE(s.length() == 0 && result.length() == 0);
  }
  return 0;
}
