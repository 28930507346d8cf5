#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "zString.h"

namespace {

// Encodes into a string that had a text; checks it holds the same text as the
// returned copy, in a buffer of its own.
std::string encode(const std::string& bytes) {
  zString s("old text");
  std::vector<unsigned char> in(bytes.begin(), bytes.end());
  const zString result = s.base64(in.data(), static_cast<long>(in.size()));
  EXPECT_STREQ(result.data(), s.data());
  EXPECT_NE(result.data(), s.data());
  return result.data();
}

// Bytes (i * 37 + 11) mod 256, i from 0.
std::string pattern(std::size_t n) {
  std::string bytes(n, '\0');
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>((i * 37 + 11) & 0xFF);
  return bytes;
}

// Decodes text without its line feeds; fails the test on a foreign byte.
std::string decode(const std::string& text) {
  const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string bytes;
  unsigned long bits = 0;
  int count = 0;
  for (const char c : text) {
    if (c == '\n' || c == '=') continue;
    const std::size_t v = alphabet.find(c);
    EXPECT_NE(std::string::npos, v) << "byte " << static_cast<int>(c);
    bits = (bits << 6) | (v & 0x3F);
    if ((count += 6) >= 8) bytes += static_cast<char>((bits >> (count -= 8)) & 0xFF);
  }
  return bytes;
}

// RFC 4648 section 10, then a zero byte around 0xFF.
TEST(Base64, RfcVectors) {
  // clang-format off
  const std::string vectors[][2] = {{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"\xFF", "/w=="}, {std::string("\x00\xFF\x00", 3), "AP8A"}};
  // clang-format on
  for (const auto& v : vectors) EXPECT_EQ(v[1], encode(v[0])) << "in=" << v[0];
}

// Expected texts from `base64 -w 76`, which ends every line with "\n"; here a
// line feed follows only a complete 19th group.
TEST(Base64, LineFeedAfterEveryNineteenthGroup) {
  const std::string line1 =
      "CzBVep/E6Q4zWH2ix+wRNluApcrvFDleg6jN8hc8YYar0PUaP2SJrtP4HUJnjLHW+yBFao+02f4j";
  const std::string line2 =
      "SG2St9wBJktwlbrfBClOc5i94gcsUXabwOUKL1R5nsPoDTJXfKHG6xA1Wn+kye4TOF2Cp8zxFjtg";
  EXPECT_EQ(line1.substr(0, 73) + "Q==\n", encode(pattern(55)));
  EXPECT_EQ(line1.substr(0, 75) + "=\n", encode(pattern(56)));
  EXPECT_EQ(line1 + "\n", encode(pattern(57)));
  EXPECT_EQ(line1 + "\nSA==", encode(pattern(58)));
  EXPECT_EQ(line1 + "\n" + line2 + "\n", encode(pattern(114)));
}

TEST(Base64, LongInputKeepsLinesOf76AndRoundTrips) {
  std::mt19937 random(20261205);
  std::string bytes(100000, '\0');
  for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
  const std::string text = encode(bytes);
  std::size_t start = 0, lines = 0;
  for (std::size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1) {
    ASSERT_EQ(76u, nl - start) << "line " << lines;
    ++lines;
  }
  EXPECT_EQ(100000u / 57, lines);
  EXPECT_EQ(text.size() - start, (100000u % 57 + 2) / 3 * 4);
  EXPECT_EQ(bytes, decode(text));
}

// A length of 0 or less empties both; the former text is read completely
// before it is replaced, so the data may point into it.
TEST(Base64, EmptyInputAndDataFromThisString) {
  zString never_set;
  EXPECT_STREQ("", never_set.base64(nullptr, 0).data());
  for (const long length : {0L, -1L, -100000L}) {
    zString s("abc");
    EXPECT_STREQ("", s.base64(nullptr, length).data());
    EXPECT_STREQ("", s.data());
  }
  zString s("foobar");
  const zString result = s.base64(reinterpret_cast<unsigned char*>(const_cast<char*>(s.data())), 6);
  EXPECT_TRUE(std::string("Zm9vYmFy") == s.data() && std::string("Zm9vYmFy") == result.data());
}

// The encoder writes whole lines and double groups at a time and copies the
// result slice by slice (64 lines of 57 bytes); every length near those
// boundaries keeps the layout and decodes back.
TEST(Base64, EveryLengthAroundLineAndSliceBoundariesRoundTrips) {
  std::vector<std::size_t> lengths;
  for (std::size_t n = 0; n <= 240; ++n) lengths.push_back(n);
  for (std::size_t n = 64 * 57 - 60; n <= 64 * 57 + 60; ++n) lengths.push_back(n);
  for (const std::size_t n : lengths) {
    const std::string bytes = pattern(n);
    const std::string text = encode(bytes);
    const std::size_t groups = (n + 2) / 3;
    ASSERT_EQ(groups * 4 + groups / 19, text.size()) << n;
    for (std::size_t i = 76; i < text.size(); i += 77) ASSERT_EQ('\n', text[i]) << n;
    const std::size_t pads = (3 - n % 3) % 3;
    const std::size_t last = text.size() - (groups % 19 == 0 && n > 0 ? 2 : 1);
    for (std::size_t k = 0; k < pads; ++k) ASSERT_EQ('=', text[last - k]) << n;
    ASSERT_EQ(bytes, decode(text)) << n;
  }
}

TEST(Base64, LongTextOfThisStringEncodesItsFormerSelf) {
  std::string text = pattern(10000);
  for (char& c : text) c = c == '\0' ? 'z' : c;
  zString s(text.c_str());
  const std::string expected = encode(text);
  const zString result =
      s.base64(reinterpret_cast<unsigned char*>(const_cast<char*>(s.data())), 10000);
  EXPECT_EQ(expected, s.data());
  EXPECT_EQ(expected, result.data());
}

}  // namespace
