// RTF escaping against a model: ASCII passes, U+FEFF goes, every other unit
// becomes "\uN?" with N its unsigned value; where wchar_t is 32 bits a unit in
// U+10000-U+10FFFF gives the escapes of its UTF-16 pair and a unit past
// U+10FFFF the escape of U+FFFD. The narrow form is the same text cut at the
// first NUL; neither form changes the string.
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "zString.h"
#include "zWString.h"

namespace {

void put_escape(std::wstring& out, std::uint32_t unit) {
  out += L"\\u" + std::to_wstring(unit) + L"?";
}

std::wstring escape(const std::wstring& w) {
  std::wstring out;
  for (wchar_t c : w) {
    const auto u = static_cast<std::uint32_t>(c);
    if (u <= 0x7F) {
      out += c;
    } else if (u == 0xFEFF) {
      continue;
    } else if (u > 0xFFFF && u <= 0x10FFFF) {
      put_escape(out, 0xD800 + ((u - 0x10000) >> 10));
      put_escape(out, 0xDC00 + ((u - 0x10000) & 0x3FF));
    } else {
      put_escape(out, u > 0x10FFFF ? 0xFFFD : u);
    }
  }
  return out;
}

wchar_t take_unit(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
      return static_cast<wchar_t>(in.ConsumeIntegralInRange(0, 0x7F));
    case 1:
      return static_cast<wchar_t>(in.ConsumeIntegralInRange(0x80, 0xFFFF));
    case 2:
      return in.ConsumeBool() ? static_cast<wchar_t>(0xFEFF) : static_cast<wchar_t>(0x10FFFF);
    default:
      return static_cast<wchar_t>(in.ConsumeIntegral<std::uint32_t>());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  std::wstring w;
  while (in.remaining_bytes() > 0 && w.size() < 512) w += take_unit(in);
  zWString subject(w);
  const std::wstring expected = escape(w);
  const zWString wide = subject.toRTFW();
  FUZZ_REQUIRE(std::wstring(wide.c_str(), wide.size()) == expected);
  std::string narrow;
  for (wchar_t c : expected) {
    if (c == 0) break;
    narrow += static_cast<char>(c);
  }
  FUZZ_REQUIRE(narrow == subject.toRTF().data());
  FUZZ_REQUIRE(std::wstring(subject.c_str(), subject.size()) == w);
  return 0;
}
