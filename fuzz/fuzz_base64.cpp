// Base64 of any bytes decodes back to them (the decoder here is the inverse,
// not a second encoder) and is laid out in lines of 76 characters, a line feed
// after each complete one. The string's own text as input gives what a copy gives; a
// length of zero or less gives the empty text.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "zString.h"

namespace {

// The bytes of Base64 text without line feeds; a character outside the
// alphabet or a misplaced '=' fails the property.
std::vector<unsigned char> decode(const std::string& text) {
  static const std::string kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::vector<unsigned char> out;
  FUZZ_REQUIRE(text.size() % 4 == 0);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    std::uint32_t bits = 0;
    int pad = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const std::size_t digit = kAlphabet.find(text[i + k]);
      pad += text[i + k] == '=';
      FUZZ_REQUIRE(digit != std::string::npos ? pad == 0 : text[i + k] == '=' && k >= 2);
      bits = bits << 6 | (digit == std::string::npos ? 0 : digit);
    }
    FUZZ_REQUIRE(pad == 0 || i + 4 == text.size());
    for (int k = 0; k < 3 - pad; ++k)
      out.push_back(static_cast<unsigned char>(bits >> (16 - 8 * k)));
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const bool negative = in.ConsumeBool();
  std::vector<unsigned char> bytes = in.ConsumeRemainingBytes<unsigned char>();
  const long length = static_cast<long>(bytes.size());
  zString s("former text");
  const zString result = s.base64(bytes.data(), negative ? -length : length);
  FUZZ_REQUIRE(std::strcmp(result.data(), s.data()) == 0);
  if (negative || length == 0) return FUZZ_REQUIRE(s.length() == 0), 0;
  const std::string text = s.data();
  // A line feed follows every 76 characters (19 groups, the last one padded or not).
  std::string joined;
  std::size_t p = 0;
  for (std::size_t end; (end = text.find('\n', p)) != std::string::npos; p = end + 1) {
    FUZZ_REQUIRE(end - p == 76);
    joined += text.substr(p, 76);
  }
  FUZZ_REQUIRE(text.size() - p <= 76 && (text.size() == p) == ((bytes.size() + 2) / 3 % 19 == 0));
  joined += text.substr(p);
  FUZZ_REQUIRE(decode(joined) == bytes);
  // The string's own text as input: read in full before the result replaces it.
  bytes.push_back(0);
  zString self(reinterpret_cast<const char*>(bytes.data())), copy(self);
  self.base64(reinterpret_cast<unsigned char*>(const_cast<char*>(self.data())), self.length());
  copy.base64(reinterpret_cast<unsigned char*>(const_cast<char*>(zString(copy).data())),
              copy.length());
  FUZZ_REQUIRE(std::strcmp(self.data(), copy.data()) == 0);
  return 0;
}
