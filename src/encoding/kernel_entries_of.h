// A kernel set's table of entries (kernel_entries.h), instantiated in the one
// file compiled for that set.
#ifndef ZODODE_ENCODING_KERNEL_ENTRIES_OF_H
#define ZODODE_ENCODING_KERNEL_ENTRIES_OF_H

#include "encoding/kernel_entries.h"
#include "encoding/rtf_escape.h"
#if !defined(_WIN32)
#include "encoding/code_page_portable.h"
#endif

namespace zodode::detail {

template <typename Kernels>
constexpr kernel_entries entries_of() {
  kernel_entries e{};
#if !defined(_WIN32)
  e.to_wide = [](unsigned code_page, std::string_view text, std::wstring& out) {
    return portable_to_wide<Kernels>(code_page, text, out);
  };
  e.to_bytes = [](unsigned code_page, std::wstring_view text, std::string& out) {
    return portable_to_bytes<Kernels>(code_page, text, out);
  };
  e.to_heap_bytes = [](unsigned code_page, std::wstring_view text, heap_text& out) {
    return portable_to_bytes<Kernels>(code_page, text, out);
  };
#endif
  e.rtf_wide = [](std::wstring_view text, std::wstring& out) {
    rtf_escape<wchar_t, Kernels>(text, out);
  };
  e.rtf_narrow = [](std::wstring_view text, heap_text& out) {
    rtf_escape<char, Kernels>(text, out);
  };
  return e;
}

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_KERNEL_ENTRIES_OF_H
