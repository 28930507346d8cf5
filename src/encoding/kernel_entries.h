// The work that depends on the kernel set, as one table of functions per set.
// Each set's table is instantiated in a file of its own (kernels.cpp for the
// set this build runs anywhere, kernels_avx2.cpp for the AVX2 set, the one
// file compiled for AVX2), and chosen_entries() is the one place that picks
// the table, once, by what the processor runs.
#ifndef ZODODE_ENCODING_KERNEL_ENTRIES_H
#define ZODODE_ENCODING_KERNEL_ENTRIES_H

#include <cstddef>
#include <string>
#include <string_view>

#include "encoding/code_page.h"

namespace zodode::detail {

struct kernel_entries {
  // platform_to_wide and platform_to_bytes of the portable converter (null
  // on Windows, where the system converts).
  conversion_failure (*to_wide)(unsigned code_page, std::string_view text, std::wstring& out);
  conversion_failure (*to_bytes)(unsigned code_page, std::wstring_view text, std::string& out);
  conversion_failure (*to_heap_bytes)(unsigned code_page, std::wstring_view text, heap_text& out);
  // rtf_escape into either result.
  void (*rtf_wide)(std::wstring_view text, std::wstring& out);
  void (*rtf_narrow)(std::wstring_view text, heap_text& out);
  // Base64 of `lines` full lines of 57 bytes each, every line 76 characters
  // and its line feed. Reads 7 bytes past the last line and writes 3 bytes
  // past the last line feed; returns the end of the last line feed. Null
  // where the set has no such kernel: the caller encodes the lines itself.
  char* (*base64_lines)(const unsigned char* in, std::size_t lines, char* out);
};

// The table of the best set this processor runs.
const kernel_entries& chosen_entries();

// The AVX2 set's table (kernels_avx2.cpp); only chosen_entries() takes it.
const kernel_entries& avx2_entries();

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_KERNEL_ENTRIES_H
