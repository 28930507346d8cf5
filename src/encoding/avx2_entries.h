// The conversions over the AVX2 kernel set, compiled for AVX2 in
// kernels_avx2.cpp. Callers reach them only where avx2_usable() is true.
#ifndef ZODODE_ENCODING_AVX2_ENTRIES_H
#define ZODODE_ENCODING_AVX2_ENTRIES_H

#include <cstddef>
#include <string>
#include <string_view>

#include "encoding/code_page.h"

namespace zodode::detail::avx2 {

// platform_to_wide and platform_to_bytes of the portable converter.
conversion_failure to_wide(unsigned code_page, std::string_view text, std::wstring& out);
// UTF-8 to wide, `leads` counted by utf8_lead_bytes.
conversion_failure utf8_to_wide(std::string_view text, std::wstring& out, std::size_t leads);
conversion_failure to_bytes(unsigned code_page, std::wstring_view text, std::string& out);
conversion_failure to_bytes(unsigned code_page, std::wstring_view text, heap_text& out);

// rtf_escape for both results.
void rtf_escape_wide(std::wstring_view text, std::wstring& out);
void rtf_escape_narrow(std::wstring_view text, heap_text& out);

// Base64 of `lines` full lines of 57 bytes each, every line 76 characters and
// its line feed. Reads 7 bytes past the last line and writes 3 bytes past the
// last line feed; returns the end of the last line feed.
char* base64_lines(const unsigned char* in, std::size_t lines, char* out);

}  // namespace zodode::detail::avx2

#endif  // ZODODE_ENCODING_AVX2_ENTRIES_H
