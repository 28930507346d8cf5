// UTF-8 and "Latin1" (Windows-1252) conversion against models written here.
// Besides: every decoded unit is a scalar value or U+FFFD; wide text without lone
// surrogates (or units past U+10FFFF) survives a UTF-8 round trip, a valid pair
// coming back as one unit; every byte survives a Latin1 round trip.
#include <cstdint>
#include <string>

#include "encoding/code_page_portable.h"
#include "fuzz_input.h"
#include "zString.h"
#include "zWString.h"

namespace {

using namespace zodode::fuzz;

bool is_surrogate(std::uint32_t u) { return u >= 0xD800 && u <= 0xDFFF; }
bool is_continuation(unsigned char b) { return b >= 0x80 && b <= 0xBF; }

// How many continuation bytes lead byte b needs; 0 for a byte that cannot start one.
int needed_after(unsigned char b) {
  return b >= 0xC2 && b <= 0xDF ? 1 : b >= 0xE0 && b <= 0xEF ? 2 : b >= 0xF0 && b <= 0xF4 ? 3 : 0;
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

// Each maximal ill-formed part becomes one U+FFFD; a lead byte with a second
// byte out of its range makes one U+FFFD with it, and what follows is read afresh.
std::wstring decode_utf8(const std::string& s) {
  std::wstring out;
  const auto at = [&](std::size_t i) {
    return static_cast<unsigned char>(i < s.size() ? s[i] : 0);
  };
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char lead = at(i);
    const int need = needed_after(lead);
    out += static_cast<wchar_t>(lead < 0x80 ? lead : 0xFFFD);
    if (need == 0 || (is_continuation(at(i + 1)) && !second_in_range(lead, at(i + 1)))) {
      i += need == 0 ? 1 : 2;
      continue;
    }
    int got = 0;
    while (got < need && is_continuation(at(i + 1 + got))) ++got;
    std::uint32_t cp = lead & (0x7F >> (need + 1));
    for (int k = 1; k <= got; ++k) cp = (cp << 6) | (at(i + k) & 0x3F);
    if (got == need) out.back() = static_cast<wchar_t>(cp);
    i += 1 + got;
  }
  return out;
}

void put_utf8(std::string& out, std::uint32_t cp) {
  const int extra = cp < 0x80 ? 0 : cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
  out += static_cast<char>(extra == 0 ? cp : ((0xFF << (7 - extra)) & 0xFF) | (cp >> (6 * extra)));
  for (int k = extra - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F));
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
    if (static_cast<std::uint32_t>(latin1_unit(static_cast<unsigned char>(b))) == u)
      return static_cast<char>(b);
  }
  return '?';
}

wchar_t take_unit(In& in) {
  static const std::uint32_t kEdges[] = {0x7F,    0x80,     0x7FF,    0x800,  0xD7FF, 0xD800,
                                         0xDBFF,  0xDC00,   0xDFFF,   0xE000, 0xFFFD, 0xFFFF,
                                         0x10000, 0x10FFFF, 0x110000, 0x20AC, 0x9D,   0xFFFFFFFF};
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return static_cast<wchar_t>(in.PickValueInArray(kEdges));
    case 1:
      return static_cast<wchar_t>(in.ConsumeIntegralInRange(0xD800, 0xDFFF));
    case 2:
      return static_cast<wchar_t>(in.ConsumeIntegralInRange(1, 0x300));
  }
  return static_cast<wchar_t>(in.ConsumeIntegral<std::uint32_t>());
}

// The portable converter with every kernel set gives the same text as the
// public members.
void check_kernel_sets(const std::string& text, const zWString& utf8, const zWString& latin1) {
  using namespace zodode::detail;
  for_each_kernel_set(kernel_sets{}, [&](auto kernels) {
    using Kernels = decltype(kernels);
    std::wstring out;
    FUZZ_REQUIRE(!portable_to_wide<Kernels>(kCodePageUtf8, text, out) && reads_as(utf8, out));
    FUZZ_REQUIRE(!portable_to_wide<Kernels>(kCodePageAnsi, text, out) && reads_as(latin1, out));
  });
}

