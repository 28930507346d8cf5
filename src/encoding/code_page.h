// Conversions between wide text and a code page: UTF-8 (65001) and code page
// 0, the ANSI code page, which is Windows-1252 wherever the portable converter
// serves. The platform's converter does the work; this layer chooses the code
// page and turns a failure into the library's fixed message.
#ifndef ZODODE_ENCODING_CODE_PAGE_H
#define ZODODE_ENCODING_CODE_PAGE_H

#include <string>
#include <string_view>

namespace zodode::detail {

inline constexpr unsigned kCodePageUtf8 = 65001;
inline constexpr unsigned kCodePageAnsi = 0;

// How a conversion failed, with what its message needs.
struct conversion_failure {
  enum class step {
    none,
    size_query,    // the size query failed; error is the system's code for why
    buffer,        // the size passes the largest working buffer
    count_differs  // the conversion wrote another count than the query gave
  };
  step failed = step::none;
  unsigned long error = 0;
  explicit operator bool() const { return failed != step::none; }
};

// The platform converter (code_page_win32.cpp or code_page_portable.cpp):
// converts a whole text as Windows' calls with flags 0 and a source length of
// -1 do, the text ending at its first NUL; a NUL must follow the view. out
// gets the result up to its first NUL, and is unspecified after a failure.
conversion_failure platform_to_wide(unsigned code_page, std::string_view text, std::wstring& out);
conversion_failure platform_to_bytes(unsigned code_page, std::wstring_view text, std::string& out);

// The failure's message, thrown. The size query's failure from narrow text
// quotes the text.
[[noreturn]] void throw_to_wide_failure(unsigned code_page, const conversion_failure& failure,
                                        std::string_view text);
[[noreturn]] void throw_to_bytes_failure(const conversion_failure& failure);

// The conversions, or their failure thrown. A NUL must follow text.
std::wstring to_wide(unsigned code_page, std::string_view text);
std::string to_bytes(unsigned code_page, std::wstring_view text);

}  // namespace zodode::detail

#endif  // ZODODE_ENCODING_CODE_PAGE_H
