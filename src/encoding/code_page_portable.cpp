// The converter of this build: the portable engine with the build's kernels,
// or with the AVX2 set where the processor has it (kernels.h).
#include "encoding/code_page_portable.h"

#if defined(ZODODE_KERNELS_AVX2)
#include "encoding/avx2_entries.h"
#endif

namespace zodode::detail {

conversion_failure platform_to_wide(unsigned code_page, std::string_view text, std::wstring& out) {
#if defined(ZODODE_KERNELS_AVX2)
  if (avx2_usable()) return avx2::to_wide(code_page, text, out);
#endif
  return with_native_kernels(
      [&](auto kernels) { return portable_to_wide<decltype(kernels)>(code_page, text, out); });
}

conversion_failure platform_to_bytes(unsigned code_page, std::wstring_view text, std::string& out) {
#if defined(ZODODE_KERNELS_AVX2)
  if (avx2_usable()) return avx2::to_bytes(code_page, text, out);
#endif
  return with_native_kernels(
      [&](auto kernels) { return portable_to_bytes<decltype(kernels)>(code_page, text, out); });
}

conversion_failure platform_to_bytes(unsigned code_page, std::wstring_view text, heap_text& out) {
#if defined(ZODODE_KERNELS_AVX2)
  if (avx2_usable()) return avx2::to_bytes(code_page, text, out);
#endif
  return with_native_kernels(
      [&](auto kernels) { return portable_to_bytes<decltype(kernels)>(code_page, text, out); });
}

}  // namespace zodode::detail
