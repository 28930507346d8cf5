// UTF-8 and "Latin1" (Windows-1252) conversion against models written here:
// a decoder that follows the flags-0 rules for ill-formed bytes, an encoder
// that turns lone surrogates and units past U+10FFFF into U+FFFD, and the
// Windows-1252 table. Properties checked besides: every decoded unit is a
// scalar value or U+FFFD; wide text without lone surrogates survives a UTF-8
// round trip (a valid surrogate pair comes back as the one unit it encodes);
// every byte survives a Latin1 round trip; toASCII keeps the low bytes.
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "zString.h"
#include "zWString.h"

namespace {

using zodode::fuzz::up_to_nul;

constexpr std::uint32_t kReplacement = 0xFFFD;

bool is_surrogate(std::uint32_t u) { return u >= 0xD800 && u <= 0xDFFF; }
bool is_continuation(unsigned char b) { return b >= 0x80 && b <= 0xBF; }

// How many continuation bytes lead byte b needs; 0 for a byte that cannot start one.
int needed_after(unsigned char b) {
  if (b >= 0xC2 && b <= 0xDF) return 1;
  if (b >= 0xE0 && b <= 0xEF) return 2;
  if (b >= 0xF0 && b <= 0xF4) return 3;
  return 0;
}

// The second byte's narrower range after E0, ED, F0 and F4 (no overlongs, no
// surrogates, nothing past U+10FFFF).
bool second_in_range(unsigned char lead, unsigned char b) {
  if (lead == 0xE0) return b >= 0xA0 && b <= 0xBF;
  if (lead == 0xED) return b >= 0x80 && b <= 0x9F;
  if (lead == 0xF0) return b >= 0x90 && b <= 0xBF;
  if (lead == 0xF4) return b >= 0x80 && b <= 0x8F;
  return is_continuation(b);
}

std::wstring decode_utf8(const std::string& s) {
  std::wstring out;
  std::size_t i = 0;
  while (i < s.size()) {
    const auto lead = static_cast<unsigned char>(s[i]);
    const int need = needed_after(lead);
    if (lead < 0x80) {
      out += static_cast<wchar_t>(lead);
      ++i;
      continue;
    }
    out += static_cast<wchar_t>(kReplacement);  // replaced below when well formed
    if (need == 0) {
      ++i;
      continue;
    }
    const auto second = static_cast<unsigned char>(i + 1 < s.size() ? s[i + 1] : 0);
    if (is_continuation(second) && !second_in_range(lead, second)) {
      i += 2;  // lead and second byte make one U+FFFD; what follows is read afresh
      continue;
    }
    int got = 0;
    while (got < need && i + 1 + got < s.size() &&
           is_continuation(static_cast<unsigned char>(s[i + 1 + got]))) {
      ++got;
    }
    if (got == need) {
      std::uint32_t cp = lead & (0x7F >> (need + 1));
      for (int k = 1; k <= need; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
      out.back() = static_cast<wchar_t>(cp);
    }
    i += 1 + got;
  }
  return out;
}

void put_utf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The code points of w up to its first NUL: valid pairs joined, lone
// surrogates and units past U+10FFFF as U+FFFD. lone is set when any was replaced.
std::u32string code_points(const std::wstring& w, bool& lone) {
  std::u32string out;
  lone = false;
  for (std::size_t i = 0; i < w.size() && w[i] != 0; ++i) {
    const auto u = static_cast<std::uint32_t>(w[i]);
    const auto next = static_cast<std::uint32_t>(i + 1 < w.size() ? w[i + 1] : 0);
    if (u >= 0xD800 && u <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
      out += 0x10000 + ((u - 0xD800) << 10) + (next - 0xDC00);
      ++i;
    } else if (is_surrogate(u) || u > 0x10FFFF) {
      out += kReplacement;
      lone = true;
    } else {
      out += u;
    }
  }
  return out;
}

// Windows-1252 0x80-0x9F; the five undefined bytes map to the same C1 control.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

wchar_t latin1_unit(unsigned char b) {
  return static_cast<wchar_t>(b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : b);
}

char latin1_byte(std::uint32_t u) {
  for (unsigned b = 1; b < 256; ++b) {
    if (static_cast<std::uint32_t>(latin1_unit(static_cast<unsigned char>(b))) == u) {
      return static_cast<char>(b);
    }
  }
  return '?';
}

wchar_t take_unit(FuzzedDataProvider& in) {
  static const std::uint32_t kEdges[] = {0x7F,    0x80,     0x7FF,    0x800,  0xD7FF, 0xD800,
                                         0xDBFF,  0xDC00,   0xDFFF,   0xE000, 0xFFFD, 0xFFFF,
                                         0x10000, 0x10FFFF, 0x110000, 0x20AC, 0x9D,   0xFFFFFFFF};
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return static_cast<wchar_t>(kEdges[in.ConsumeIntegralInRange<std::size_t>(0, 17)]);
    case 1:
      return static_cast<wchar_t>(in.ConsumeIntegralInRange(0xD800, 0xDFFF));
    case 2:
      return static_cast<wchar_t>(in.ConsumeIntegralInRange(1, 0x300));
    default:
      return static_cast<wchar_t>(in.ConsumeIntegral<std::uint32_t>());
  }
}

bool reads_as(const zWString& w, const std::wstring& m) {
  return w.size() == m.size() && std::wstring(w.c_str(), w.size()) == m;
}

void check_decode(const std::string& bytes) {
  const std::string text = up_to_nul(bytes);
  const zWString utf8 = zWString::fromUtf8(zString(text.c_str()));
  FUZZ_REQUIRE(reads_as(utf8, decode_utf8(text)));
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto u = static_cast<std::uint32_t>(utf8[static_cast<unsigned>(i)]);
    FUZZ_REQUIRE(u != 0 && u <= 0x10FFFF && !is_surrogate(u));
  }
  std::wstring latin1;
  for (char c : text) latin1 += latin1_unit(static_cast<unsigned char>(c));
  const zWString from_latin1 = zWString::fromLatin1(zString(text.c_str()));
  FUZZ_REQUIRE(reads_as(from_latin1, latin1));
  FUZZ_REQUIRE(text == from_latin1.toLatin1().data());
}

