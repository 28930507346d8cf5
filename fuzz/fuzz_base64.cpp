// Base64 against an RFC 4648 model with a line feed after every 76 characters
// (19 groups). Inputs are encoded from a separate buffer and from the string's
// own text; a negative length encodes nothing.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "zString.h"

namespace {

std::string encode(const std::vector<unsigned char>& in) {
  static const char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < in.size(); i += 3) {
    const std::size_t left = in.size() - i;
    std::uint32_t bits = std::uint32_t{in[i]} << 16;
    if (left > 1) bits |= std::uint32_t{in[i + 1]} << 8;
    if (left > 2) bits |= in[i + 2];
    for (std::size_t k = 0; k < 4; ++k) {
      out += k <= std::min<std::size_t>(left, 3) ? kAlphabet[(bits >> (18 - 6 * k)) & 63] : '=';
    }
    if ((i / 3 + 1) % 19 == 0) out += '\n';
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const int mode = in.ConsumeIntegralInRange(0, 2);
  std::vector<unsigned char> bytes = in.ConsumeRemainingBytes<unsigned char>();
  zString s("former text");
  const unsigned char* source = bytes.data();
  long length = static_cast<long>(bytes.size());
  if (mode == 1) {
    // The string's own text as the input: read in full before it is replaced.
    bytes.push_back(0);
    s = reinterpret_cast<const char*>(bytes.data());
    bytes.assign(s.data(), s.data() + s.length());
    source = reinterpret_cast<const unsigned char*>(s.data());
    length = static_cast<long>(bytes.size());
  }
  if (mode == 2) length = -length;
  const zString result = s.base64(const_cast<unsigned char*>(source), length);
  const std::string expected = mode == 2 ? "" : encode(bytes);
  FUZZ_REQUIRE(expected == s.data());
  FUZZ_REQUIRE(expected == result.data());
  return 0;
}
