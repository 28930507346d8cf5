// Code pages and RTF by properties, no model: every kernel set gives what the
// public members give; decoded units are Unicode scalar values or U+FFFD (and
// the NUL ends the text); wide text encodes to UTF-8 that decodes back (a valid
// pair as one code point, a lone surrogate or a unit past U+10FFFF as U+FFFD);
// every Windows-1252 byte comes back; the narrow RTF text is the wide one up
// to its first NUL; and over several rounds every set gives what the scalar
// set gives.
#include <cstdint>
#include <cstring>
#include <string>

#include "encoding/code_page.h"
#include "encoding/code_page_portable.h"
#include "encoding/rtf_escape.h"
#include "fuzz_input.h"
#include "zString.h"
#include "zWString.h"

namespace {

using namespace zodode::detail;

std::wstring units(const zWString& w) { return std::wstring(w.c_str(), w.size()); }

void check_decode(std::string text) {
  text.resize(std::strlen(text.c_str()));  // a narrow text ends at its first NUL
  const std::wstring utf8 = units(zWString::fromUtf8(zString(text.c_str())));
  const zWString latin1 = zWString::fromLatin1(zString(text.c_str()));
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const std::uint32_t u = unit_bits(utf8[i]);
    const bool pair = sizeof(wchar_t) == 2 && is_high_surrogate(u) && i + 1 < utf8.size() &&
                      is_low_surrogate(unit_bits(utf8[i + 1]));
    FUZZ_REQUIRE(u != 0 && u <= kMaxCodePoint && (!is_surrogate(u) || pair));
    i += pair;
  }
  FUZZ_REQUIRE(units(zWString::fromUtf8(zWString(utf8).toUtf8())) ==
               utf8);  // decoded text is valid
  FUZZ_REQUIRE(text == latin1.toLatin1().data());
  for_each_kernel_set(kernel_sets{}, [&](auto kernels) {
    std::wstring out;
    FUZZ_REQUIRE(!portable_to_wide<decltype(kernels)>(kCodePageUtf8, text, out) && out == utf8);
    FUZZ_REQUIRE(!portable_to_wide<decltype(kernels)>(kCodePageAnsi, text, out) &&
                 out == units(latin1));
  });
}

void check_encode(const std::wstring& w) {
  zWString subject(w);
  const zString utf8 = subject.toUtf8(), latin1 = subject.toLatin1();
  std::wstring cut = w.substr(0, w.find(L'\0'));  // what UTF-8 gives back
  for (std::size_t i = 0; i < cut.size(); ++i) {
    const std::uint32_t u = unit_bits(cut[i]);
    const bool pair =
        is_high_surrogate(u) && i + 1 < cut.size() && is_low_surrogate(unit_bits(cut[i + 1]));
    if (sizeof(wchar_t) == 4 && pair)
      cut.replace(i, 2, 1, wchar_t(pair_code_point(u, unit_bits(cut[i + 1]))));
    if (!pair && (is_surrogate(u) || u > kMaxCodePoint))
      cut[i] = static_cast<wchar_t>(kReplacement);
    i += sizeof(wchar_t) == 2 && pair;
  }
  FUZZ_REQUIRE(units(zWString::fromUtf8(utf8)) == cut);
  const std::wstring rtf = units(subject.toRTFW());
  const std::string narrow_rtf = subject.toRTF();
  FUZZ_REQUIRE(narrow_rtf == std::string(rtf.begin(), rtf.end()).c_str());
  for_each_kernel_set(kernel_sets{}, [&](auto kernels) {
    using Kernels = decltype(kernels);
    std::string bytes, narrow;
    std::wstring wide;
    FUZZ_REQUIRE(!portable_to_bytes<Kernels>(kCodePageUtf8, w, bytes) && bytes == utf8.data());
    FUZZ_REQUIRE(!portable_to_bytes<Kernels>(kCodePageAnsi, w, bytes) && bytes == latin1.data());
    rtf_escape<char, Kernels>(w, narrow);
    rtf_escape<wchar_t, Kernels>(w, wide);
    FUZZ_REQUIRE(wide == rtf && narrow == narrow_rtf);
  });
}

// Texts of several rounds: `shift` ASCII units, then the text over and over,
// through every set as through the scalar one, so that rounds end at every
// kind of character.
void check_rounds(const std::wstring& w, std::size_t shift) {
  if (w.empty()) return;
  std::wstring text(shift, L'x');
  while (text.size() < 3 * kRound) text += w;
  std::string utf8, latin1, rtf;
  std::wstring rtfw;
  FUZZ_REQUIRE(!portable_to_bytes<scalar_kernels>(kCodePageUtf8, text, utf8) &&
               !portable_to_bytes<scalar_kernels>(kCodePageAnsi, text, latin1));
  rtf_escape<char, scalar_kernels>(text, rtf);
  rtf_escape<wchar_t, scalar_kernels>(text, rtfw);
  for_each_kernel_set(kernel_sets{}, [&](auto kernels) {
    using Kernels = decltype(kernels);
    std::string bytes, narrow;
    std::wstring wide;
    FUZZ_REQUIRE(!portable_to_bytes<Kernels>(kCodePageUtf8, text, bytes) && bytes == utf8);
    FUZZ_REQUIRE(!portable_to_bytes<Kernels>(kCodePageAnsi, text, bytes) && bytes == latin1);
    std::wstring back;
    FUZZ_REQUIRE(!portable_to_wide<Kernels>(kCodePageAnsi, latin1, back));
    FUZZ_REQUIRE(!portable_to_bytes<Kernels>(kCodePageAnsi, back, bytes) && bytes == latin1);
    rtf_escape<char, Kernels>(text, narrow);
    rtf_escape<wchar_t, Kernels>(text, wide);
    FUZZ_REQUIRE(wide == rtfw && narrow == rtf);
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zodode::fuzz::In in(data, size);
  if (in.ConsumeBool()) {
    check_decode(in.ConsumeRemainingBytesAsString());
    return 0;
  }
  static const std::uint32_t kEdges[] = {0x7F,   0x80,   0x9F,    0xA0,     0x7FF,    0x800,
                                         0xD7FF, 0xD800, 0xDBFF,  0xDC00,   0xDFFF,   0xE000,
                                         0xFEFF, 0xFFFF, 0x10000, 0x10FFFF, 0x110000, 0xFFFFFFFF};
  const std::size_t shift = in.ConsumeIntegralInRange<std::size_t>(0, 2 * kRound);
  std::wstring w;
  while (in.remaining_bytes() > 0 && w.size() < 512) {
    const int kind = in.ConsumeIntegralInRange(0, 3);
    w += static_cast<wchar_t>(kind == 0   ? in.PickValueInArray(kEdges)
                              : kind == 1 ? in.ConsumeIntegralInRange(0, 0x7F)
                              : kind == 2 ? in.ConsumeIntegralInRange(0x80, 0xFFFF)
                                          : in.ConsumeIntegral<std::uint32_t>());
  }
  check_encode(w);
  check_rounds(w, shift);
  return 0;
}