void check_kernel_sets(const std::wstring& w, const zString& utf8, const zString& latin1) {
  using namespace zodode::detail;
  for_each_kernel_set(kernel_sets{}, [&](auto kernels) {
    using Kernels = decltype(kernels);
    std::string out;
    FUZZ_REQUIRE(!portable_to_bytes<Kernels>(kCodePageUtf8, w, out) && out == utf8.data());
    FUZZ_REQUIRE(!portable_to_bytes<Kernels>(kCodePageAnsi, w, out) && out == latin1.data());
  });
}

void check_decode(const std::string& bytes) {
  const std::string text = up_to_nul(bytes);
  const zWString utf8 = zWString::fromUtf8(zString(text.c_str()));
  FUZZ_REQUIRE(reads_as(utf8, decode_utf8(text)));
  for (unsigned i = 0; i < utf8.size(); ++i) {
    const auto u = static_cast<std::uint32_t>(utf8[i]);
    FUZZ_REQUIRE(u != 0 && u <= 0x10FFFF && !is_surrogate(u));
  }
  std::wstring latin1;
  for (char c : text) latin1 += latin1_unit(static_cast<unsigned char>(c));
  const zWString from_latin1 = zWString::fromLatin1(zString(text.c_str()));
  FUZZ_REQUIRE(reads_as(from_latin1, latin1));
  FUZZ_REQUIRE(text == from_latin1.toLatin1().data());
  check_kernel_sets(text, utf8, from_latin1);
}

// UTF-8 joins valid pairs and writes lone surrogates and units past U+10FFFF as
// U+FFFD; code page 0 maps unit by unit, so the two halves of a pair give two '?'.
void check_encode(const std::wstring& w, unsigned pick) {
  std::string utf8, latin1;
  std::wstring points;
  bool lone = false;
  for (std::size_t i = 0; i < w.size() && w[i] != 0; ++i) {
    const auto u = static_cast<std::uint32_t>(w[i]);
    const auto next = static_cast<std::uint32_t>(i + 1 < w.size() ? w[i + 1] : 0);
    latin1 += latin1_byte(u);
    if (u >= 0xD800 && u <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
      points += static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) + (next - 0xDC00));
      latin1 += latin1_byte(next);
      ++i;
    } else {
      lone = lone || is_surrogate(u) || u > 0x10FFFF;
      points += static_cast<wchar_t>(is_surrogate(u) || u > 0x10FFFF ? 0xFFFD : u);
    }
    put_utf8(utf8, static_cast<std::uint32_t>(points.back()));
  }
  zWString subject(w);
  const zString encoded = subject.toUtf8();
  FUZZ_REQUIRE(utf8 == encoded.data());
  const zString encoded_latin1 = subject.toLatin1();
  FUZZ_REQUIRE(latin1 == encoded_latin1.data());
  check_kernel_sets(w, encoded, encoded_latin1);
  if (!lone) FUZZ_REQUIRE(reads_as(zWString::fromUtf8(encoded), points));
  // toASCII: count is at most the length, reading past it is the caller's fault.
  const unsigned count = pick % (static_cast<unsigned>(w.size()) + 1);
  std::string low;
  for (unsigned i = 0; i < count && (w[i] & 0xFF) != 0; ++i) low += static_cast<char>(w[i] & 0xFF);
  zString out("former");
  subject.toASCII(count, out);
  FUZZ_REQUIRE(low == out.data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  In in(data, size);
  if (in.ConsumeBool()) {
    check_decode(in.ConsumeRemainingBytesAsString());
    return 0;
  }
  const unsigned pick = in.ConsumeIntegral<std::uint8_t>();
  std::wstring w;
  while (in.remaining_bytes() > 0 && w.size() < 256) w += take_unit(in);
  check_encode(w, pick);
  return 0;
}
