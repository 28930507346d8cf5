// The converter of this build: the portable engine with the build's kernels,
// or with the AVX2 set where the processor has it (kernels.h).
#include "encoding/code_page_portable.h"

#if defined(ZODODE_KERNELS_AVX2)
#include "encoding/avx2_entries.h"
#endif

namespace zodode::detail {

// A long UTF-8 text without multi-byte sequences gains nothing from the AVX2
// set's sequence kernels, and its ASCII runs measured a third quicker in this
// file's SSE2 instantiation than in the AVX2 file's (same loop, same
// instruction count): such a text stays with the SSE2 set. Its lead bytes are
// counted once, for that choice and to size the result.
conversion_failure platform_to_wide(unsigned code_page, std::string_view text, std::wstring& out) {
#if defined(ZODODE_KERNELS_AVX2)
  if (avx2_usable()) {
    if (code_page != kCodePageUtf8) return avx2::to_wide(code_page, text, out);
    const std::size_t leads = utf8_lead_bytes<native_kernels>(text);
    if (text.size() <= kShortText || leads != text.size()) {
      return avx2::utf8_to_wide(text, out, leads);
    }
    return portable_utf8_to_wide<native_kernels>(text, out, leads);
  }
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
