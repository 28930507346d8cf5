// RTF escaping against a model: ASCII passes, U+FEFF goes, other units become
// "\uN?" (a unit past U+FFFF as its UTF-16 pair, past U+10FFFF as U+FFFD). The
// narrow form is that text up to its first NUL; neither form changes the string.
#include <cstdint>
#include <string>

#include "encoding/rtf_escape.h"
#include "fuzz_input.h"
#include "zString.h"
#include "zWString.h"

namespace {

std::wstring escape(const std::wstring& w) {
  std::wstring out;
  const auto put = [&out](std::uint32_t u) { out += L"\\u" + std::to_wstring(u) + L"?"; };
  for (wchar_t c : w) {
    const auto u = static_cast<std::uint32_t>(c);
    if (u <= 0x7F) {
      out += c;
    } else if (u > 0xFFFF && u <= 0x10FFFF) {
      put(0xD800 + ((u - 0x10000) >> 10));
      put(0xDC00 + ((u - 0x10000) & 0x3FF));
    } else if (u != 0xFEFF) {
      put(u > 0x10FFFF ? 0xFFFD : u);
    }
  }
  return out;
}

wchar_t take_unit(FuzzedDataProvider& in) {
  const int kind = in.ConsumeIntegralInRange(0, 3);
  if (kind == 0) return static_cast<wchar_t>(in.ConsumeIntegralInRange(0, 0x7F));
  if (kind == 1) return static_cast<wchar_t>(in.ConsumeIntegralInRange(0x80, 0xFFFF));
  if (kind == 2) return static_cast<wchar_t>(in.ConsumeBool() ? 0xFEFF : 0x10FFFF);
  return static_cast<wchar_t>(in.ConsumeIntegral<std::uint32_t>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::wstring w;
  while (in.remaining_bytes() > 0 && w.size() < 512) w += take_unit(in);
  zWString subject(w);
  const std::wstring expected = escape(w);
  FUZZ_REQUIRE(zodode::fuzz::reads_as(subject.toRTFW(), expected));
  const std::wstring narrow = zodode::fuzz::up_to_nul(expected);
  FUZZ_REQUIRE(std::string(narrow.begin(), narrow.end()) == subject.toRTF().data());
  FUZZ_REQUIRE(zodode::fuzz::reads_as(subject, w));
  // Every kernel set agrees with the model too.
  const std::string narrow_bytes(narrow.begin(), narrow.end());
  zodode::detail::for_each_kernel_set(zodode::detail::kernel_sets{}, [&](auto kernels) {
    std::wstring wide_out;
    std::string narrow_out;
    zodode::detail::rtf_escape<wchar_t, decltype(kernels)>(w, wide_out);
    zodode::detail::rtf_escape<char, decltype(kernels)>(w, narrow_out);
    FUZZ_REQUIRE(wide_out == expected && narrow_out == narrow_bytes);
  });
  return 0;
}
