// zWString's RTF escaping (rtf_escape.h).
#include <string>

#include "encoding/rtf_escape.h"
#if defined(ZODODE_KERNELS_AVX2)
#include "encoding/avx2_entries.h"
#endif
#include "frame/errors.h"
#include "zWString.h"

// A text that might give more than max_size() units is measured first, so the
// length error comes before anything is allocated.
zWString zWString::toRTFW() {
  using namespace zodode::detail;
  if (str_.size() > kWideMaxSize / 16) {
    rtf::rtf_length length;
    for (const wchar_t c : str_) rtf::escape_unit(unit_bits(c), length);
    if (length.length() > kWideMaxSize) throw_string_too_long();
  }
  zWString result;
#if defined(ZODODE_KERNELS_AVX2)
  if (avx2_usable()) {
    avx2::rtf_escape_wide(str_, result.str_);
    return result;
  }
#endif
  with_native_kernels(
      [&](auto kernels) { rtf_escape<wchar_t, decltype(kernels)>(str_, result.str_); });
  return result;
}

// The narrow text ends at the first NUL, so only the units before it count.
// It is escaped straight into the buffer the result then owns.
zString zWString::toRTF() {
  using namespace zodode::detail;
  heap_text text;
#if defined(ZODODE_KERNELS_AVX2)
  if (avx2_usable()) {
    avx2::rtf_escape_narrow(str_, text);
  } else
#endif
  {
    with_native_kernels([&](auto kernels) { rtf_escape<char, decltype(kernels)>(str_, text); });
  }
  zString result;
  result.buffer_ = text.release();
  return result;
}
