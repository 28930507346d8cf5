// The converter of this build: the portable engine with the build's kernels.
#include "encoding/code_page_portable.h"

namespace zodode::detail {

conversion_failure platform_to_wide(unsigned code_page, std::string_view text, std::wstring& out) {
  return with_native_kernels(
      [&](auto kernels) { return portable_to_wide<decltype(kernels)>(code_page, text, out); });
}

conversion_failure platform_to_bytes(unsigned code_page, std::wstring_view text, std::string& out) {
  return with_native_kernels(
      [&](auto kernels) { return portable_to_bytes<decltype(kernels)>(code_page, text, out); });
}

}  // namespace zodode::detail
