// The encoding members of zString and zWString: Base64 against RFC 4648 and
// `base64 -w 76`, and the code-page and RTF members around the conversions
// (the conversions themselves: code_pages_internal_test, kernels_internal_test).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zString.h"
#include "zWString.h"

namespace {

std::string encode(const std::string& bytes) {
  zString s("old text");
  std::vector<unsigned char> in(bytes.begin(), bytes.end());
  const zString result = s.base64(in.data(), static_cast<long>(in.size()));
  EXPECT_STREQ(result.data(), s.data());
  return result.data();
}

// Bytes (i * 37 + 11) mod 256, i from 0.
std::string pattern(std::size_t n) {
  std::string bytes(n, '\0');
  for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>((i * 37 + 11) & 0xFF);
  return bytes;
}

// RFC 4648 section 10; then lines from `base64 -w 76`, which ends every line
// with "\n": here a line feed follows every 19th group, padded or not.
TEST(Base64, RfcVectorsAndLinesOf76) {
  // clang-format off
  const std::string vectors[][2] = {{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="},
      {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"\xFF", "/w=="}, {std::string("\x00\xFF\x00", 3), "AP8A"}};
  // clang-format on
  for (const auto& v : vectors) EXPECT_EQ(v[1], encode(v[0])) << v[0];
  const std::string line1 =
      "CzBVep/E6Q4zWH2ix+wRNluApcrvFDleg6jN8hc8YYar0PUaP2SJrtP4HUJnjLHW+yBFao+02f4j";
  const std::string line2 =
      "SG2St9wBJktwlbrfBClOc5i94gcsUXabwOUKL1R5nsPoDTJXfKHG6xA1Wn+kye4TOF2Cp8zxFjtg";
  EXPECT_EQ(line1.substr(0, 73) + "Q==\n", encode(pattern(55)));
  EXPECT_EQ(line1.substr(0, 75) + "=\n", encode(pattern(56)));
  EXPECT_EQ(line1 + "\n", encode(pattern(57)));
  EXPECT_EQ(line1 + "\nSA==", encode(pattern(58)));
  EXPECT_EQ(line1 + "\n" + line2 + "\n", encode(pattern(114)));
  // Whole lines concatenate: lengths around the encoder's 64-line slices.
  for (std::size_t n = 64 * 57 - 60; n <= 64 * 57 + 60; ++n) {
    const std::string bytes = pattern(n);
    const std::size_t cut = n / 57 / 2 * 57;
    ASSERT_EQ(encode(bytes.substr(0, cut)) + encode(bytes.substr(cut)), encode(bytes)) << n;
  }
}

// A length of 0 or less empties both. (Data from this string's own text is fuzzed.)
TEST(Base64, NonPositiveLengthEmptiesBoth) {
  for (const long length : {0L, -1L, -100000L}) {
    zString s("abc");
    EXPECT_TRUE(*s.base64(nullptr, length).data() == '\0' && *s.data() == '\0') << length;
  }
}

std::wstring units(const zWString& s) { return std::wstring(s.c_str(), s.size()); }

// Each member converts up to the first NUL with its own code page; E-acute
// and the euro sign are one byte in Windows-1252, two and three in UTF-8.
TEST(WideCodePages, MembersConvertUpToTheFirstNul) {
  const zWString wide(std::wstring(L"\x00E9\x20AC\0x", 4));
  EXPECT_STREQ("\xC3\xA9\xE2\x82\xAC", wide.toUtf8().data());
  EXPECT_STREQ("\xE9\x80", wide.toLatin1().data());
  EXPECT_EQ(L"\x00E9\x20AC", units(zWString::fromUtf8("\xC3\xA9\xE2\x82\xAC")));
  EXPECT_EQ(L"\x00E9\x20AC", units(zWString::fromLatin1("\xE9\x80")));
  EXPECT_TRUE(zWString::fromUtf8(zString()).empty() && zWString::fromLatin1(zString("")).empty());
  EXPECT_TRUE(*zWString().toUtf8().data() == '\0' && *zWString().toLatin1().data() == '\0');
  // toASCII: the low bytes of the first count units, up to the first zero byte.
  const std::tuple<std::wstring, unsigned, const char*> cases[] = {
      {L"A\x00E9\x20AC"
       L"x",
       3, "A\xE9\xAC"},
      {L"\x0100"
       L"A",
       2, ""},
      {L"abc", 2, "ab"},
      {L"abc", 0, ""},
      {{L'a', static_cast<wchar_t>(0xFFE9)}, 2, "a\xE9"},
      {L"ab", 4294967295u, "ab"}};
  for (const auto& [text, count, want] : cases) {
    zWString s(text);
    zString out("former text");
    s.toASCII(count, out);
    EXPECT_TRUE(std::string(want) == out.data() && units(s) == text) << count;
  }
}

TEST(WideRtf, MembersEscapeAndCutTheNarrowFormAtNul) {
  zWString s(std::wstring(L"Gr\x00FC\xFEFF\0\x00E9", 6));
  EXPECT_EQ(std::wstring(L"Gr\\u252?\0\\u233?", 15), units(s.toRTFW()));
  EXPECT_STREQ("Gr\\u252?", s.toRTF().data());
  EXPECT_EQ(std::wstring(L"Gr\x00FC\xFEFF\0\x00E9", 6), units(s));
}

// ASCII, then characters of three bytes and five-digit escapes: the result
// outgrows the size its first rounds projected.
TEST(WideRtf, ResultsOutgrowTheirProjection) {
  zWString s(std::wstring(3000, L'a') + std::wstring(3000, wchar_t(0x4E2D)));  // toRTF is not const
  std::string utf8(3000, 'a'), rtf(3000, 'a');
  for (int i = 0; i < 3000; ++i) utf8 += "\xE4\xB8\xAD", rtf += "\\u20013?";
  EXPECT_EQ(utf8, s.toUtf8().data());
  EXPECT_EQ(rtf, s.toRTF().data());
}

}  // namespace
