// zWString's RTF escaping (rtf_escape.h).
#include <string>

#include "encoding/kernel_entries.h"
#include "encoding/rtf_escape.h"
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
  chosen_entries().rtf_wide(str_, result.str_);
  return result;
}

// The narrow text ends at the first NUL, so only the units before it count.
// It is escaped straight into the buffer the result then owns.
zString zWString::toRTF() {
  using namespace zodode::detail;
  heap_text text;
  chosen_entries().rtf_narrow(str_, text);
  zString result;
  result.buffer_ = text.release();
  return result;
}
