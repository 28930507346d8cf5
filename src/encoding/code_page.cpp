// The code-page conversions' failure messages.
#include "encoding/code_page.h"

#include <string>

#include "frame/errors.h"

namespace zodode::detail {

using step = conversion_failure::step;

void throw_to_wide_failure(unsigned code_page, const conversion_failure& failure,
                           std::string_view text) {
  const bool utf8 = code_page == kCodePageUtf8;
  if (failure.failed == step::buffer) throw_vector_too_long();
  if (failure.failed == step::count_differs) {
    throw_message(utf8 ? kUtf8CountDiffers : kLatin1CountDiffers);
  }
  if (!utf8) throw_message(kLatin1SizeFailed + std::string(text));
  throw_message(kUtf8SizeFailedHead + std::to_string(failure.error) + kUtf8SizeFailedTail +
                std::string(text));
}

void throw_to_bytes_failure(const conversion_failure& failure) {
  if (failure.failed == step::buffer) throw_vector_too_long();
  throw_message(failure.failed == step::count_differs ? kToBytesCountDiffers : kToBytesSizeFailed);
}

std::wstring to_wide(unsigned code_page, std::string_view text) {
  std::wstring out;
  const conversion_failure failure = platform_to_wide(code_page, text, out);
  if (failure) throw_to_wide_failure(code_page, failure, text);
  return out;
}

std::string to_bytes(unsigned code_page, std::wstring_view text) {
  std::string out;
  const conversion_failure failure = platform_to_bytes(code_page, text, out);
  if (failure) throw_to_bytes_failure(failure);
  return out;
}

}  // namespace zodode::detail