void check_encode(const std::wstring& w) {
  bool lone = false;
  const std::u32string points = code_points(w, lone);
  std::string utf8;
  for (char32_t cp : points) put_utf8(utf8, cp);
  // Code page 0 maps unit by unit: the two halves of a pair give two '?'.
  std::string latin1;
  for (std::size_t i = 0; i < w.size() && w[i] != 0; ++i) {
    latin1 += latin1_byte(static_cast<std::uint32_t>(w[i]));
  }
  const zWString subject(w);
  const zString encoded = subject.toUtf8();
  FUZZ_REQUIRE(utf8 == encoded.data());
  FUZZ_REQUIRE(latin1 == subject.toLatin1().data());
  if (!lone) {
    const std::wstring expected(points.begin(), points.end());
    FUZZ_REQUIRE(reads_as(zWString::fromUtf8(encoded), expected));
  }
}

// count is at most the length: reading past it is the caller's fault.
void check_ascii(const std::wstring& w, unsigned pick) {
  zWString subject(w);
  const unsigned count = pick % (static_cast<unsigned>(w.size()) + 1);
  std::string low;
  for (unsigned i = 0; i < count && (w[i] & 0xFF) != 0; ++i) low += static_cast<char>(w[i] & 0xFF);
  zString out("former");
  subject.toASCII(count, out);
  FUZZ_REQUIRE(low == out.data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  if (in.ConsumeBool()) {
    check_decode(in.ConsumeRemainingBytesAsString());
    return 0;
  }
  const unsigned pick = in.ConsumeIntegral<std::uint8_t>();
  std::wstring w;
  while (in.remaining_bytes() > 0 && w.size() < 256) w += take_unit(in);
  check_encode(w);
  check_ascii(w, pick);
  return 0;
}
